#pragma once

#include "Child_Checks.h"
#include "Cli_Run.h"
#include "Fake_Port_Tree.h"
#include "Qt_Print.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vo_test {

inline QString Sha256(const QByteArray& Bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(Bytes, QCryptographicHash::Sha256).toHex());
}

inline QJsonObject Json_Of(const Run_Result& Result) {
    QJsonParseError Error;
    const QJsonDocument Doc = QJsonDocument::fromJson(Result.Out.toUtf8(), &Error);
    EXPECT_EQ(Error.error, QJsonParseError::NoError) << Error.errorString().toStdString() << '\n'
                                                     << Result.Out.toStdString();
    return Doc.object();
}

// A copied vo40913-cli with the configuration "Plant 1" (no Ethernet port), the firmware files, a
// serial port and a fake serial updater beside it whose end the test chooses before each update.
class History_Cli : public Copied_Cli {
protected:
    void SetUp() override {
        Copied_Cli::SetUp();
        Install_Firmware();
        Ports.Add_Built_In(QStringLiteral("ttyUSB0"));
        Install_Language(QStringLiteral("Italiano"));
        ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("Plant 1")}).Exit_Code, 0);
        Set({QStringLiteral("Device_Type_Type=0")});
    }

    void Set(const QStringList& Changes) const {
        const Run_Result Result =
            Run(QStringList{QStringLiteral("set"), QStringLiteral("Plant 1")} + Changes);
        ASSERT_EQ(Result.Exit_Code, 0) << Result.Err_Lines.join(u'\n').toStdString();
    }

    // Runs an update whose updater ends with Tail ("exit 0", "kill -9 $$").
    Run_Result Update(const QByteArray& Tail) const {
        EXPECT_TRUE(Write_Script(Root.filePath(QStringLiteral("Ser_40913_Update")), Tail + '\n'));
        return Run({QStringLiteral("update"), QStringLiteral("Plant 1"), QStringLiteral("--port"), Port});
    }

    QJsonArray Records() const {
        return Json_Of(Run({QStringLiteral("history"), QStringLiteral("--json"), QStringLiteral("Plant 1")}))
            .value(QStringLiteral("records"))
            .toArray();
    }

    Fake_Port_Tree Ports;
    QString Port = Ports.Dev(QStringLiteral("ttyUSB0"));

    QString Config() const { return Projects_Dir() + QStringLiteral("/Plant 1"); }
    QString ParGen() const { return Config() + QStringLiteral("/ParGen.xml"); }
    QString Snapshot(const QString& Id) const { return Config() + QStringLiteral("/History/") + Id; }
};

} // namespace vo_test
