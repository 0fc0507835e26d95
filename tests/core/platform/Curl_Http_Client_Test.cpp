#include "Loopback_Http_Server.h"
#include "platform/Curl_Http_Client.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vo_test::Http_Response;

namespace {

vo::Http_Request Request_To(const std::string& Server_Url, std::chrono::milliseconds Timeout = 5s) {
    vo::Http_Request Request;
    Request.Url = Server_Url + "/path/page.asp?key=VALUE";
    Request.Headers = {{"Accept", "text/plain"}, {"User-Agent", "Test Agent/1.0"}};
    Request.Timeout = Timeout;
    Request.Max_Body_Bytes = 1000;
    return Request;
}

std::vector<std::string> Sorted(std::vector<std::string> Texts) {
    std::sort(Texts.begin(), Texts.end());
    return Texts;
}

} // namespace

TEST(Curl_Http_Client, Sends_An_Http_1_0_Get_With_Host_And_The_Given_Headers_Only_And_No_Cookie) {
    // The first reply sets a cookie; the second request must not send it back.
    vo_test::Loopback_Http_Server Server(Http_Response(200, "hello", "Set-Cookie: session=42; Path=/\r\n"));
    vo::Curl_Http_Client Client;
    for (int Round = 0; Round < 2; ++Round) {
        const vo::Http_Reply Reply = Client.Get(Request_To(Server.Url()), {});
        EXPECT_TRUE(Reply.Ok()) << Reply.Error;
        EXPECT_EQ(Reply.Status, 200);
        EXPECT_EQ(Reply.Body, "hello");
    }

    const std::vector<vo_test::Received_Request> Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 2u);
    for (const vo_test::Received_Request& Request : Requests) {
        EXPECT_EQ(Request.Method, "GET");
        EXPECT_EQ(Request.Target, "/path/page.asp?key=VALUE");
        EXPECT_EQ(Request.Version, "HTTP/1.0");
        EXPECT_EQ(Sorted(Request.Header_Names()), Sorted({"Host", "Accept", "User-Agent"}));
        EXPECT_EQ(Request.Header("Host"), Server.Url().substr(std::string("http://").size()));
        EXPECT_EQ(Request.Header("Accept"), "text/plain");
        EXPECT_EQ(Request.Header("User-Agent"), "Test Agent/1.0");
    }
}

TEST(Curl_Http_Client, Takes_Any_Body_Up_To_The_Cap) {
    const struct {
        const char* Name;
        std::string Response;
        std::string Body;
    } Cases[] = {
        {"empty body", Http_Response(200, ""), ""},
        {"body of exactly the cap", Http_Response(200, std::string(1000, 'x')), std::string(1000, 'x')},
        {"body of the cap ended by closing", Http_Response(200, std::string(1000, 'y'), {}, false),
         std::string(1000, 'y')},
        {"other 2xx status", Http_Response(203, "text"), "text"},
    };
    vo::Curl_Http_Client Client;
    for (const auto& Case : Cases) {
        vo_test::Loopback_Http_Server Server(Case.Response);
        const vo::Http_Reply Reply = Client.Get(Request_To(Server.Url()), {});
        EXPECT_TRUE(Reply.Ok()) << Case.Name << ": " << Reply.Error;
        EXPECT_EQ(Reply.Body, Case.Body) << Case.Name;
    }
}

TEST(Curl_Http_Client, Fails_On_Error_Status_Redirect_Oversized_Body_And_Garbage) {
    const struct {
        const char* Name;
        std::string Response;
        std::string Error;
    } Cases[] = {
        {"server error", Http_Response(500, "<html><body>Internal error</body></html>"), "HTTP status 500"},
        {"not found", Http_Response(404, "<html><body>Not found</body></html>"), "HTTP status 404"},
        {"redirect", Http_Response(302, "", "Location: /elsewhere\r\n"), "HTTP status 302"},
        {"body over the cap, announced", Http_Response(200, std::string(1001, 'x')),
         "longer than 1000 bytes"},
        {"body over the cap, ended by closing", Http_Response(200, std::string(200000, 'x'), {}, false),
         "longer than 1000 bytes"},
        {"no HTTP at all", "VER. 2.003\r\n\r\n", ""},
    };
    vo::Curl_Http_Client Client;
    for (const auto& Case : Cases) {
        vo_test::Loopback_Http_Server Server(Case.Response);
        const vo::Http_Reply Reply = Client.Get(Request_To(Server.Url()), {});
        EXPECT_FALSE(Reply.Ok()) << Case.Name;
        EXPECT_NE(Reply.Error.find(Case.Error), std::string::npos) << Case.Name << ": " << Reply.Error;
        EXPECT_EQ(Reply.Body, "") << Case.Name;
        // Not even a redirect leads to a second request.
        EXPECT_EQ(Server.Requests().size(), 1u) << Case.Name;
    }
}

TEST(Curl_Http_Client, Gives_Up_On_A_Silent_Server_After_The_Time_Out_And_On_A_Closed_Port) {
    vo::Curl_Http_Client Client;
    {
        vo_test::Loopback_Http_Server Server(vo_test::Loopback_Http_Server::Silent_Tag{});
        const vo::Http_Reply Reply = Client.Get(Request_To(Server.Url(), 200ms), {});
        EXPECT_FALSE(Reply.Ok());
        EXPECT_NE(Reply.Error.find("timed out"), std::string::npos) << Reply.Error;
        EXPECT_EQ(Server.Requests().size(), 1u);
    }
    vo_test::Closed_Port Port;
    const vo::Http_Reply Reply = Client.Get(Request_To(Port.Url()), {});
    EXPECT_FALSE(Reply.Ok());
    EXPECT_EQ(Reply.Status, 0);
    EXPECT_NE(Reply.Error, "");
}

TEST(Curl_Http_Client, A_Stop_Request_Ends_A_Waiting_Request_Before_Its_Time_Out) {
    vo_test::Loopback_Http_Server Server(vo_test::Loopback_Http_Server::Silent_Tag{});
    vo::Curl_Http_Client Client;
    std::stop_source Stop;
    std::jthread Stopper([&] {
        while (Server.Requests().empty())
            std::this_thread::sleep_for(5ms);
        Stop.request_stop();
    });
    const vo::Http_Reply Reply = Client.Get(Request_To(Server.Url(), 600s), Stop.get_token());
    EXPECT_FALSE(Reply.Ok());
    EXPECT_EQ(Reply.Error, "request stopped");
}

TEST(Curl_Http_Client, Without_Its_Library_Every_Request_Fails_Naming_It_And_Sends_Nothing) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows build links libcurl in";
#endif
    vo_test::Loopback_Http_Server Server(Http_Response(200, "hello"));
    vo::Curl_Http_Client Client("libcurl-missing.so.0");
    for (int Round = 0; Round < 2; ++Round) {
        const vo::Http_Reply Reply = Client.Get(Request_To(Server.Url()), {});
        EXPECT_FALSE(Reply.Ok());
        EXPECT_EQ(Reply.Status, 0);
        EXPECT_EQ(Reply.Body, "");
        EXPECT_NE(Reply.Error.find("HTTP needs libcurl-missing.so.0, which could not be loaded"),
                  std::string::npos)
            << Reply.Error;
    }
    EXPECT_TRUE(Server.Requests().empty());
}
