#include "Cli_Run.h"
#include "Qt_Print.h"
#include "params/Par_Gen_File.h"

#include <functional>

namespace {

using vo_test::Config_Folder;
using vo_test::Read_All;
using vo_test::Run_Cli;
using vo_test::Run_Result;

const QString Hand_Written_File = QStringLiteral(VO_TEST_DATA "/params/ParGen_Hand_Written.xml");

Run_Result Set(const Config_Folder& Config, const QStringList& Changes) {
    return Run_Cli(QStringList{QStringLiteral("set"), Config.Path()} + Changes);
}

// The parameters the dialog would hold after loading Bytes.
vo::Par_Gen Loaded(const QByteArray& Bytes) {
    if (Bytes.isEmpty())
        return vo::Missing_File_Par_Gen();
    const Config_Folder Config(Bytes);
    vo::Par_Gen Set;
    EXPECT_TRUE(vo::Load_Par_Gen(Config.ParGen, Set));
    return Set;
}

} // namespace

TEST(Cli_Set, Changes_That_Pass_Rewrite_The_File_As_The_Dialog_Saves_It) {
    const QByteArray Hand_Written = Read_All(Hand_Written_File);
    const QString Long_Number = QStringLiteral("+0x") + QString(5000, u'0') + QStringLiteral("FFFF");
    const struct {
        QByteArray Start; // empty: no parameter file yet
        QStringList Changes;
        std::function<void(vo::Par_Gen&)> Expect;
    } Cases[] = {
        // The data bits follow the device type ("8" stays "8"); without Ethernet port the
        // address bytes are hidden and saved as they are.
        {QByteArray(),
         {"Device_Type_Type=0", "MODE_DEV=1", "TO_RTU=500", "BAUD_ASCII=3", "Ethernet_IP3=300"},
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.DATA_RTU = 3;
             S.DATA_ASCII = 3;
             S.MODE_DEV = 1;
             S.TO_RTU = QStringLiteral("500");
             S.BAUD_ASCII = 3;
             S.Ethernet_IP3 = QStringLiteral("300");
         }},
        // Choosing RS232 on one side moves the other off it; the ends of the ranges pass.
        {QByteArray(),
         {"SER_RTU=0", "SER_ASCII=0", "DATA_ASCII=0", "TO_ASCII=60000", "Ethernet_EN_GAT=1",
          "Ethernet_GAT4=255", "Ethernet_IP1=0"},
         [](vo::Par_Gen& S) {
             S.SER_RTU = 1;
             S.SER_ASCII = 0;
             S.DATA_ASCII = 0;
             S.TO_ASCII = QStringLiteral("60000");
             S.Ethernet_EN_GAT = true;
             S.Ethernet_GAT4 = QStringLiteral("255");
             S.Ethernet_IP1 = QStringLiteral("0");
         }},
        // The slave's TimeOut is hidden: outside the range, but an integer as the images need it,
        // and saved as it is.
        {QByteArray(),
         {"TO_RTU=" + Long_Number},
         [&](vo::Par_Gen& S) {
             S.TO_RTU = Long_Number;
         }},
        // A hand-written file comes out in the dialog's form.
        {Hand_Written,
         {"MODE_DEV=1", "TO_RTU=1", "TO_ASCII=99999"},
         [](vo::Par_Gen& S) {
             S.MODE_DEV = 1;
             S.TO_RTU = QStringLiteral("1");
             S.TO_ASCII = QStringLiteral("99999");
         }},
    };
    for (const auto& Case : Cases) {
        const Config_Folder Config(Case.Start);
        vo::Par_Gen Expected = Loaded(Case.Start);
        Case.Expect(Expected);

        const Run_Result Result = Set(Config, Case.Changes);
        const std::string Name = Case.Changes.join(u' ').left(80).toStdString();
        EXPECT_EQ(Result.Exit_Code, 0) << Name;
        EXPECT_TRUE(Result.Out.isEmpty()) << Name;
        EXPECT_EQ(Result.Err_Lines, QStringList()) << Name;
        EXPECT_EQ(Read_All(Config.ParGen), vo::Par_Gen_Bytes(Expected)) << Name;
        EXPECT_EQ(QDir(Config.Path()).entryList(QDir::Files), QStringList{QStringLiteral("ParGen.xml")})
            << Name;
    }
}

TEST(Cli_Set, What_It_Saves_Is_What_Show_And_Check_Then_Read) {
    const Config_Folder Config;
    ASSERT_EQ(Set(Config, {"Device_Type_Type=0", "DATA_RTU=1", "TO_ASCII=250"}).Exit_Code, 0);
    const QByteArray First = Read_All(Config.ParGen);
    const Run_Result Shown = Run_Cli({QStringLiteral("show"), Config.Path()});
    EXPECT_TRUE(Shown.Out.startsWith(QStringLiteral("Device_Type_Type=0\nMODE_DEV=0\nSER_RTU=1\nBAUD_RTU=7\n"
                                                    "PAR_RTU=0\nDATA_RTU=1\n")))
        << Shown.Out.toStdString();
    EXPECT_TRUE(Shown.Out.contains(QStringLiteral("\nTO_ASCII=250\n")));
    EXPECT_TRUE(Shown.Out.contains(QStringLiteral("\nDATA_RTU=6\n")));
    EXPECT_EQ(Run_Cli({QStringLiteral("check"), Config.Path()}).Out, QStringLiteral("OK\n"));

    // Saving the same values again gives the same bytes.
    ASSERT_EQ(Set(Config, {"TO_ASCII=250"}).Exit_Code, 0);
    EXPECT_EQ(Read_All(Config.ParGen), First);
}

TEST(Cli_Set, A_Failing_Check_Prints_Its_Message_And_Leaves_The_File_Alone) {
    const QByteArray Hand_Written = Read_All(Hand_Written_File);
    const struct {
        QByteArray Start;
        QStringList Changes;
        const char* Message;
    } Cases[] = {
        {QByteArray(), {"TO_ASCII=0"}, "Modbus ASCII!! TimeOut must be between 1 and 60000 milliseconds"},
        // The operation mode set in the same call decides which TimeOut is shown.
        {QByteArray(),
         {"MODE_DEV=1", "TO_RTU=60001"},
         "Modbus RTU!! TimeOut must be between 1 and 60000 milliseconds"},
        // Both sides fail: the Modbus RTU message comes first.
        {QByteArray(),
         {"PAR_RTU=1", "STOP_RTU=1", "TO_ASCII=abc"},
         "Modbus RTU!! Stop Bits must be 1 if Parity is different form NONE"},
        {QByteArray(),
         {"Device_Type_Type=0", "SER_RTU=0", "DATA_RTU=2"},
         "Modbus RTU!! Data Bits must be 8 in RS232 device"},
        {QByteArray(), {"Ethernet_IP3=256"}, "Error Ethernet!! IP Address 3 must be between 0 and 255"},
        {QByteArray(),
         {"Ethernet_EN_GAT=1", "Ethernet_GAT1="},
         "Error Ethernet!! GATEWAY IP 1 must be between 0 and 255"},
        // The hand-written TimeOut "<500>" of the Modbus RTU side is shown in mode 1.
        {Hand_Written, {"MODE_DEV=1"}, "Modbus RTU!! TimeOut must be between 1 and 60000 milliseconds"},
    };
    for (const auto& Case : Cases) {
        const Config_Folder Config(Case.Start);
        const Run_Result Result = Set(Config, Case.Changes);
        EXPECT_EQ(Result.Exit_Code, 1) << Case.Message;
        EXPECT_TRUE(Result.Out.isEmpty()) << Case.Message;
        EXPECT_EQ(Result.Err_Lines, QStringList{QString::fromUtf8(Case.Message)});
        EXPECT_EQ(QFile::exists(Config.ParGen), !Case.Start.isEmpty()) << Case.Message;
        EXPECT_EQ(Read_All(Config.ParGen), Case.Start) << Case.Message;
    }
}

TEST(Cli_Set, Bad_Arguments_Change_Nothing) {
    const QByteArray Hand_Written = Read_All(Hand_Written_File);
    const Config_Folder Config(Hand_Written);
    const struct {
        QStringList Changes;
        int Exit_Code;
        const char* Error_Part;
    } Cases[] = {
        {{"Speed=3"}, 1, "unknown element \"Speed\""},
        {{"mode_dev=1"}, 1, "did you mean MODE_DEV?"},
        {{"BAUD_RTU=9"}, 1, "BAUD_RTU: \"9\" is not an entry of the list"},
        {{"BAUD_RTU=-1"}, 1, "BAUD_RTU: \"-1\" is not an entry of the list"},
        {{"Ethernet_EN_GAT=true"}, 1, "Ethernet_EN_GAT: \"true\" is neither"},
        {{"TO_RTU=1\n0"}, 1, "TO_RTU: the value holds a control character"},
        // A good change before a bad one is not saved either.
        {{"MODE_DEV=1", "TO_RTU=500", "PAR_RTU=abc"}, 1, "PAR_RTU: \"abc\" is not an entry of the list"},
        {{"MODE_DEV"}, 2, "\"MODE_DEV\" is not of the form Element=value"},
        {{"MODE_DEV=1", "TO_RTU"}, 2, "Usage: vo40913-cli set CONFIG Element=value ..."},
        {{}, 2, "Usage: vo40913-cli set CONFIG Element=value ..."},
    };
    for (const auto& Case : Cases) {
        const Run_Result Result = Set(Config, Case.Changes);
        const std::string Name = Case.Changes.join(u' ').toStdString();
        EXPECT_EQ(Result.Exit_Code, Case.Exit_Code) << Name;
        EXPECT_TRUE(Result.Out.isEmpty()) << Name;
        EXPECT_TRUE(Result.Err_Lines.join(u'\n').contains(QString::fromUtf8(Case.Error_Part)))
            << Name << ": " << Result.Err_Lines.join(u'\n').toStdString();
        EXPECT_EQ(Read_All(Config.ParGen), Hand_Written) << Name;
    }
    EXPECT_EQ(Run_Cli({QStringLiteral("set")}).Exit_Code, 2);
}

#ifndef _WIN32
// Linux only: Windows makes a shortcut, an ordinary file, in place of the link.
TEST(Cli_Set, A_File_That_Cannot_Be_Written_Is_Reported) {
    // A link into a folder that is gone: reading finds no file, writing fails whatever the rights.
    const Config_Folder Config;
    ASSERT_TRUE(QFile::link(Config.Dir.filePath(QStringLiteral("gone/ParGen.xml")), Config.ParGen));
    const Run_Result Result = Set(Config, {"MODE_DEV=1"});
    EXPECT_EQ(Result.Exit_Code, 1);
    EXPECT_TRUE(Result.Out.isEmpty());
    ASSERT_EQ(Result.Err_Lines.size(), 1);
    EXPECT_TRUE(Result.Err_Lines.first().startsWith(QStringLiteral("vo40913-cli: Cannot write \"")))
        << Result.Err_Lines.first().toStdString();
    EXPECT_EQ(QDir(Config.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{QStringLiteral("ParGen.xml")});
}
#endif
