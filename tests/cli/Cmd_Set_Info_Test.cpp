#include "Cli_Run.h"
#include "Qt_Print.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

using vo_test::Config_Folder;
using vo_test::Read_All;
using vo_test::Run_Cli;
using vo_test::Run_Result;
using vo_test::Write_All;

QJsonObject History_Json(const Config_Folder& Config) {
    const Run_Result Run = Run_Cli({QStringLiteral("history"), QStringLiteral("--json"), Config.Path()});
    EXPECT_EQ(Run.Exit_Code, 0) << Run.Err_Lines.join(u'\n').toStdString();
    return QJsonDocument::fromJson(Run.Out.toUtf8())
        .object()
        .value(QStringLiteral("commissioning"))
        .toObject();
}

} // namespace

// The data lands in a file of its own beside ParGen.xml, which stays untouched, and reaches
// history --json as the dialog would keep it (a one-line field trimmed, a tab a blank, one kind of
// line end); a later change keeps the fields it does not name and keys of a newer program.
TEST(Cli_Set_Info, Fields_Are_Kept_In_Their_Own_File) {
    const Config_Folder Config(QByteArrayLiteral("<?xml version=\"1.0\"?>\n<ParGen/>\n"));
    const QByteArray ParGen_Before = Read_All(Config.ParGen);
    Run_Result Run =
        Run_Cli({QStringLiteral("set-info"), Config.Path(), QStringLiteral("customer= Städtische\tWerke  "),
                 QStringLiteral("notes=first line\r\nsecond = line"), QStringLiteral("site=")});
    ASSERT_EQ(Run.Exit_Code, 0) << Run.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Read_All(Config.ParGen), ParGen_Before);
    QJsonObject Info = History_Json(Config);
    EXPECT_EQ(Info.value(QStringLiteral("customer")).toString(), QStringLiteral("Städtische Werke"));
    EXPECT_EQ(Info.value(QStringLiteral("notes")).toString(), QStringLiteral("first line\nsecond = line"));

    const QString File = Config.Path() + QStringLiteral("/Commissioning.json");
    QJsonObject Stored = QJsonDocument::fromJson(Read_All(File)).object();
    Stored.insert(QStringLiteral("commissioned_with"), QStringLiteral("a newer program"));
    Write_All(File, QJsonDocument(Stored).toJson());
    Run = Run_Cli({QStringLiteral("set-info"), Config.Path(), QStringLiteral("serial_number=SN-0042")});
    ASSERT_EQ(Run.Exit_Code, 0) << Run.Err_Lines.join(u'\n').toStdString();
    Info = History_Json(Config);
    EXPECT_EQ(Info.value(QStringLiteral("customer")).toString(), QStringLiteral("Städtische Werke"));
    EXPECT_EQ(Info.value(QStringLiteral("serial_number")).toString(), QStringLiteral("SN-0042"));
    EXPECT_EQ(QJsonDocument::fromJson(Read_All(File))
                  .object()
                  .value(QStringLiteral("commissioned_with"))
                  .toString(),
              QStringLiteral("a newer program"));
}

// A refused change writes nothing, and the message says why.
TEST(Cli_Set_Info, Bad_Input_Changes_Nothing) {
    const Config_Folder Config;
    const QString File = Config.Path() + QStringLiteral("/Commissioning.json");
    const struct {
        QStringList Args;
        int Exit_Code;
        const char* Said;
    } Cases[] = {
        {{QStringLiteral("customer=A"), QStringLiteral("colour=red")}, 1, "customer, site"},
        {{QStringLiteral("=red")}, 1, "no key"},
        {{QStringLiteral("customer")}, 2, "key=value"},
        {{QStringLiteral("site=a\u0001b")}, 1, "control character"},
        {{QStringLiteral("notes=") + QStringLiteral("line\n").repeated(20) + QStringLiteral("line")},
         1,
         "20 lines"},
        {{QStringLiteral("plant_tag=a\nb")}, 1, "one line"},
        {{QStringLiteral("customer=") + QString(201, u'x')}, 1, "200 characters"},
        {{}, 2, "set-info CONFIG key=value"},
    };
    for (const auto& Case : Cases) {
        const Run_Result Run = Run_Cli(QStringList{QStringLiteral("set-info"), Config.Path()} + Case.Args);
        EXPECT_EQ(Run.Exit_Code, Case.Exit_Code) << Case.Args.join(u' ').toStdString();
        EXPECT_TRUE(Run.Err_Lines.join(u'\n').contains(QLatin1String(Case.Said)))
            << Run.Err_Lines.join(u'\n').toStdString();
        EXPECT_FALSE(QFile::exists(File)) << Case.Args.join(u' ').toStdString();
    }
}

#ifndef _WIN32
// A link in place of the file is neither read into a report nor written through.
TEST(Cli_Set_Info, A_Link_In_Place_Of_The_File_Is_Refused) {
    const Config_Folder Config;
    QTemporaryDir Outside;
    const QString Target = Outside.filePath(QStringLiteral("elsewhere.json"));
    Write_All(Target, "{\"customer\": \"secret\"}");
    ASSERT_TRUE(QFile::link(Target, Config.Path() + QStringLiteral("/Commissioning.json")));
    const Run_Result Run = Run_Cli({QStringLiteral("set-info"), Config.Path(), QStringLiteral("customer=x")});
    EXPECT_EQ(Run.Exit_Code, 1);
    EXPECT_TRUE(Run.Err_Lines.join(u'\n').contains(QStringLiteral("link")))
        << Run.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Read_All(Target), QByteArrayLiteral("{\"customer\": \"secret\"}"));
    EXPECT_TRUE(History_Json(Config).value(QStringLiteral("customer")).toString().isEmpty());
}
#endif
