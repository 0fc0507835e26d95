#include "Qt_Print.h"
#include "params/Par_Gen_Assign.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

vo::Status Apply(vo::Par_Gen& Set, const char* Assignment) {
    return vo::Apply_Par_Gen_Text(Set, QString::fromUtf8(Assignment));
}

} // namespace

TEST(Apply_Par_Gen_Text, Sets_The_Named_Field) {
    struct Case {
        const char* Assignment;
        std::function<void(vo::Par_Gen&)> Expect;
    };
    const Case Cases[] = {
        {"MODE_DEV=1",
         [](vo::Par_Gen& S) {
             S.MODE_DEV = 1;
         }},
        {"BAUD_ASCII=0",
         [](vo::Par_Gen& S) {
             S.BAUD_ASCII = 0;
         }},
        {"DATA_RTU=0",
         [](vo::Par_Gen& S) {
             S.DATA_RTU = 0;
         }},
        {"PAR_RTU=01",
         [](vo::Par_Gen& S) {
             S.PAR_RTU = 1;
         }},
        {"TO_RTU=",
         [](vo::Par_Gen& S) {
             S.TO_RTU = QString();
         }},
        {"TO_ASCII= 250 ",
         [](vo::Par_Gen& S) {
             S.TO_ASCII = QStringLiteral(" 250 ");
         }},
        {"Ethernet_IP1=a=b",
         [](vo::Par_Gen& S) {
             S.Ethernet_IP1 = QStringLiteral("a=b");
         }},
        {"Ethernet_SM4=\xc3\x9c",
         [](vo::Par_Gen& S) {
             S.Ethernet_SM4 = QString::fromUtf8("\xc3\x9c");
         }},
        {"Ethernet_EN_GAT=1",
         [](vo::Par_Gen& S) {
             S.Ethernet_EN_GAT = true;
         }},
    };
    for (const Case& C : Cases) {
        vo::Par_Gen Set = vo::Default_Par_Gen(0);
        vo::Par_Gen Expected = Set;
        C.Expect(Expected);
        const vo::Status Applied = Apply(Set, C.Assignment);
        EXPECT_TRUE(Applied) << C.Assignment << ": " << Applied.Error().toStdString();
        EXPECT_EQ(Set, Expected) << C.Assignment;
    }
}

TEST(Apply_Par_Gen_Text, Refuses_Bad_Input_And_Leaves_The_Set_Alone) {
    struct Case {
        const char* Assignment;
        const char* Error_Part;
    };
    const Case Cases[] = {
        {"MODE_DEV", "Element=value"},
        {"", "Element=value"},
        {"Speed=3", "unknown element \"Speed\""},
        {"=3", "unknown element \"\""},
        {"mode_dev=1", "did you mean MODE_DEV?"},
        {"MODE_DEV =1", "unknown element \"MODE_DEV \""},
        {"BAUD_RTU=9", "0 \"1200\", 1 \"2400\""},
        {"BAUD_RTU=9600", "BAUD_RTU: \"9600\" is not an entry"},
        {"BAUD_RTU=-1", "\"-1\" is not an entry"},
        {"BAUD_RTU=", "\"\" is not an entry"},
        {"BAUD_RTU=abc", "\"abc\" is not an entry"},
        {"DATA_RTU=4", "0 \"5\", 1 \"6\", 2 \"7\", 3 \"8\")"},
        {"Ethernet_EN_GAT=true", "neither \"1\""},
        {"Ethernet_EN_GAT=", "neither \"1\""},
        {"TO_RTU=10\n00", "control character"},
    };
    for (const Case& C : Cases) {
        vo::Par_Gen Set = vo::Default_Par_Gen(0);
        const vo::Status Applied = Apply(Set, C.Assignment);
        ASSERT_FALSE(Applied) << C.Assignment;
        EXPECT_TRUE(Applied.Error().contains(QString::fromUtf8(C.Error_Part)))
            << Applied.Error().toStdString();
        EXPECT_EQ(Set, vo::Default_Par_Gen(0)) << C.Assignment;
    }
}

TEST(Apply_Par_Gen_Text, Data_Bits_Index_Follows_The_Device_Type_Held) {
    vo::Par_Gen Set = vo::Default_Par_Gen(1);
    EXPECT_FALSE(Apply(Set, "DATA_ASCII=2"));
    EXPECT_TRUE(Apply(Set, "Device_Type_Type=0"));
    EXPECT_TRUE(Apply(Set, "DATA_ASCII=2"));
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, Set.Device_Type_Type, Set.DATA_ASCII),
              QStringLiteral("7"));
}

TEST(Apply_Par_Gen_Text, Runs_The_Dialog_Change_Rules) {
    vo::Par_Gen Set = vo::Default_Par_Gen(0);
    ASSERT_TRUE(Apply(Set, "DATA_RTU=1")); // "6"
    ASSERT_TRUE(Apply(Set, "Device_Type_Type=1"));
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 1, Set.DATA_RTU), QStringLiteral("8"));

    ASSERT_TRUE(Apply(Set, "SER_RTU=0"));
    ASSERT_TRUE(Apply(Set, "SER_ASCII=0"));
    EXPECT_EQ(Set.SER_ASCII, 0);
    EXPECT_EQ(Set.SER_RTU, 1); // switched to RS485
}

TEST(Apply_Par_Gen_Text, Reapplying_Every_Shown_Value_Rebuilds_The_Set) {
    // What a listing of Field_Text lines holds, applied in table order to another set.
    vo::Par_Gen Source = vo::Default_Par_Gen(0);
    Source.MODE_DEV = 1;
    Source.SER_RTU = 0;
    Source.BAUD_RTU = 2;
    Source.PAR_ASCII = 2;
    Source.DATA_RTU = 0;
    Source.DATA_ASCII = 2;
    Source.STOP_ASCII = 1;
    Source.TO_RTU = QStringLiteral("abc");
    Source.Ethernet_IP3 = QStringLiteral("300");
    Source.Ethernet_EN_GAT = true;

    vo::Par_Gen Target = vo::Missing_File_Par_Gen();
    Target.SER_ASCII = 0;
    for (const vo::Par_Field& Field : vo::Par_Fields()) {
        const QString Line = QLatin1String(Field.Element) + u'=' + vo::Field_Text(Source, Field);
        EXPECT_TRUE(vo::Apply_Par_Gen_Text(Target, Line)) << Line.toStdString();
    }
    EXPECT_EQ(Target, Source);
}
