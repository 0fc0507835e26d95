#include "Cli_Run.h"
#include "Qt_Print.h"
#include "image/Par_Gen_Fixture.h"
#include "update/Job_File.h"

#include <QFileInfo>

namespace {

using vo_test::Read_All;
using vo_test::Run_Result;

// A copied vo40913-cli.exe with the fake updater beside it under both updaters' names, recording
// what it was given outside the program's folder.
class Cli_Update_Windows : public vo_test::Copied_Cli {
protected:
    void SetUp() override {
        Copied_Cli::SetUp();
        Install_Firmware();
        const QString Fake = QCoreApplication::applicationDirPath() + QStringLiteral("/fake_updater.exe");
        ASSERT_TRUE(QFile::copy(Fake, Serial_Updater));
        ASSERT_TRUE(QFile::copy(Fake, Ethernet_Updater));
        qputenv("VO_FAKE_RECORD", Record.toUtf8());
        qputenv("VO_FAKE_JOB_COPY", Job_Copy.toUtf8());
    }

    void TearDown() override {
        qunsetenv("VO_FAKE_RECORD");
        qunsetenv("VO_FAKE_JOB_COPY");
    }

    // The command line the updater got, as the system handed it over.
    QString Command_Line() const {
        const QString Prefix = QStringLiteral("command line: ");
        for (const QString& Line : QString::fromUtf8(Read_All(Record)).split(u'\n')) {
            if (Line.startsWith(Prefix))
                return Line.mid(Prefix.size());
        }
        return QString();
    }

    // The program's folder as the program itself shows it.
    QString Exe_Dir = QDir::toNativeSeparators(QFileInfo(Root.path()).canonicalFilePath());
    QString Config = Exe_Dir + QStringLiteral("\\PROJECTS\\Plant1");
    QString Serial_Updater = Exe_Dir + QStringLiteral("\\Ser_40913_Update.exe");
    QString Ethernet_Updater = Exe_Dir + QStringLiteral("\\Ethernet_Update.exe");
    QTemporaryDir Records;
    QString Record = Records.filePath(QStringLiteral("record"));
    QString Job_Copy = Records.filePath(QStringLiteral("job"));
};

} // namespace

TEST_F(Cli_Update_Windows, New_Build_And_Serial_Update_Hand_Over_The_Windows_Forms) {
    const Run_Result Created = Run({QStringLiteral("new"), QStringLiteral("Plant1")});
    ASSERT_EQ(Created.Exit_Code, 0) << Created.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Created.Out, Config + u'\n');
    ASSERT_EQ(Run({QStringLiteral("set"), QStringLiteral("Plant1"), QStringLiteral("Device_Type_Type=0")})
                  .Exit_Code,
              0);
    EXPECT_EQ(Run({QStringLiteral("build"), QStringLiteral("Plant1")}).Exit_Code, 0);

    const Run_Result Result = Run({QStringLiteral("update"), QStringLiteral("Plant1"),
                                   QStringLiteral("--port"), QStringLiteral("COM3")});
    EXPECT_EQ(Result.Exit_Code, 0) << Result.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Result.Out, QStringLiteral("The updater \"%1\" ended with code 0\n").arg(Serial_Updater));
    EXPECT_EQ(Command_Line(),
              QStringLiteral(R"("%1" \\.\COM3 FW FR PW PR "%2\MASTER\sim40913.sim" "%3\bin\")")
                  .arg(Serial_Updater, Exe_Dir, Config));
    EXPECT_EQ(QFileInfo(Config + QStringLiteral("\\bin\\bank.bin")).size(), 19);
    EXPECT_EQ(QFileInfo(Config + QStringLiteral("\\bin\\bankK.bin")).size(), 2048);
    // A port that is not there starts nothing.
    QFile::remove(Record);
    const Run_Result Absent = Run({QStringLiteral("update"), QStringLiteral("Plant1"),
                                   QStringLiteral("--port"), QStringLiteral("COM250")});
    EXPECT_EQ(Absent.Exit_Code, 1);
    EXPECT_EQ(Absent.Err_Lines,
              QStringList{
                  QStringLiteral("Error! There is no serial port \"COM250\": the updater was not started")});
    EXPECT_FALSE(QFile::exists(Record));
}

TEST_F(Cli_Update_Windows, Ethernet_Update_Writes_The_Job_File_With_Windows_Paths) {
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("Plant1")}).Exit_Code, 0);
    ASSERT_EQ(Run({QStringLiteral("set"), QStringLiteral("Plant1"), QStringLiteral("Device_Type_Type=1")})
                  .Exit_Code,
              0);
    const Run_Result Result =
        Run({QStringLiteral("update"), QStringLiteral("Plant1"), QStringLiteral("--ip"),
             QStringLiteral("127.0.0.1"), QStringLiteral("--option"), QStringLiteral("2")});
    EXPECT_EQ(Result.Exit_Code, 0) << Result.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Command_Line(), u'"' + Ethernet_Updater + u'"');
    const QByteArray Job = vo::Job_File_Bytes(
        {QStringLiteral("127.0.0.1"), {2, true}, Exe_Dir + QStringLiteral("\\MASTER"), Config, u'\\'});
    EXPECT_EQ(Read_All(Job_Copy), Job);
    EXPECT_TRUE(Job.contains(R"(\PROJECTS\Plant1\bin\bankK.bin)")) << Job.toStdString();
}
