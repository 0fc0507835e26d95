#include "Qt_Print.h"
#include "util/Text_Convert.h"

#include <gtest/gtest.h>

using vo::Text_To_Int;

TEST(Text_To_Int, Converts_Decimal_And_Hexadecimal_Forms) {
    const struct {
        const char* Text;
        int Value;
    } Cases[] = {
        {"0", 0},
        {"42", 42},
        {"  42", 42},
        {"+7", 7},
        {"-1", -1},
        {"01", 1},
        {"$1F", 31},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0XfF", 255},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$FFFFFFFF", -1},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Text_To_Int(QString::fromUtf8(Case.Text)), Case.Value) << Case.Text;
}

TEST(Text_To_Int, Refuses_Anything_Else) {
    const char* Cases[] = {"",    " ",   "-",          "+",           "$",          "0x",  "12 ", "1a",
                           "\t5", "1.0", "2147483648", "-2147483649", "$100000000", "--1", "+-1", "٣"};
    for (const char* Text : Cases)
        EXPECT_FALSE(Text_To_Int(QString::fromUtf8(Text)).has_value()) << Text;
    EXPECT_EQ(vo::Text_To_Int_Def(QStringLiteral("abc"), 9600), 9600);
}

TEST(Trim_Text, Removes_Control_Characters_And_Blanks_At_Both_Ends_Only) {
    EXPECT_EQ(vo::Trim_Text(QStringLiteral("\t \r\n a b \x01\x1f ")), QStringLiteral("a b"));
    EXPECT_EQ(vo::Trim_Text(QStringLiteral("   ")), QString());
    EXPECT_EQ(vo::Trim_Text(QString::fromUtf8("\u00a0x\u00a0")), QString::fromUtf8("\u00a0x\u00a0"));
}
