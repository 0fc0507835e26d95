#include "platform/Ipv4_Text.h"

#include <gtest/gtest.h>

using Bytes = std::array<std::uint8_t, 4>;

TEST(Parse_Numeric_Ipv4, Takes_Four_Plain_Decimal_Bytes) {
    EXPECT_EQ(vo::Parse_Numeric_Ipv4("192.168.2.205"), (Bytes{192, 168, 2, 205}));
    EXPECT_EQ(vo::Parse_Numeric_Ipv4("0.0.0.0"), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(vo::Parse_Numeric_Ipv4("255.255.255.255"), (Bytes{255, 255, 255, 255}));
    EXPECT_EQ(vo::Parse_Numeric_Ipv4("127.0.0.1"), (Bytes{127, 0, 0, 1}));
}

TEST(Parse_Numeric_Ipv4, Refuses_Every_Other_Text) {
    for (const char* Text : {"",           ".",        "...",       "1.2.3",      "1.2.3.4.",   ".1.2.3.4",
                             "1.2.3.4.5",  "1..2.3",   "256.1.1.1", "1.1.1.256",  "1000.1.1.1", "01.2.3.4",
                             "1.2.3.00",   "1.2.3.-4", "+1.2.3.4",  " 1.2.3.4",   "1.2.3.4 ",   "1. 2.3.4",
                             "0x7f.0.0.1", "1.2.3.x",  "localhost", "2130706433", "::1"})
        EXPECT_FALSE(vo::Parse_Numeric_Ipv4(Text)) << Text;
}
