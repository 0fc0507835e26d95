#include "History_Run.h"
#include "Qt_Print.h"
#include "history/Link_History.h"
#include "lang/String_Table.h"
#include "params/Par_Gen_File.h"
#include "params/Par_Gen_Rows.h"
#include "shell/Shared_State.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace {

using vo_test::Read_All;
using vo_test::Run_Result;

// The text of a PDF by poppler's pdftotext in the order it was drawn, so that a cell's lines stay
// together, with every run of blanks and line ends made one blank and ligatures ("ﬁ") undone.
QString Pdf_Text(const QString& Pdf) {
    QProcess Process;
    Process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), Pdf, QStringLiteral("-")});
    EXPECT_TRUE(Process.waitForFinished(30000));
    return QString::fromUtf8(Process.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
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
    EXPECT_FALSE(Report_Text().contains(QStringLiteral("images do not match")));
    // Sent again, then edited by hand: the parameters are those in the device, the images are not.
    ASSERT_EQ(Update("exit 0").Exit_Code, 0);
    QByteArray Edited = Read_All(BankK);
    Edited[400] = static_cast<char>(Edited[400] + 1);
    vo_test::Write_All(BankK, Edited);
    EXPECT_TRUE(Report_Text().contains(QStringLiteral("Verdict: The images do not match the parameters")));
}

namespace {

// Local times in a zone far from UTC, with a half hour, and no summer time to guess at.
class Report_In_India : public Report {
protected:
    void SetUp() override {
        Saved_Zone = qgetenv("TZ");
        qputenv("TZ", "Asia/Kolkata");
        Report::SetUp();
    }
    void TearDown() override {
        if (Saved_Zone.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", Saved_Zone);
        Report::TearDown();
    }

    QString Report_Text(const QString& Language = QStringLiteral("English")) {
        const QString Pdf = Out.filePath(Language + QStringLiteral(".pdf"));
        const Run_Result Made = Run({QStringLiteral("--language"), Language, QStringLiteral("report"),
                                     QStringLiteral("Plant 1"), QStringLiteral("-o"), Pdf});
        EXPECT_EQ(Made.Exit_Code, 0) << Made.Err_Lines.join(u'\n').toStdString();
        return Pdf_Text(Pdf);
    }

    // "2026-12-11 17:35:09 IST" for a record's UTC time.
    static QString India_Time(const QJsonValue& Record) {
        const QDateTime Utc = QDateTime::fromString(
            Record.toObject().value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
        return Utc.addSecs(5 * 3600 + 30 * 60).toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
               QStringLiteral(" IST");
    }

    void Add_Link_Test(bool Passed) const {
        const vo::Result<vo::Config_Files> Files = vo::Read_Config_Files(Config(), false);
        ASSERT_TRUE(Files);
        const vo::Result<QString> Id = vo::Record_Link_Test(
            Config(), *Files,
            {{QStringLiteral("mode"), QStringLiteral("poll")},
             {QStringLiteral("port"), QStringLiteral("/dev/ttyUSB1")},
             {QStringLiteral("passed"), Passed},
             {QStringLiteral("verdict"), Passed ? QStringLiteral("Link OK: 20 of 20 answers, median 31 ms")
                                                : QStringLiteral("No answer")},
             {QStringLiteral("duration_ms"), 4200}});
        ASSERT_TRUE(Id) << Id.Error().toStdString();
    }

    QByteArray Saved_Zone;
};

} // namespace

// The report a customer signs: who and where at the top, the verdict in words, the updates and the
// link test in local time with their outcome in words and the exit code only as detail.
TEST_F(Report_In_India, Says_What_The_Device_Holds_In_Words_And_Local_Time) {
    const QString Before = Report_Text();
    EXPECT_TRUE(Before.contains(QStringLiteral(
        "Verdict: Not yet written into a device: no update of this configuration has succeeded.")))
        << Before.toStdString();
    ASSERT_EQ(Run({QStringLiteral("set-info"), QStringLiteral("Plant 1"),
                   QStringLiteral("customer=Acquedotto Pugliese"), QStringLiteral("site=Bari Nord"),
                   QStringLiteral("plant_tag=PU-07-GW2"), QStringLiteral("serial_number=SN 40913-0042"),
                   QStringLiteral("technician=G. Rossi")})
                  .Exit_Code,
              0);
    ASSERT_EQ(Update("exit 3").Exit_Code, 1);
    ASSERT_EQ(Update("exit 0").Exit_Code, 0);
    Add_Link_Test(true);
    const QJsonArray Recorded = Records();
    ASSERT_EQ(Recorded.size(), 3);

    const QString Text = Report_Text();
    for (const char* Expected : {"Customer Acquedotto Pugliese", "Site Bari Nord", "Plant Tag PU-07-GW2",
                                 "SN 40913-0042", "Technician G. Rossi"})
        EXPECT_TRUE(Text.contains(QLatin1String(Expected))) << Expected << '\n' << Text.toStdString();
    const QString Verdict = QStringLiteral("Verdict: Updated successfully on %1; link test passed on %2.")
                                .arg(India_Time(Recorded[1]), India_Time(Recorded[2]));
    EXPECT_TRUE(Text.contains(Verdict)) << Verdict.toStdString() << '\n' << Text.toStdString();
    EXPECT_TRUE(Text.contains(India_Time(Recorded[0]) + QStringLiteral(" Update")));
    EXPECT_TRUE(Text.contains(QStringLiteral("Failure exit code 3"))) << Text.toStdString();
    EXPECT_TRUE(Text.contains(QStringLiteral("Success exit code 0")));
    EXPECT_TRUE(Text.contains(
        QStringLiteral("Firmware Written on %1 from sim40913.sim").arg(India_Time(Recorded[1]))));
    EXPECT_FALSE(Text.contains(QStringLiteral("Ended with code")));
    // The checksums come after the signatures.
    EXPECT_LT(Text.indexOf(QStringLiteral("Signature")), Text.indexOf(QStringLiteral("Appendix")));

    const QString Italian = Report_Text(QStringLiteral("Italiano"));
    EXPECT_TRUE(Italian.contains(
        QStringLiteral("Aggiornato con successo il %1; test del collegamento superato il %2.")
            .arg(India_Time(Recorded[1]), India_Time(Recorded[2]))))
        << Italian.toStdString();
    EXPECT_TRUE(Italian.contains(QStringLiteral("Cliente Acquedotto Pugliese")));

    Add_Link_Test(false);
    EXPECT_TRUE(Report_Text().contains(QStringLiteral("link test failed on")));
    // A change the dialog shows, saved after the update: the device holds the earlier settings, and
    // the images in bin were built from those.
    Set({QStringLiteral("BAUD_ASCII=2")});
    QString Changed = Report_Text();
    EXPECT_TRUE(
        Changed.contains(QStringLiteral("The parameters have changed since the successful update on %1")
                             .arg(India_Time(Recorded[1]))));
    EXPECT_TRUE(
        Changed.contains(QStringLiteral("Warning: the images in bin were not built from these parameters")));
    // An update broken off after it: the device may hold a part of it, whatever else holds.
    ASSERT_EQ(Update("exit 3").Exit_Code, 1);
    const QString Broken_Off = India_Time(Records()[4]);
    Changed = Report_Text();
    EXPECT_TRUE(Changed.contains(
        QStringLiteral("Verdict: The update on %1 did not succeed after the successful update "
                       "on %2")
            .arg(Broken_Off, India_Time(Recorded[1]))))
        << Changed.toStdString();
}

namespace {

// The text of one page of a PDF.
QString Page_Text(const QString& Pdf, int Page) {
    QProcess Process;
    const QString Number = QString::number(Page);
    Process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-f"), Number,
                                                QStringLiteral("-l"), Number, Pdf, QStringLiteral("-")});
    EXPECT_TRUE(Process.waitForFinished(30000));
    return QString::fromUtf8(Process.readAllStandardOutput()).simplified();
}

} // namespace

// However long the data, the report takes one page, or two with the signatures and the checksums
// whole on the second; no page is empty.
TEST_F(Report_In_India, Long_Data_Keeps_The_Signatures_Together) {
    for (int I = 0; I < 8; ++I)
        Add_Link_Test(I % 2 == 0);
    Set({QStringLiteral("Device_Type_Type=1"), QStringLiteral("Ethernet_EN_GAT=1")});
    const QString Pdf = Out.filePath(QStringLiteral("English.pdf"));
    for (const bool Full_Fields : {false, true}) {
        for (const int Note_Lines : {0, 10, 19}) {
            SCOPED_TRACE(
                QStringLiteral("fields %1, %2 note lines").arg(Full_Fields).arg(Note_Lines).toStdString());
            QStringList Info{QStringLiteral("plant_tag=%1").arg(QString(Full_Fields ? 100 : 1, u'T')),
                             QStringLiteral("serial_number=%1").arg(QString(Full_Fields ? 100 : 1, u'S'))};
            for (const char* Key : {"customer", "site", "technician"})
                Info.append(QStringLiteral("%1=%2").arg(QLatin1String(Key),
                                                        Full_Fields ? QStringLiteral("Wort ").repeated(40)
                                                                    : QStringLiteral("x")));
            Info.append(QStringLiteral("notes=") +
                        QStringList(Note_Lines, QStringLiteral("a note line of some length")).join(u'\n'));
            ASSERT_EQ(
                Run(QStringList{QStringLiteral("set-info"), QStringLiteral("Plant 1")} + Info).Exit_Code, 0);
            Report_Text();
            const int Pages = Pdf_Pages(Pdf);
            ASSERT_GE(Pages, 1);
            EXPECT_LE(Pages, 2);
            for (int Page = 1; Page <= Pages; ++Page)
                EXPECT_FALSE(Page_Text(Pdf, Page).isEmpty()) << "page " << Page;
            const QString Last = Page_Text(Pdf, Pages);
            for (const char* Word : {"Name", "Date", "Signature", "Appendix"})
                EXPECT_TRUE(Last.contains(QLatin1String(Word))) << Word;
        }
    }
}

#ifndef _WIN32
// A report bound for the configuration's folder, however the path reaches it, is not written through
// a link there that leads out of it.
TEST_F(Report, A_Link_In_The_Configuration_Folder_Is_Not_Written_Through) {
    const QString Folder = Projects_Dir() + u'/' + Name;
    const QString Outside = Out.filePath(QStringLiteral("outside.pdf"));
    vo_test::Write_All(Outside, "not a report");
    ASSERT_TRUE(QFile::link(Outside, Folder + QStringLiteral("/a.pdf")));
    const QString Alias = Out.filePath(QStringLiteral("alias"));
    ASSERT_TRUE(QFile::link(Folder, Alias));
    for (const QString& Destination : {Folder + QStringLiteral("/a.pdf"), Alias + QStringLiteral("/a.pdf"),
                                       Alias + QStringLiteral("/../alias/a.pdf")}) {
        const Run_Result Made = Run({QStringLiteral("report"), Name, QStringLiteral("-o"), Destination});
        EXPECT_EQ(Made.Exit_Code, 1) << Destination.toStdString();
        EXPECT_EQ(Read_All(Outside), QByteArrayLiteral("not a report"));
    }
    // A file outside the configuration, named as such, is written as given.
    const QString Elsewhere = Out.filePath(QStringLiteral("elsewhere.pdf"));
    EXPECT_EQ(Run({QStringLiteral("report"), Name, QStringLiteral("-o"), Elsewhere}).Exit_Code, 0);
    EXPECT_TRUE(Read_All(Elsewhere).startsWith("%PDF"));
}
#endif
