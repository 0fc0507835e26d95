#include "history/Config_Diff.h"
#include "lang/String_Table.h"
#include "shell/Shared_State.h"

#include <gtest/gtest.h>

using namespace vo;

namespace {

struct Change_Case {
    const char* Name;
    void (*Before)(Par_Gen&);
    void (*After)(Par_Gen&);
    QStringList Expected; // Diff_Text of each line
};

void Nothing(Par_Gen&) {}

} // namespace

// A field counts as changed when the text the dialog shows for it changes, not its stored index.
TEST(Config_Diff, Changes_Follow_The_Shown_Text) {
    Shared_State State;
    Load_Default_Strings(State.Lang_Strings);
    const Change_Case Cases[] = {
        {"device type keeps 8 data bits (index 3 becomes 1)",
         [](Par_Gen& S) { S = Default_Par_Gen(0); },
         [](Par_Gen& S) {
             S = Default_Par_Gen(0);
             S.Device_Type_Type = 1;
             S.DATA_RTU = S.DATA_ASCII = 1;
         },
         {QStringLiteral("Device Type: Without Ethernet Port \u2192 With Ethernet Port")}},
        {"same index, other meaning after a device-type change",
         [](Par_Gen& S) { S = Default_Par_Gen(0); },
         [](Par_Gen& S) {
             S = Default_Par_Gen(0);
             S.Device_Type_Type = 1;
         },
         {QStringLiteral("Device Type: Without Ethernet Port \u2192 With Ethernet Port"),
          QStringLiteral("Modbus RTU - Data Bits: 8 \u2192 "),
          QStringLiteral("Modbus ASCII - Data Bits: 8 \u2192 ")}},
        {"a list entry",
         Nothing,
         [](Par_Gen& S) { S.BAUD_RTU = 3; },
         {QStringLiteral("Modbus RTU - Baudrate: 115200 \u2192 9600")}},
        {"nothing chosen both ways, stored differently",
         [](Par_Gen& S) { S.PAR_ASCII = -1; },
         [](Par_Gen& S) { S.PAR_ASCII = 7; },
         {}},
        {"an address byte",
         Nothing,
         [](Par_Gen& S) { S.Ethernet_IP4 = QStringLiteral("11"); },
         {QStringLiteral("Ethernet - IP Address: 192.168.0.10 \u2192 192.168.0.11")}},
        {"equal", Nothing, Nothing, {}},
    };
    for (const Change_Case& Case : Cases) {
        Par_Gen A;
        Par_Gen B;
        Case.Before(A);
        Case.After(B);
        QStringList Got;
        for (const Diff_Line& Line : Diff_Par_Gen(A, B, State))
            Got.append(Diff_Text(Line));
        EXPECT_EQ(Got, Case.Expected) << Case.Name;
    }
}

// The stored values stay beside the shown texts for a reader that needs them.
TEST(Config_Diff, Lines_Keep_The_Stored_Values) {
    Shared_State State;
    Load_Default_Strings(State.Lang_Strings);
    Par_Gen A = Default_Par_Gen(0);
    Par_Gen B = A;
    B.Device_Type_Type = 1;
    B.DATA_RTU = B.DATA_ASCII = 1;
    B.Ethernet_EN_GAT = true;
    const QList<Diff_Line> Lines = Diff_Par_Gen(A, B, State);
    ASSERT_EQ(Lines.size(), 2);
    EXPECT_EQ(Lines[0].Elements, QStringList{QStringLiteral("Device_Type_Type")});
    EXPECT_EQ(Lines[0].From_Values, QStringList{QStringLiteral("0")});
    EXPECT_EQ(Lines[0].To_Values, QStringList{QStringLiteral("1")});
    EXPECT_EQ(Diff_Text(Lines[1]), QStringLiteral("Ethernet - Gateway: disabled \u2192 enabled"));
    EXPECT_EQ(Lines[1].To_Values, QStringList{QStringLiteral("1")});
}
