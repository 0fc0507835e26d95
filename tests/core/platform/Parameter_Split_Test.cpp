#include "platform/linux/Parameter_Split.h"

#include <gtest/gtest.h>

using Words = std::vector<std::string>;

TEST(Split_Parameter_Text, Follows_The_Shell_Quoting_Rules_Without_Expanding) {
    const struct {
        const char* Text;
        Words Expected;
    } Cases[] = {
        {"", {}},
        {"  \t\n ", {}},
        {"/dev/ttyS0 FW FR PW PR ", {"/dev/ttyS0", "FW", "FR", "PW", "PR"}},
        {R"("/a b/sim40913.sim" "/p q/bin/")", {"/a b/sim40913.sim", "/p q/bin/"}},
        {R"("" x '')", {"", "x", ""}},
        {R"(a"b c"d)", {"ab cd"}},
        {R"("say \"hi\" \\ \$HOME \x")", {R"(say "hi" \ $HOME \x)"}},
        {R"('it\s "raw" $HOME')", {R"(it\s "raw" $HOME)"}},
        {R"(a\ b \"c \\d)", {"a b", "\"c", "\\d"}},
        {"a \\\n b \"c\\\nd\"", {"a", "b", "cd"}},
        {"*.sim ~ $(x) `y` ; | &", {"*.sim", "~", "$(x)", "`y`", ";", "|", "&"}},
    };
    for (const auto& Case : Cases) {
        const auto Split = vo::Split_Parameter_Text(Case.Text);
        ASSERT_TRUE(Split) << Case.Text;
        EXPECT_EQ(*Split, Case.Expected) << Case.Text;
    }
}

TEST(Split_Parameter_Text, Open_Quotes_And_A_Lone_Final_Backslash_Fail) {
    for (const char* Text : {R"(a "b)", "a 'b", R"(a \)", R"("C:\Tools\PROJECTS\Plant1\bin\")"})
        EXPECT_FALSE(vo::Split_Parameter_Text(Text)) << Text;
}
