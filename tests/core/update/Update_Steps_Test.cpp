#include "Qt_Print.h"
#include "update/Update_Steps.h"

#include <gtest/gtest.h>

TEST(Update_Options, Appends_The_Four_Step_Codes_Of_Each_Choice) {
    const struct {
        int Option;
        bool Read_Back;
        const char* Codes;
    } Cases[] = {
        {0, true, "FW FR PW PR "},
        {0, false, "FW NO PW NO "},
        {1, true, "FW FR NO NO "},
        {1, false, "FW NO NO NO "},
        {2, true, "NO NO PW PR "},
        {2, false, "NO NO PW NO "},
        {-1, true, ""},
        {3, false, ""},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(vo::Update_Options(QStringLiteral("x "), {Case.Option, Case.Read_Back}),
                  QStringLiteral("x ") + QLatin1String(Case.Codes))
            << Case.Option << " " << Case.Read_Back;
    }
}
