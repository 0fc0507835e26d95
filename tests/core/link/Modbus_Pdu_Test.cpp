#include "link/Modbus_Pdu.h"
#include "link/Register_Table.h"

#include <gtest/gtest.h>

using namespace vo;
namespace F = Modbus_Function;

namespace {

QByteArray Hex(const char* Text) {
    return QByteArray::fromHex(Text);
}

TEST(Modbus_Pdu, Requests_Are_Refused_Beyond_Their_Functions_Limits) {
    struct Case {
        Modbus_Request Request;
        bool Fine;
    };
    const auto Values = [](int N) {
        return QList<std::uint16_t>(N, 1);
    };
    const Case Cases[] = {
        {{F::Read_Holding_Registers, 0, 125, {}}, true},
        {{F::Read_Holding_Registers, 0, 126, {}}, false},
        {{F::Read_Input_Registers, 0, 0, {}}, false},
        {{F::Read_Coils, 0, 2000, {}}, true},
        {{F::Read_Discrete_Inputs, 0, 2001, {}}, false},
        {{F::Write_Multiple_Coils, 0, 1968, Values(1968)}, true},
        {{F::Write_Multiple_Coils, 0, 1969, Values(1969)}, false},
        {{F::Write_Multiple_Registers, 0, 123, Values(123)}, true},
        {{F::Write_Multiple_Registers, 0, 124, Values(124)}, false},
        {{F::Write_Single_Register, 0, 2, Values(2)}, false},
        {{F::Read_Holding_Registers, 65530, 6, {}}, true},
        {{F::Read_Holding_Registers, 65530, 7, {}}, false},
        {{7, 0, 1, {}}, false},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Request_Problem(C.Request).isEmpty(), C.Fine)
            << C.Request.Function << " " << C.Request.Start << " " << C.Request.Count;
}

// What a request carries reads back the same, for every function.
TEST(Modbus_Pdu, Requests_Read_Back_As_Formed) {
    const Modbus_Request Requests[] = {
        {F::Read_Coils, 19, 37, {}},
        {F::Read_Discrete_Inputs, 196, 22, {}},
        {F::Read_Holding_Registers, 107, 3, {}},
        {F::Read_Input_Registers, 8, 1, {}},
        {F::Write_Single_Coil, 172, 1, {1}},
        {F::Write_Single_Register, 1, 1, {3}},
        {F::Write_Multiple_Coils, 19, 10, {1, 0, 1, 1, 0, 0, 1, 1, 1, 0}},
        {F::Write_Multiple_Registers, 1, 2, {0x000A, 0x0102}},
    };
    for (const Modbus_Request& R : Requests) {
        const Pdu_Meaning M = Decode_Request(Request_Pdu(R));
        EXPECT_TRUE(M.Valid) << R.Function;
        EXPECT_EQ(M.Function, R.Function);
        EXPECT_EQ(M.Start, R.Start);
        EXPECT_EQ(M.Count, R.Count);
        EXPECT_EQ(M.Values, R.Values) << R.Function;
    }
    // The published example of function 15: coils 20 to 29 of the reference's numbering.
    EXPECT_EQ(Request_Pdu({F::Write_Multiple_Coils, 19, 10, {1, 0, 1, 1, 0, 0, 1, 1, 1, 0}}),
              Hex("0F0013000A02CD01"));
    EXPECT_EQ(Request_Pdu({F::Write_Single_Coil, 172, 1, {1}}), Hex("0500ACFF00"));
}

TEST(Modbus_Pdu, Answers_And_Exceptions_Decode) {
    const Pdu_Meaning Registers = Decode_Response(Hex("0306022B00000064"), 3);
    EXPECT_TRUE(Registers.Valid);
    EXPECT_EQ(Registers.Values, (QList<std::uint16_t>{0x022B, 0, 0x64}));
    EXPECT_FALSE(Decode_Response(Hex("0306022B00000064"), 2).Valid) << "three registers for two asked";
    const Pdu_Meaning Coils = Decode_Response(Hex("0103CD6B05"), 19);
    EXPECT_TRUE(Coils.Valid);
    EXPECT_EQ(Coils.Values.size(), 19);
    EXPECT_EQ(Coils.Values.first(), 1);
    const Pdu_Meaning Gateway = Decode_Response(Hex("830B"));
    EXPECT_EQ(Gateway.Function, 3);
    EXPECT_EQ(Gateway.Exception, 0x0B);
    EXPECT_EQ(Describe_Response(Gateway),
              QStringLiteral("exception 0B: Gateway target device failed to respond"));
    EXPECT_FALSE(Decode_Response(Hex("0306022B")).Valid) << "shorter than its byte count";
}

TEST(Modbus_Pdu, Rtu_Length_Rules) {
    EXPECT_EQ(Rtu_Request_Length(Hex("01")), 0);
    EXPECT_EQ(Rtu_Request_Length(Hex("0103")), 8);
    EXPECT_EQ(Rtu_Request_Length(Hex("0110000000")), 0);
    EXPECT_EQ(Rtu_Request_Length(Hex("01100000000204")), 13);
    EXPECT_EQ(Rtu_Request_Length(Hex("0141")), -1);
    EXPECT_EQ(Rtu_Response_Length(Hex("0103")), 0);
    EXPECT_EQ(Rtu_Response_Length(Hex("010306")), 11);
    EXPECT_EQ(Rtu_Response_Length(Hex("0183")), 5);
    EXPECT_EQ(Rtu_Response_Length(Hex("0110")), 8);
}

TEST(Modbus_Pdu, The_Register_Table_Answers_As_A_Field_Device) {
    Register_Table Table;
    EXPECT_EQ(Table.Answer(Request_Pdu({F::Write_Multiple_Registers, 10, 2, {7, 8}})), Hex("10000A0002"));
    EXPECT_EQ(Table.Answer(Request_Pdu({F::Read_Holding_Registers, 10, 2, {}})), Hex("030400070008"));
    EXPECT_EQ(Table.Answer(Request_Pdu({F::Write_Single_Coil, 3, 1, {1}})), Hex("050003FF00"));
    EXPECT_EQ(Table.Answer(Request_Pdu({F::Read_Coils, 0, 4, {}})), Hex("010108"));
    EXPECT_EQ(Table.Answer(Hex("4100")), Hex("C101"));
    EXPECT_EQ(Table.Answer(Hex("0300000080")), Hex("8303")) << "128 registers";
    EXPECT_EQ(Table.Answer(Hex("03FFFF0002")), Hex("8302")) << "beyond the last address";
}

} // namespace
