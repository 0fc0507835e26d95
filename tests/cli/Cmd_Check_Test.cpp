#include "Cli_Run.h"
#include "Qt_Print.h"

namespace {

using vo_test::Config_Folder;
using vo_test::Read_All;
using vo_test::Run_Cli;
using vo_test::Run_Result;

// A serial configuration in mode 0 (the ASCII side the master) with the nine elements a build needs.
QByteArray Leading(const char* Ser_Rtu, const char* To_Rtu, const char* Ser_Ascii) {
    return QByteArray("<Par_Gen><Device_Type_Type>0</Device_Type_Type><MODE_DEV>0</MODE_DEV><SER_RTU>") +
           Ser_Rtu + "</SER_RTU><BAUD_RTU>3</BAUD_RTU><PAR_RTU>0</PAR_RTU><TO_RTU>" + To_Rtu +
           "</TO_RTU><SER_ASCII>" + Ser_Ascii +
           "</SER_ASCII><BAUD_ASCII>3</BAUD_ASCII><PAR_ASCII>0</PAR_ASCII><TO_ASCII>1000</TO_ASCII>";
}

} // namespace

// Values no dialog gives pass the dialog's checks, but not the check of the images before a launch.
TEST(Cli_Check, Fails_What_The_Update_Would_Refuse) {
    QByteArray Bytes = Leading("1", "1000", "1") + "</Par_Gen>";
    Bytes.replace("<BAUD_RTU>3</BAUD_RTU>", "<BAUD_RTU>99</BAUD_RTU>");
    const Config_Folder Config(Bytes);
    const Run_Result Result = Run_Cli({QStringLiteral("check"), Config.Path()});
    EXPECT_EQ(Result.Exit_Code, 1);
    EXPECT_TRUE(Result.Out.isEmpty());
    EXPECT_EQ(
        Result.Err_Lines,
        QStringList{QStringLiteral("Error! The images are not fit for the device, nothing was sent: BAUD_RTU "
                                   "in bankK.bin (serial slot 0) is 99, not a baud rate of the list")});
}

TEST(Cli_Check, Passes_What_The_Dialog_Would_Accept) {
    const struct {
        const char* Name;
        QByteArray Bytes; // empty: no parameter file
    } Cases[] = {
        // Without Ethernet port the address bytes are hidden, and so is the slave's TimeOut: any
        // integer passes there.
        {"hidden values", Leading("1", "70000", "1") + "<Ethernet_IP1>300</Ethernet_IP1></Par_Gen>"},
        // Both sides on RS232 as loaded: only the user's changes are paired.
        {"two RS232", Leading("0", "1000", "0") + "</Par_Gen>"},
    };
    for (const auto& Case : Cases) {
        const Config_Folder Config(Case.Bytes);
        const Run_Result Result = Run_Cli({QStringLiteral("check"), Config.Path()});
        EXPECT_EQ(Result.Exit_Code, 0) << Case.Name;
        EXPECT_EQ(Result.Out, QStringLiteral("OK\n")) << Case.Name;
        EXPECT_EQ(Result.Err_Lines, QStringList()) << Case.Name;
        EXPECT_EQ(Read_All(Config.ParGen), Case.Bytes) << Case.Name;
    }
}

TEST(Cli_Check, Prints_The_First_Failing_Message_And_Writes_Nothing) {
    const struct {
        QByteArray Bytes;
        const char* Message;
    } Cases[] = {
        {Read_All(QStringLiteral(VO_TEST_DATA "/cli/ParGen_Odd_Values.xml")),
         "Modbus RTU!! Data Bits must be 8 in RS232 device"},
        // The hidden RTU TimeOut "<500>" passes no range check, but would stop the build.
        {Read_All(QStringLiteral(VO_TEST_DATA "/params/ParGen_Hand_Written.xml")),
         "Modbus RTU!! TimeOut must be between 1 and 60000 milliseconds"},
        {"<Par_Gen><SER_RTU>0</SER_RTU><STOP_RTU>1</STOP_RTU></Par_Gen>",
         "Modbus RTU!! Stop Bits must be 1 in RS232 device"},
        // Operation mode 1 shows the Modbus RTU TimeOut.
        {"<Par_Gen><MODE_DEV>1</MODE_DEV><TO_RTU>60001</TO_RTU><TO_ASCII>0</TO_ASCII></Par_Gen>",
         "Modbus RTU!! TimeOut must be between 1 and 60000 milliseconds"},
        {"<Par_Gen><TO_ASCII></TO_ASCII></Par_Gen>",
         "Modbus ASCII!! TimeOut must be between 1 and 60000 milliseconds"},
        {"<Par_Gen><Device_Type_Type>1</Device_Type_Type><PAR_ASCII>2</PAR_ASCII><STOP_ASCII>1</STOP_ASCII>"
         "<Ethernet_IP1>-1</Ethernet_IP1></Par_Gen>",
         "Modbus ASCII!! Stop Bits must be 1 if Parity is different form NONE"},
        {"<Par_Gen><Device_Type_Type>1</Device_Type_Type><Ethernet_SM2>x</Ethernet_SM2></Par_Gen>",
         "Error Ethernet!! SubNet Mask 2 must be between 0 and 255"},
        {"<Par_Gen><Device_Type_Type>1</Device_Type_Type><Ethernet_EN_GAT>1</Ethernet_EN_GAT>"
         "<Ethernet_GAT4>256</Ethernet_GAT4></Par_Gen>",
         "Error Ethernet!! GATEWAY IP 4 must be between 0 and 255"},
    };
    for (const auto& Case : Cases) {
        const Config_Folder Config(Case.Bytes);
        const Run_Result Result = Run_Cli({QStringLiteral("check"), Config.Path()});
        EXPECT_EQ(Result.Exit_Code, 1) << Case.Message;
        EXPECT_TRUE(Result.Out.isEmpty()) << Case.Message;
        EXPECT_EQ(Result.Err_Lines, QStringList{QString::fromUtf8(Case.Message)});
        EXPECT_EQ(Read_All(Config.ParGen), Case.Bytes) << Case.Message;
    }
}

TEST(Cli_Check, Wants_Exactly_One_Configuration) {
    const Config_Folder Config;
    EXPECT_EQ(Run_Cli({QStringLiteral("check")}).Exit_Code, 2);
    EXPECT_EQ(Run_Cli({QStringLiteral("check"), Config.Path(), Config.Path()}).Exit_Code, 2);
}
