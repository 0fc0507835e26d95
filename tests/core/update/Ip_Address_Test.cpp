#include "Qt_Print.h"
#include "update/Ip_Address.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(Split_IP_Address, Valid_Texts_Give_Four_Trimmed_Parts) {
    const struct {
        const char* Text;
        const char* Parts[4];
    } Cases[] = {
        {"192.168.2.205", {"192", "168", "2", "205"}},
        {"  192 . 168 .\t2 . 205 \n", {"192", "168", "2", "205"}},
        {" 10 . 0 . 0 . 7 ", {"10", "0", "0", "7"}},
        {"0.0.0.0", {"0", "0", "0", "0"}},
        {"255.255.255.255", {"255", "255", "255", "255"}},
        {"010.001.000.007", {"010", "001", "000", "007"}},
        {"0xFF.$10.+1.-0", {"0xFF", "$10", "+1", "-0"}},
    };
    for (const auto& Case : Cases) {
        QString A, B, C, D;
        ASSERT_TRUE(vo::Split_IP_Address(QString::fromUtf8(Case.Text), A, B, C, D)) << Case.Text;
        QStringList Expected;
        for (const char* Part : Case.Parts)
            Expected.append(QLatin1String(Part));
        EXPECT_EQ(QStringList() << A << B << C << D, Expected) << Case.Text;
    }
}

TEST(Split_IP_Address, Everything_Else_Fails) {
    for (const char* Text :
         {"", "   ", "10", "10.0.0", "10.0.0.", "10.0.0.999", "10.0.0.7.1", "256.1.1.1", "1.1.1.-1", "1..1.1",
          "...", "x.1.1.1", "1.1.1.1x", "1.1.1.0x100", "1e2.1.1.1", "1 1.1.1.1", "99999999999.1.1.1"}) {
        QString A, B, C, D;
        EXPECT_FALSE(vo::Split_IP_Address(QString::fromUtf8(Text), A, B, C, D)) << Text;
    }
}

TEST(Split_IP_Address, Join_Keeps_The_Fields_As_Typed) {
    EXPECT_EQ(vo::Join_IP_Address(QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("2"),
                                  QStringLiteral("205")),
              QStringLiteral("192.168.2.205"));
    EXPECT_EQ(
        vo::Join_IP_Address(QStringLiteral(" 010"), QString(), QStringLiteral("x"), QStringLiteral("7 ")),
        QStringLiteral(" 010..x.7 "));
}
