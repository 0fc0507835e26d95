#include "Cli_Run.h"
#include "Loopback_Http_Server.h"
#include "Qt_Print.h"
#include "lang/String_Table.h"

using vo_test::Run_Cli;

namespace {

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
        const vo_test::Run_Result Run = Run_Cli(
            {QStringLiteral("check-version"), QStringLiteral("--server"), QString::fromStdString(Case.Url)});
        EXPECT_EQ(Run.Exit_Code, 0) << Case.Name;
        EXPECT_EQ(Run.Out, Entry(Case.Entry_Id)) << Case.Name;
        EXPECT_TRUE(Run.Err_Lines.isEmpty()) << Case.Name;
    }
    EXPECT_EQ(Newer.Requests().size(), 1u);
    EXPECT_EQ(Newer.Requests().at(0).Target, "/home/download/GetversionSW.asp?nomesw=VO40913");
}

TEST(Cli_Check_Version, Refuses_Unknown_Arguments) {
    for (const QStringList& Args : {QStringList{QStringLiteral("--server")},
                                    QStringList{QStringLiteral("--proxy"), QStringLiteral("x")},
                                    QStringList{QStringLiteral("http://127.0.0.1:1")}}) {
        const vo_test::Run_Result Run = Run_Cli(QStringList{QStringLiteral("check-version")} + Args);
        EXPECT_EQ(Run.Exit_Code, 2) << Args.join(u' ').toStdString();
        EXPECT_EQ(Run.Out, QString());
        EXPECT_TRUE(Run.Err_Lines.join(u'\n').contains(QStringLiteral("check-version [--server URL]")));
    }
}
