#include "History_Run.h"
#include "Qt_Print.h"
#include "lang/String_Table.h"
#include "params/Par_Gen_File.h"
#include "params/Par_Gen_Rows.h"
#include "shell/Shared_State.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace {

using vo_test::Read_All;
using vo_test::Run_Result;

// The text of a PDF by poppler's pdftotext, its layout kept, blanks squeezed.
QString Pdf_Text(const QString& Pdf) {
    QProcess Process;
    Process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), Pdf, QStringLiteral("-")});
    EXPECT_TRUE(Process.waitForFinished(30000));
    return QString::fromUtf8(Process.readAllStandardOutput())
        .replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
}

int Pdf_Pages(const QString& Pdf) {
    QProcess Process;
    Process.start(QStringLiteral("pdfinfo"), {Pdf});
    EXPECT_TRUE(Process.waitForFinished(30000));
    const QRegularExpressionMatch Pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(QString::fromUtf8(Process.readAllStandardOutput()));
    return Pages.hasMatch() ? Pages.captured(1).toInt() : -1;
}

// A configuration whose name needs every letter the languages use, with the longest values.
class Report : public vo_test::History_Cli {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        History_Cli::SetUp();
        ASSERT_EQ(Run({QStringLiteral("new"), Name}).Exit_Code, 0);
        const Run_Result Set = Run({QStringLiteral("set"), Name, QStringLiteral("Device_Type_Type=1"),
                                    QStringLiteral("MODE_DEV=1"), QStringLiteral("TO_RTU=60000"),
                                    QStringLiteral("Ethernet_IP1=255"), QStringLiteral("Ethernet_IP2=255"),
                                    QStringLiteral("Ethernet_IP3=255"), QStringLiteral("Ethernet_IP4=254"),
                                    QStringLiteral("Ethernet_EN_GAT=1"), QStringLiteral("PAR_ASCII=1")});
        ASSERT_EQ(Set.Exit_Code, 0) << Set.Err_Lines.join(u'\n').toStdString();
    }

    // The rows the dialog shows for the configuration, in Language.
    QList<vo::Par_Row> Shown_Rows(const QString& Language) const {
        vo::Shared_State State;
        State.Language_Dir = Root.filePath(QStringLiteral("LANGUAGE"));
        State.Language_Name = Language;
        vo::Load_Language(State);
        vo::Par_Gen Set;
        EXPECT_TRUE(vo::Load_Par_Gen(Projects_Dir() + u'/' + Name + QStringLiteral("/ParGen.xml"), Set));
        return vo::Shown_Par_Rows(Set, State);
    }

    QString Name = QStringLiteral("\u00dcbergabe \u00fcber Stra\u00dfe \u00e0 Citt\u00e0");
    QTemporaryDir Out;
};

TEST_F(Report, Holds_Every_Shown_Parameter_In_English_And_Italiano_On_One_Page) {
    for (const QString& Language : {QStringLiteral("English"), QStringLiteral("Italiano")}) {
        SCOPED_TRACE(Language.toStdString());
        const QString Pdf = Out.filePath(Language + QStringLiteral(".pdf"));
        const Run_Result Result = Run({QStringLiteral("--language"), Language, QStringLiteral("report"), Name,
                                       QStringLiteral("-o"), Pdf});
        ASSERT_EQ(Result.Exit_Code, 0) << Result.Err_Lines.join(u'\n').toStdString();
        EXPECT_EQ(Pdf_Pages(Pdf), 1);
        const QString Text = Pdf_Text(Pdf);
        EXPECT_TRUE(Text.contains(Name)) << Text.toStdString();
        const QList<vo::Par_Row> Rows = Shown_Rows(Language);
        // With Ethernet port, in operation mode 1: every panel, the Modbus RTU TimeOut only.
        EXPECT_EQ(Rows.size(), 17);
        for (const vo::Par_Row& Row : Rows) {
            const QString Label = Row.Label.isEmpty() ? Row.Panel : Row.Label;
            EXPECT_TRUE(Text.contains(Label + u' ' + Row.Value)) << (Label + u' ' + Row.Value).toStdString();
        }
    }
    EXPECT_TRUE(Pdf_Text(Out.filePath(QStringLiteral("Italiano.pdf"))).contains(QStringLiteral("Firma")));
}

TEST_F(Report, Bad_Destination_Or_Configuration_Leaves_No_File) {
    const QString Missing_Folder = Out.filePath(QStringLiteral("no/such/folder/r.pdf"));
    const QString Folder = Out.filePath(QStringLiteral("folder.pdf"));
    ASSERT_TRUE(QDir().mkpath(Folder));
    const struct {
        QStringList Args;
        int Exit_Code;
    } Cases[] = {
        {{QStringLiteral("report"), Name, QStringLiteral("-o"), Missing_Folder}, 1},
        {{QStringLiteral("report"), Name, QStringLiteral("-o"), Folder}, 1},
        {{QStringLiteral("report"), QStringLiteral("No Such Plant"), QStringLiteral("-o"),
          Out.filePath(QStringLiteral("x.pdf"))},
         1},
        {{QStringLiteral("report"), Name, Out.filePath(QStringLiteral("x.pdf"))}, 2},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Args.join(u' ').toStdString());
        const Run_Result Result = Run(Case.Args);
        EXPECT_EQ(Result.Exit_Code, Case.Exit_Code);
        EXPECT_FALSE(QFile::exists(Missing_Folder));
        EXPECT_FALSE(QFile::exists(Out.filePath(QStringLiteral("x.pdf"))));
        EXPECT_TRUE(QFileInfo(Folder).isDir());
    }
    // A ParGen.xml that cannot be parsed: its error, and no report.
    vo_test::Write_All(Projects_Dir() + u'/' + Name + QStringLiteral("/ParGen.xml"), "<Par_Gen><BAUD_RTU>");
    const Run_Result Broken =
        Run({QStringLiteral("report"), Name, QStringLiteral("-o"), Out.filePath(QStringLiteral("x.pdf"))});
    EXPECT_EQ(Broken.Exit_Code, 1);
    EXPECT_FALSE(QFile::exists(Out.filePath(QStringLiteral("x.pdf"))));
}

} // namespace

// A restore brings back the images sent with the parameters, so the report's checksums are theirs;
// images that are not (edited by hand) are reported as such.
TEST_F(Report, After_A_Restore_The_Images_Are_Those_Of_The_Parameters_And_Others_Are_Named) {
    Set({QStringLiteral("BAUD_RTU=3")});
    ASSERT_EQ(Update("exit 0").Exit_Code, 0);
    Set({QStringLiteral("BAUD_RTU=0")});
    ASSERT_EQ(Update("exit 0").Exit_Code, 0);
    const QString First = Records()[0].toObject().value(QStringLiteral("id")).toString();
    const QString BankK = Config() + QStringLiteral("/bin/bankK.bin");
    const Run_Result Restored = Run({QStringLiteral("restore"), QStringLiteral("Plant 1"), First});
    ASSERT_EQ(Restored.Exit_Code, 0) << Restored.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Read_All(BankK), Read_All(Snapshot(First) + QStringLiteral("/bankK.bin")));
    EXPECT_EQ(Read_All(Config() + QStringLiteral("/bin/bank.bin")),
              Read_All(Snapshot(First) + QStringLiteral("/bank.bin")));

    const QString Pdf = Out.filePath(QStringLiteral("r.pdf"));
    const auto Report_Text = [&] {
        const Run_Result Made =
            Run({QStringLiteral("report"), QStringLiteral("Plant 1"), QStringLiteral("-o"), Pdf});
        EXPECT_EQ(Made.Exit_Code, 0) << Made.Err_Lines.join(u'\n').toStdString();
        return Pdf_Text(Pdf);
    };
    EXPECT_FALSE(Report_Text().contains(QStringLiteral("Warning:")));
    QByteArray Edited = Read_All(BankK);
    Edited[400] = static_cast<char>(Edited[400] + 1);
    vo_test::Write_All(BankK, Edited);
    EXPECT_TRUE(Report_Text().contains(QStringLiteral("Warning: the images in bin")));
}
