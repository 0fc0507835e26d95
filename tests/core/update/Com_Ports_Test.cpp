#include "Qt_Print.h"
#include "platform/linux/Port_Probe_Linux.h"
#include "update/Com_Ports.h"

#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

TEST(Get_Com_Ports, Lists_What_The_Probe_Finds_In_Its_Order) {
    QTemporaryDir Dir;
    EXPECT_TRUE(vo::Get_Com_Ports(vo::Linux_Port_Probe(Dir.path().toStdString())).isEmpty());

    const int Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(Master, 0);
    ASSERT_EQ(grantpt(Master), 0);
    ASSERT_EQ(unlockpt(Master), 0);
    const QString Line = QString::fromLocal8Bit(ptsname(Master));
    for (const char* Name : {"ttyACM0", "ttyUSB1", "ttyUSB0"})
        ASSERT_TRUE(QFile::link(Line, Dir.filePath(QLatin1String(Name))));
    EXPECT_EQ(vo::Get_Com_Ports(vo::Linux_Port_Probe(Dir.path().toStdString())),
              (QStringList{Dir.filePath(QStringLiteral("ttyUSB0")), Dir.filePath(QStringLiteral("ttyUSB1")),
                           Dir.filePath(QStringLiteral("ttyACM0"))}));
    close(Master);
}
