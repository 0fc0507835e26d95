#include "lang/String_Table.h"
#include "link/Link_Summary.h"
#include "link/Link_Test.h"
#include "shell/Shared_State.h"

#include <QSerialPort>
#include <gtest/gtest.h>

using namespace vo;

namespace {

Par_Gen Rtu_Slave_Set() {
    Par_Gen Set = Default_Par_Gen(1);
    Set.MODE_DEV = 0;
    Set.BAUD_RTU = 4; // 19200
    Set.PAR_RTU = 2;  // even
    Set.STOP_RTU = 0;
    Set.BAUD_ASCII = 3; // 9600
    Set.PAR_ASCII = 1;  // odd
    Set.DATA_ASCII = 0; // 7
    Set.STOP_ASCII = 1; // 2 stop bits
    Set.SER_ASCII = 0;
    Set.TO_ASCII = QStringLiteral("500");
    return Set;
}

TEST(Link_Plan, The_Sides_Follow_The_Operation_Mode_And_The_Lines_The_Dialog) {
    Par_Gen Set = Rtu_Slave_Set();
    Result<Converter_Sides> Sides = Sides_Of(Set);
    ASSERT_TRUE(Sides);
    EXPECT_EQ(Sides->Slave_Side, Modbus_Side::RTU);
    EXPECT_EQ(Sides->Master_Timeout_Ms, 500);
    EXPECT_EQ(Line_Text(Sides->Rtu), QStringLiteral("19200 8E1 RS485"));
    EXPECT_EQ(Line_Text(Sides->Ascii), QStringLiteral("9600 7O2 RS232"));
    Set.MODE_DEV = 1;
    Set.TO_RTU = QStringLiteral("250");
    Sides = Sides_Of(Set);
    ASSERT_TRUE(Sides);
    EXPECT_EQ(Sides->Slave_Side, Modbus_Side::ASCII);
    EXPECT_EQ(Sides->Master_Side, Modbus_Side::RTU);
    EXPECT_EQ(Sides->Master_Timeout_Ms, 250);
    // The variant without Ethernet port lists 5 to 8 data bits: its last entry is 8.
    Par_Gen Serial_Variant = Default_Par_Gen(0);
    Sides = Sides_Of(Serial_Variant);
    ASSERT_TRUE(Sides);
    EXPECT_EQ(Sides->Rtu.Data_Bits, 8);
    Set.BAUD_RTU = Nothing_Chosen;
    EXPECT_FALSE(Sides_Of(Set));
    Set = Rtu_Slave_Set();
    Set.TO_ASCII = QStringLiteral("soon");
    EXPECT_FALSE(Sides_Of(Set));
}

TEST(Link_Plan, Silence_And_Default_Time_Out) {
    EXPECT_EQ(Silence_Us({9600, 'N', 8, 1, false}), 3645); // 3.5 x 10 bits
    EXPECT_EQ(Silence_Us({9600, 'E', 8, 1, false}), 4010); // 3.5 x 11 bits
    EXPECT_EQ(Silence_Us({115200, 'N', 8, 1, false}), 1750);
    const Converter_Sides Sides = *Sides_Of(Rtu_Slave_Set());
    // Request 8 bytes RTU / 17 ASCII, answer of 10 registers 25 RTU / 51 ASCII, each with its silence.
    const qint64 Rtu_Us =
        Line_Time_Us(Sides.Rtu, 8) + Line_Time_Us(Sides.Rtu, 25) + 2 * Silence_Us(Sides.Rtu);
    const qint64 Ascii_Us =
        Line_Time_Us(Sides.Ascii, 17) + Line_Time_Us(Sides.Ascii, 51) + 2 * Silence_Us(Sides.Ascii);
    EXPECT_EQ(Default_Response_Timeout_Ms(Sides, {Modbus_Function::Read_Holding_Registers, 0, 10, {}}),
              500 + (Rtu_Us + Ascii_Us + 999) / 1000 + Response_Margin_Ms);
}

// Pseudo-terminals drop the parity bit, so the settings are checked where they are asked for.
TEST(Link_Plan, The_Port_Is_Asked_For_The_Sides_Line) {
    struct Case {
        Line_Settings Line;
        QSerialPort::Parity Parity;
        QSerialPort::DataBits Data;
        QSerialPort::StopBits Stop;
    };
    const Case Cases[] = {
        {{19200, 'E', 8, 1, true}, QSerialPort::EvenParity, QSerialPort::Data8, QSerialPort::OneStop},
        {{9600, 'O', 7, 2, false}, QSerialPort::OddParity, QSerialPort::Data7, QSerialPort::TwoStop},
        {{115200, 'N', 5, 1, false}, QSerialPort::NoParity, QSerialPort::Data5, QSerialPort::OneStop},
    };
    for (const Case& C : Cases) {
        QSerialPort Port;
        Configure_Port(Port, C.Line);
        EXPECT_EQ(Port.baudRate(), C.Line.Baud);
        EXPECT_EQ(Port.parity(), C.Parity);
        EXPECT_EQ(Port.dataBits(), C.Data);
        EXPECT_EQ(Port.stopBits(), C.Stop);
        EXPECT_EQ(Port.flowControl(), QSerialPort::NoFlowControl);
    }
}

TEST(Link_Plan, Bad_Plans_Are_Named) {
    Link_Plan Plan;
    Plan.Sides = *Sides_Of(Rtu_Slave_Set());
    Plan.Port = QStringLiteral("/dev/ttyUSB0");
    EXPECT_EQ(Plan_Problem(Plan), QString());
    for (const int Slave : {0, 248}) {
        Plan.Slave = Slave;
        EXPECT_TRUE(Plan_Problem(Plan).contains(QStringLiteral("slave address"))) << Slave;
    }
    Plan.Slave = 1;
    Plan.Request.Count = 126;
    EXPECT_TRUE(Plan_Problem(Plan).contains(QStringLiteral("125")));
    Plan.Request.Count = 1;
    Plan.Mode = Link_Mode::Loop;
    EXPECT_TRUE(Plan_Problem(Plan).contains(QStringLiteral("second port")));
    Plan.Loop_Port = Plan.Port;
    EXPECT_FALSE(Plan_Problem(Plan).isEmpty());
}

TEST(Link_Plan, Verdicts_And_Likely_Causes) {
    Shared_State State;
    Load_Default_Strings(State.Lang_Strings);
    struct Case {
        const char* Name;
        void (*Fill)(Link_Counts&);
        bool Passed;
        int First_Cause; // message id, 0 for none
    };
    const Case Cases[] = {
        {"all answered", [](Link_Counts& C) { C.Requests = C.Answers = C.Good = 3; }, true, 0},
        {"silence", [](Link_Counts& C) { C.Requests = C.Timeouts = 3; }, false, 1104},
        {"damaged", [](Link_Counts& C) { C.Requests = C.Timeouts = C.Bad_Checks = 3; }, false, 1105},
        {"noise among answers",
         [](Link_Counts& C) {
             C.Requests = C.Answers = C.Good = 3;
             C.Garbage = 1;
         },
         false, 1112},
        {"field device silent",
         [](Link_Counts& C) {
             C.Requests = C.Answers = 2;
             C.Exceptions[0x0B] = 2;
         },
         false, 1106},
        {"refused",
         [](Link_Counts& C) {
             C.Requests = C.Answers = 1;
             C.Exceptions[0x02] = 1;
         },
         false, 1107},
        {"late",
         [](Link_Counts& C) {
             C.Requests = C.Timeouts = 2;
             C.Late = 2;
         },
         false, 1109},
    };
    for (const Case& C : Cases) {
        Link_Summary S;
        C.Fill(S.Counts);
        for (const qint64 Us : {40000, 41000, 60000})
            S.Counts.Latency.Add(Us);
        EXPECT_EQ(S.Passed(), C.Passed) << C.Name;
        const QStringList Causes = Cause_Words(S, State);
        if (C.First_Cause == 0) {
            EXPECT_TRUE(Causes.isEmpty()) << C.Name;
            EXPECT_EQ(Verdict_Words(S, State), QStringLiteral("Link OK: 3 of 3 answers, median 41 ms"));
        } else {
            ASSERT_FALSE(Causes.isEmpty()) << C.Name;
            EXPECT_TRUE(Causes.first().startsWith(State.Text(C.First_Cause).section(u'%', 0, 0))) << C.Name;
        }
    }
}

} // namespace
