#include "Loopback_Http_Server.h"
#include "options/Version_Checker.h"
#include "platform/Curl_Http_Client.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

vo::Version_Service Service_At(const std::string& Url, std::chrono::milliseconds Timeout = 5s) {
    return {QString::fromStdString(Url), Timeout};
}

// Runs the event loop until the checker reports, or a generous guard ends it.
std::vector<bool> Wait_For_Results(vo::Version_Checker& Checker, std::vector<std::string>* Events = nullptr) {
    std::vector<bool> Results;
    QEventLoop Loop;
    QObject::connect(&Checker, &vo::Version_Checker::Finished, &Loop, [&](bool Newer) {
        EXPECT_EQ(QThread::currentThread(), Loop.thread());
        Results.push_back(Newer);
        if (Events)
            Events->push_back("finished");
        Loop.quit();
    });
    QTimer::singleShot(60s, &Loop, &QEventLoop::quit);
    Loop.exec();
    return Results;
}

} // namespace

TEST(Version_Checker, Delivers_Each_Result_On_The_Callers_Thread_One_Check_At_A_Time) {
    vo_test::Loopback_Http_Server Newer(vo_test::Http_Response(200, "VER. 2.003"));
    vo_test::Closed_Port Closed;
    vo::Curl_Http_Client Client;
    vo::Version_Checker Checker(Client);

    ASSERT_TRUE(Checker.Start(Service_At(Newer.Url())));
    EXPECT_TRUE(Checker.Running());
    EXPECT_FALSE(Checker.Start(Service_At(Newer.Url())));
    EXPECT_EQ(Wait_For_Results(Checker), std::vector<bool>{true});
    EXPECT_FALSE(Checker.Running());
    EXPECT_EQ(Newer.Requests().size(), 1u);

    ASSERT_TRUE(Checker.Start(Service_At(Closed.Url())));
    EXPECT_EQ(Wait_For_Results(Checker), std::vector<bool>{false});
}

TEST(Version_Checker, The_Event_Loop_Runs_While_The_Server_Keeps_Silent) {
    vo_test::Loopback_Http_Server Silent(vo_test::Loopback_Http_Server::Silent_Tag{});
    vo::Curl_Http_Client Client;
    vo::Version_Checker Checker(Client);
    std::vector<std::string> Events;
    ASSERT_TRUE(Checker.Start(Service_At(Silent.Url(), 500ms)));
    QTimer::singleShot(10ms, [&] { Events.push_back("window event"); });
    EXPECT_EQ(Wait_For_Results(Checker, &Events), std::vector<bool>{false});
    EXPECT_EQ(Events, (std::vector<std::string>{"window event", "finished"}));
}

TEST(Version_Checker, Destroying_It_Stops_A_Running_Check_Without_Reporting) {
    vo_test::Loopback_Http_Server Silent(vo_test::Loopback_Http_Server::Silent_Tag{});
    vo::Curl_Http_Client Client;
    int Reports = 0;
    {
        vo::Version_Checker Checker(Client);
        QObject::connect(&Checker, &vo::Version_Checker::Finished, &Checker, [&] { ++Reports; });
        ASSERT_TRUE(Checker.Start(Service_At(Silent.Url(), 600s)));
        while (Silent.Requests().empty())
            QThread::msleep(5);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(Reports, 0);
}
