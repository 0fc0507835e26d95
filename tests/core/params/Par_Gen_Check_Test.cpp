#include "Qt_Print.h"
#include "params/Par_Gen_Check.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

using Change = std::function<void(vo::Par_Gen&)>;

// A set that passes every rule with everything shown: device type 1, RS485 on both sides.
vo::Par_Gen Passing_Set() {
    vo::Par_Gen Set = vo::Default_Par_Gen(1);
    Set.Ethernet_EN_GAT = true;
    return Set;
}

constexpr vo::Par_Gen_View Everything_Shown{true, true, true};

void Set_All_Address_Bytes(vo::Par_Gen& Set, const QString& Text) {
    for (QString vo::Par_Gen::*Byte : vo::Address_Bytes)
        Set.*Byte = Text;
}

int Check(const Change& Edit) {
    vo::Par_Gen Set = Passing_Set();
    Edit(Set);
    return vo::Controllo_Dati(Set, vo::Shown_View(Set));
}

} // namespace

TEST(Shown_View, Follows_Operation_Mode_And_Device_Type) {
    struct Case {
        int Mode;
        int Device_Type;
        bool RTU_TimeOut;
        bool ASCII_TimeOut;
        bool Ethernet;
    };
    const Case Cases[] = {
        {0, 0, false, true, false},
        {1, 0, true, false, false},
        {0, 1, false, true, true},
        {vo::Nothing_Chosen, vo::Nothing_Chosen, true, false, true},
    };
    for (const Case& C : Cases) {
        vo::Par_Gen Set;
        Set.MODE_DEV = C.Mode;
        Set.Device_Type_Type = C.Device_Type;
        const vo::Par_Gen_View View = vo::Shown_View(Set);
        EXPECT_EQ(View.RTU_TimeOut_Shown, C.RTU_TimeOut) << C.Mode << ' ' << C.Device_Type;
        EXPECT_EQ(View.ASCII_TimeOut_Shown, C.ASCII_TimeOut) << C.Mode << ' ' << C.Device_Type;
        EXPECT_EQ(View.Ethernet_Shown, C.Ethernet) << C.Mode << ' ' << C.Device_Type;
    }
}

TEST(Controllo_Dati, Each_Serial_Rule_Gives_Its_Message) {
    struct Case {
        const char* What;
        Change Edit;
        int Id;
    };
    const Case Cases[] = {
        {"type 0, RTU RS232, 7 data bits",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.SER_RTU = 0;
             S.DATA_RTU = 2;
         },
         479},
        {"type 0, RTU RS232, nothing chosen as data bits",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.SER_RTU = 0;
             S.DATA_RTU = vo::Nothing_Chosen;
         },
         479},
        {"type 0, RTU RS232, 8 data bits, 2 stop bits",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.SER_RTU = 0;
             S.DATA_RTU = 3;
             S.STOP_RTU = 1;
         },
         480},
        {"type 1, RTU parity ODD, 2 stop bits",
         [](vo::Par_Gen& S) {
             S.PAR_RTU = 1;
             S.STOP_RTU = 1;
         },
         481},
        {"type 1, RTU parity nothing chosen, 2 stop bits",
         [](vo::Par_Gen& S) {
             S.PAR_RTU = vo::Nothing_Chosen;
             S.STOP_RTU = 1;
         },
         481},
        {"type 1, RTU parity EVEN, stop bits nothing chosen",
         [](vo::Par_Gen& S) {
             S.PAR_RTU = 2;
             S.STOP_RTU = vo::Nothing_Chosen;
         },
         481},
        {"type nothing chosen, RTU parity ODD, 2 stop bits",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = vo::Nothing_Chosen;
             S.PAR_RTU = 1;
             S.STOP_RTU = 1;
         },
         481},
        {"mode 1, RTU TimeOut 0",
         [](vo::Par_Gen& S) {
             S.MODE_DEV = 1;
             S.TO_RTU = QStringLiteral("0");
         },
         482},
        {"type 0, ASCII RS232, 5 data bits",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.SER_ASCII = 0;
             S.DATA_ASCII = 0;
         },
         483},
        {"type 0, ASCII RS232, 8 data bits, 2 stop bits",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.SER_ASCII = 0;
             S.DATA_ASCII = 3;
             S.STOP_ASCII = 1;
         },
         484},
        {"type 1, ASCII parity EVEN, 2 stop bits",
         [](vo::Par_Gen& S) {
             S.PAR_ASCII = 2;
             S.STOP_ASCII = 1;
         },
         485},
        {"mode 0, ASCII TimeOut 60001", [](vo::Par_Gen& S) { S.TO_ASCII = QStringLiteral("60001"); }, 486},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Check(C.Edit), C.Id) << C.What;
}

TEST(Controllo_Dati, Serial_Settings_That_Pass) {
    const std::pair<const char*, Change> Cases[] = {
        {"type 1, RTU RS232 with 7 data bits",
         [](vo::Par_Gen& S) {
             S.SER_RTU = 0;
             S.DATA_RTU = 0;
         }},
        {"type 1, parity NONE with 2 stop bits",
         [](vo::Par_Gen& S) {
             S.PAR_RTU = 0;
             S.STOP_RTU = 1;
         }},
        {"type 1, parity ODD with 1 stop bit",
         [](vo::Par_Gen& S) {
             S.PAR_ASCII = 1;
             S.STOP_ASCII = 0;
         }},
        {"type 0, RS485, parity EVEN, 2 stop bits",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.DATA_RTU = 3;
             S.PAR_RTU = 2;
             S.STOP_RTU = 1;
         }},
        {"type 0, RS232 on both sides with 8 data bits and 1 stop bit",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.SER_RTU = S.SER_ASCII = 0;
             S.DATA_RTU = S.DATA_ASCII = 3;
         }},
        {"type 0, RS485 with 5 data bits",
         [](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.DATA_RTU = 0;
         }},
    };
    for (const auto& [What, Edit] : Cases)
        EXPECT_EQ(Check(Edit), 0) << What;
}

TEST(Controllo_Dati, The_Shown_TimeOut_Is_Range_Checked_And_The_Hidden_One_Must_Be_An_Integer) {
    struct Case {
        const char* Text;
        bool Passes;
        bool Integer; // enough while hidden: the images take any integer
    };
    const Case Cases[] = {
        {"0", false, true},    {"60001", false, true}, {"", false, false},    {"abc", false, false},
        {"-1", false, true},   {"1 ", false, false},   {"5=6", false, false}, {"1", true, true},
        {"60000", true, true}, {"01", true, true},     {" 1000", true, true},
    };
    for (const Case& C : Cases) {
        const QString Text = QString::fromLatin1(C.Text);
        // Mode 0: the ASCII side is master and shown, the RTU TimeOut is hidden.
        EXPECT_EQ(Check([&](vo::Par_Gen& S) { S.TO_ASCII = Text; }), C.Passes ? 0 : 486) << C.Text;
        EXPECT_EQ(Check([&](vo::Par_Gen& S) { S.TO_RTU = Text; }), C.Integer ? 0 : 482) << C.Text;
        // Mode 1: the reverse.
        EXPECT_EQ(Check([&](vo::Par_Gen& S) {
                      S.MODE_DEV = 1;
                      S.TO_RTU = Text;
                  }),
                  C.Passes ? 0 : 482)
            << C.Text;
        EXPECT_EQ(Check([&](vo::Par_Gen& S) {
                      S.MODE_DEV = 1;
                      S.TO_ASCII = Text;
                  }),
                  C.Integer ? 0 : 486)
            << C.Text;
    }
}

TEST(Controllo_Dati, Each_Address_Byte_Gives_Its_Message) {
    for (std::size_t Byte = 0; Byte < vo::Address_Bytes.size(); ++Byte) {
        const int Id = 487 + static_cast<int>(Byte);
        for (const char* Bad : {"256", "-1", "abc", "", "300"})
            EXPECT_EQ(Check([&](vo::Par_Gen& S) { S.*vo::Address_Bytes[Byte] = QString::fromLatin1(Bad); }),
                      Id)
                << Byte << ' ' << Bad;
        for (const char* Good : {"0", "255", "010"})
            EXPECT_EQ(Check([&](vo::Par_Gen& S) { S.*vo::Address_Bytes[Byte] = QString::fromLatin1(Good); }),
                      0)
                << Byte << ' ' << Good;
    }
}

TEST(Controllo_Dati, Hidden_Address_Bytes_Are_Not_Checked) {
    // Without Ethernet port the panel is hidden: "300" is saved as it is.
    EXPECT_EQ(Check([&](vo::Par_Gen& S) {
                  S.Device_Type_Type = 0;
                  S.DATA_RTU = S.DATA_ASCII = 3;
                  Set_All_Address_Bytes(S, QStringLiteral("300"));
              }),
              0);
    // Gateway not ticked: its bytes are skipped, the others still count.
    EXPECT_EQ(Check([](vo::Par_Gen& S) {
                  S.Ethernet_EN_GAT = false;
                  S.Ethernet_GAT1 = S.Ethernet_GAT4 = QStringLiteral("999");
              }),
              0);
    EXPECT_EQ(Check([](vo::Par_Gen& S) {
                  S.Ethernet_EN_GAT = false;
                  S.Ethernet_SM4 = QStringLiteral("999");
              }),
              494);
}

TEST(Controllo_Dati, The_View_Decides_Not_The_Values) {
    vo::Par_Gen Set = Passing_Set();
    Set.TO_RTU = QStringLiteral("70000");
    Set.Ethernet_IP1 = QStringLiteral("abc");
    EXPECT_EQ(vo::Controllo_Dati(Set, {false, true, false}), 0);
    EXPECT_EQ(vo::Controllo_Dati(Set, {true, true, false}), 482);
    EXPECT_EQ(vo::Controllo_Dati(Set, {false, false, true}), 487);
}

TEST(Controllo_Dati, The_First_Failing_Rule_Wins) {
    // Everything broken at once, then repaired one message at a time: the messages must come
    // in the order of the rules.
    struct Chain {
        const char* What;
        Change Break_All;
        std::vector<int> Ids;
    };
    std::vector<int> Address_Ids;
    for (int Id = 487; Id <= 498; ++Id)
        Address_Ids.push_back(Id);
    const Chain Chains[] = {
        {"device type 0",
         [&](vo::Par_Gen& S) {
             S.Device_Type_Type = 0;
             S.SER_RTU = S.SER_ASCII = 0;
             S.DATA_RTU = S.DATA_ASCII = 1;
             S.STOP_RTU = S.STOP_ASCII = 1;
             S.TO_RTU = S.TO_ASCII = QStringLiteral("0");
             Set_All_Address_Bytes(S, QStringLiteral("256"));
         },
         {479, 480, 482, 483, 484, 486}},
        {"device type 1",
         [&](vo::Par_Gen& S) {
             S.PAR_RTU = S.PAR_ASCII = 1;
             S.STOP_RTU = S.STOP_ASCII = 1;
             S.TO_RTU = S.TO_ASCII = QStringLiteral("0");
             Set_All_Address_Bytes(S, QStringLiteral("256"));
         },
         {481, 482, 485, 486}},
    };
    // Each message, and the repair that makes its rule pass.
    std::map<int, Change> Repair = {
        {479,
         [](vo::Par_Gen& S) {
             S.DATA_RTU = 3;
         }},
        {480,
         [](vo::Par_Gen& S) {
             S.STOP_RTU = 0;
         }},
        {481,
         [](vo::Par_Gen& S) {
             S.STOP_RTU = 0;
         }},
        {482,
         [](vo::Par_Gen& S) {
             S.TO_RTU = QStringLiteral("1000");
         }},
        {483,
         [](vo::Par_Gen& S) {
             S.DATA_ASCII = 3;
         }},
        {484,
         [](vo::Par_Gen& S) {
             S.STOP_ASCII = 0;
         }},
        {485,
         [](vo::Par_Gen& S) {
             S.STOP_ASCII = 0;
         }},
        {486,
         [](vo::Par_Gen& S) {
             S.TO_ASCII = QStringLiteral("1000");
         }},
    };
    for (std::size_t Byte = 0; Byte < vo::Address_Bytes.size(); ++Byte)
        Repair[487 + static_cast<int>(Byte)] = [Byte](vo::Par_Gen& S) {
            S.*vo::Address_Bytes[Byte] = QStringLiteral("1");
        };
    for (const Chain& C : Chains) {
        vo::Par_Gen Set = Passing_Set();
        C.Break_All(Set);
        std::vector<int> Expected = C.Ids;
        Expected.insert(Expected.end(), Address_Ids.begin(), Address_Ids.end());
        std::vector<int> Seen;
        for (int Id = vo::Controllo_Dati(Set, Everything_Shown); Id != 0 && Seen.size() < 40;
             Id = vo::Controllo_Dati(Set, Everything_Shown)) {
            Seen.push_back(Id);
            if (!Repair.contains(Id))
                break;
            Repair[Id](Set);
        }
        EXPECT_EQ(Seen, Expected) << C.What;
    }
}
