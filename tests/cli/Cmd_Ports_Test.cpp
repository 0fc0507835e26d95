#include "Cli_Run.h"
#include "Qt_Print.h"
#include "platform/Port_Probe.h"
#include "update/Com_Ports.h"

using vo_test::Run_Cli;
using vo_test::Run_Result;

TEST(Cli_Ports, Lists_What_The_Update_Dialog_Offers) {
    const Run_Result Result = Run_Cli({QStringLiteral("ports")});
    EXPECT_EQ(Result.Exit_Code, 0);
    EXPECT_EQ(Result.Err_Lines, QStringList());
    // Busy ports are listed too, so the list holds still while both look; a heading comes first.
    QStringList Ports;
    for (const QString& Line : Result.Out.split(u'\n', Qt::SkipEmptyParts).mid(1))
        Ports.append(Line.section(QStringLiteral("  "), 0, 0));
    EXPECT_EQ(Ports, vo::Get_Com_Ports(*vo::Make_Port_Probe()));
    std::cout << Result.Out.toStdString();
}

TEST(Cli_Ports, Takes_No_Arguments) {
    const Run_Result Result = Run_Cli({QStringLiteral("ports"), QStringLiteral("/dev")});
    EXPECT_EQ(Result.Exit_Code, 2);
    EXPECT_TRUE(Result.Out.isEmpty());
    EXPECT_EQ(Result.Err_Lines,
              QStringList{QStringLiteral("Usage: vo40913-cli ports [--json] [--watch] [--root DIR]")});
}
