#include "lang/String_Table.h"
#include "Loopback_Http_Server.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Cli_Run {
    int Exit_Code = -1;
    QString Out;
    QString Err;
};

Cli_Run Run_Cli(const QStringList& Args) {
    QProcess Cli;
    Cli.start(QStringLiteral(VO_CLI_PATH), Args);
    EXPECT_TRUE(Cli.waitForFinished(60000)) << Cli.errorString().toStdString();
    return {Cli.exitStatus() == QProcess::NormalExit ? Cli.exitCode() : -1,
            QString::fromUtf8(Cli.readAllStandardOutput()), QString::fromUtf8(Cli.readAllStandardError())};
}

QString Entry(int Id) {
    QStringList Lang_Strings;
    vo::Load_Default_Strings(Lang_Strings);
    return Lang_Strings[Id] + u'\n';
}

} // namespace

TEST(Cli_Check_Version, Prints_Entry_314_For_A_Newer_Version_And_315_Otherwise) {
    vo_test::Loopback_Http_Server Newer(vo_test::Http_Response(200, "VER. 2.003"));
    vo_test::Loopback_Http_Server Same(vo_test::Http_Response(200, "VER. 2.002"));
    vo_test::Loopback_Http_Server Failing(vo_test::Http_Response(500, "VER. 2.003"));
    vo_test::Closed_Port Closed;
    const struct {
        const char* Name;
        std::string Url;
        int Entry_Id;
    } Cases[] = {
        {"newer", Newer.Url(), 314},
        {"same", Same.Url(), 315},
        {"server error", Failing.Url(), 315},
        {"closed port", Closed.Url(), 315},
    };
    for (const auto& Case : Cases) {
        const Cli_Run Run = Run_Cli(
            {QStringLiteral("check-version"), QStringLiteral("--server"), QString::fromStdString(Case.Url)});
        EXPECT_EQ(Run.Exit_Code, 0) << Case.Name;
        EXPECT_EQ(Run.Out, Entry(Case.Entry_Id)) << Case.Name;
        EXPECT_EQ(Run.Err, QString()) << Case.Name;
    }
    EXPECT_EQ(Newer.Requests().size(), 1u);
    EXPECT_EQ(Newer.Requests().at(0).Target, "/home/download/GetversionSW.asp?nomesw=VO40913");
}

TEST(Cli_Check_Version, Refuses_Unknown_Arguments) {
    for (const QStringList& Args : {QStringList{QStringLiteral("--server")},
                                    QStringList{QStringLiteral("--proxy"), QStringLiteral("x")},
                                    QStringList{QStringLiteral("http://127.0.0.1:1")}}) {
        const Cli_Run Run = Run_Cli(QStringList{QStringLiteral("check-version")} + Args);
        EXPECT_EQ(Run.Exit_Code, 2) << Args.join(u' ').toStdString();
        EXPECT_EQ(Run.Out, QString());
        EXPECT_TRUE(Run.Err.contains(QStringLiteral("check-version [--server URL]")));
    }
}
