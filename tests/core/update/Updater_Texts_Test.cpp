#include "Qt_Print.h"
#include "update/Updater_Texts.h"

#include <gtest/gtest.h>

namespace {

const vo::Path_Form Windows{u'\\', QStringLiteral("\\\\.\\"), false};
const vo::Path_Form Linux{u'/', QString(), true};

} // namespace

TEST(Serial_Parameter_Text, Windows_Form_Byte_For_Byte) {
    EXPECT_EQ(vo::Serial_Parameter_Text(QStringLiteral("COM3"), {0, true},
                                        QStringLiteral("C:\\Tools\\MASTER"),
                                        QStringLiteral("C:\\Tools\\PROJECTS\\Plant1"), Windows),
              QStringLiteral(
                  R"(\\.\COM3 FW FR PW PR "C:\Tools\MASTER\sim40913.sim" "C:\Tools\PROJECTS\Plant1\bin\")"));
    // No port chosen: the device prefix stands directly before the blank.
    EXPECT_EQ(
        vo::Serial_Parameter_Text(QString(), {2, false}, QStringLiteral("C:\\Tools\\MASTER"),
                                  QStringLiteral("C:\\Tools\\PROJECTS\\Plant1"), Windows),
        QStringLiteral(R"(\\.\ NO NO PW NO "C:\Tools\MASTER\sim40913.sim" "C:\Tools\PROJECTS\Plant1\bin\")"));
}

TEST(Serial_Parameter_Text, Linux_Form_Starts_With_The_Device_Path) {
    EXPECT_EQ(vo::Serial_Parameter_Text(QStringLiteral("/dev/ttyUSB0"), {1, false},
                                        QStringLiteral("/opt/vo40913/MASTER"),
                                        QStringLiteral("/opt/vo40913/PROJECTS/Plant 1"), Linux),
              QStringLiteral(R"(/dev/ttyUSB0 FW NO NO NO "/opt/vo40913/MASTER/sim40913.sim" )"
                             R"("/opt/vo40913/PROJECTS/Plant 1/bin/")"));
}

TEST(Serial_Parameter_Text, Linux_Ports_Stay_One_Word) {
    const QString Master = QStringLiteral("/m");
    const QString Project = QStringLiteral("/p");
    EXPECT_EQ(vo::Serial_Parameter_Text(QString(), {2, false}, Master, Project, Linux),
              QStringLiteral(R"("" NO NO PW NO "/m/sim40913.sim" "/p/bin/")"));
    EXPECT_EQ(vo::Serial_Parameter_Text(QStringLiteral("/dev/my port's \"1\"\\"), {2, false}, Master, Project,
                                        Linux),
              QStringLiteral(R"(/dev/my\ port\'s\ \"1\"\\ NO NO PW NO "/m/sim40913.sim" "/p/bin/")"));
}

TEST(Serial_Parameter_Text, Linux_Names_With_Quotes_And_Backslashes_Are_Escaped) {
    EXPECT_EQ(vo::Serial_Parameter_Text(QStringLiteral("/dev/ttyS0"), {0, true}, QStringLiteral("/m\\$x"),
                                        QStringLiteral("/p/Say \"hi\"\\"), Linux),
              QStringLiteral(R"(/dev/ttyS0 FW FR PW PR "/m\\$x/sim40913.sim" "/p/Say \"hi\"\\/bin/")"));
}
