#include "Qt_Print.h"
#include "params/Input_Rules.h"

#include <gtest/gtest.h>

namespace {

constexpr int RS232 = 0;
constexpr int RS485 = 1;

} // namespace

TEST(Check_Serial_Port, Only_One_Side_Stays_On_RS232) {
    struct Case {
        vo::Modbus_Side Changed;
        int RTU_Before;
        int ASCII_Before;
        int RTU_After;
        int ASCII_After;
    };
    const Case Cases[] = {
        {vo::Modbus_Side::ASCII, RS232, RS232, RS485, RS232},
        {vo::Modbus_Side::RTU, RS232, RS232, RS232, RS485},
        {vo::Modbus_Side::RTU, RS232, RS485, RS232, RS485},
        {vo::Modbus_Side::RTU, RS485, RS485, RS485, RS485},
        {vo::Modbus_Side::ASCII, RS232, RS485, RS232, RS485},
        {vo::Modbus_Side::ASCII, vo::Nothing_Chosen, RS232, vo::Nothing_Chosen, RS232},
        {vo::Modbus_Side::RTU, vo::Nothing_Chosen, RS232, vo::Nothing_Chosen, RS232},
    };
    for (const Case& C : Cases) {
        vo::Par_Gen Set;
        Set.SER_RTU = C.RTU_Before;
        Set.SER_ASCII = C.ASCII_Before;
        vo::Par_Gen Expected = Set;
        Expected.SER_RTU = C.RTU_After;
        Expected.SER_ASCII = C.ASCII_After;
        EXPECT_EQ(vo::Check_Serial_Port(Set, C.Changed), !(Expected == Set))
            << C.RTU_Before << ' ' << C.ASCII_Before;
        EXPECT_EQ(Set, Expected) << C.RTU_Before << ' ' << C.ASCII_Before;
    }
}

TEST(Data_Bits_Choice, Keeps_The_Entry_Or_Falls_Back_On_Eight) {
    struct Case {
        const char* Shown;
        int Device_Type;
        const char* Chosen;
    };
    const Case Cases[] = {
        {"5", 0, "5"},
        {"6", 0, "6"},
        {"7", 0, "7"},
        {"8", 0, "8"},
        {"", 0, "8"},
        {"5", 1, "8"},
        {"6", 1, "8"},
        {"7", 1, "7"},
        {"8", 1, "8"},
        {"", 1, "8"},
        {"7", vo::Nothing_Chosen, "7"},
        {"6", vo::Nothing_Chosen, "8"},
    };
    for (const Case& C : Cases) {
        const int Index = vo::Data_Bits_Choice(QString::fromLatin1(C.Shown), C.Device_Type);
        EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, C.Device_Type, Index),
                  QString::fromLatin1(C.Chosen))
            << C.Shown << ' ' << C.Device_Type;
    }
}

TEST(Set_Device_Type, Both_Data_Bits_Follow_By_Their_Text) {
    vo::Par_Gen Set = vo::Default_Par_Gen(0);
    Set.DATA_RTU = 1;   // "6"
    Set.DATA_ASCII = 2; // "7"
    vo::Set_Device_Type(Set, 1);
    EXPECT_EQ(Set.Device_Type_Type, 1);
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 1, Set.DATA_RTU), QStringLiteral("8"));
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 1, Set.DATA_ASCII), QStringLiteral("7"));

    vo::Set_Device_Type(Set, 0);
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 0, Set.DATA_RTU), QStringLiteral("8"));
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 0, Set.DATA_ASCII), QStringLiteral("7"));

    Set.DATA_RTU = vo::Nothing_Chosen;
    vo::Set_Device_Type(Set, 0);
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 0, Set.DATA_RTU), QStringLiteral("8"));
}
