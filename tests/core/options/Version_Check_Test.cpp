#include "Loopback_Http_Server.h"
#include "Qt_Print.h"
#include "options/Version_Check.h"
#include "platform/Curl_Http_Client.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vo_test::Http_Response;

namespace {

vo::Version_Service Service_At(const std::string& Url, std::chrono::milliseconds Timeout = 5s) {
    return {QString::fromStdString(Url), Timeout};
}

} // namespace

TEST(Conv_Version, Reads_Digit_Point_Three_Digits_After_The_First_Blank) {
    const struct {
        const char* Text;
        int Version;
    } Cases[] = {
        {"VER. 2.003", 2003},
        {"2.002", 2002},          // no blank: the whole text
        {"VER.   2.010  ", 2010}, // trimmed after the blank
        {"VER. 2.0039", 2003},    // characters beyond the fifth are not read
        {"VER. 0.000", 0},
        {"VER. 10.000", -1}, // "1.00" does not convert
        {"VER. 2.0a3", -1},
        {"A B 2.003", -1}, // only the first blank counts: "B2.0"
        {"VER.\t2.003", -1},
        {"VER. 2.00", -1}, // fewer than five characters
        {"VER. ", -1},
        {"", -1},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(vo::Conv_Version(QString::fromUtf8(Case.Text)), Case.Version) << Case.Text;
}

TEST(Version_Check, A_Reply_Is_Newer_Only_When_It_Names_A_Higher_Version_Than_2_002) {
    const struct {
        const char* Reply;
        bool Newer;
    } Cases[] = {
        {"VER. 2.003", true},
        {"\r\n  VER. 2.003 \r\n", true},
        {"ver. 9.999", true},
        {"2.005", true},
        {"VER. 2.002", false},
        {"VER. 2.001", false},
        {"VER. 0.000", false},
        {" \r\n ver. 0.000 \r\n", false},
        {"VER. 10.000", false},
        {"VER. 2.00", false},
        {"", false},
        {"<!DOCTYPE html><html><body>Page not found</body></html>", false},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(vo::Reply_Reports_Newer_Version(QString::fromUtf8(Case.Reply)), Case.Newer) << Case.Reply;
}

TEST(Version_Check, Asks_The_Version_Service_With_The_Fixed_Request) {
    vo_test::Loopback_Http_Server Server(Http_Response(200, "VER. 2.002"));
    vo::Curl_Http_Client Client;
    // A server address given with a closing slash asks for the same page.
    EXPECT_FALSE(vo::Check_Version(Client, Service_At(Server.Url())));
    EXPECT_FALSE(vo::Check_Version(Client, Service_At(Server.Url() + "/")));

    const std::vector<vo_test::Received_Request> Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 2u);
    for (const vo_test::Received_Request& Request : Requests) {
        EXPECT_EQ(Request.Method + ' ' + Request.Target + ' ' + Request.Version,
                  "GET /home/download/GetversionSW.asp?nomesw=VO40913 HTTP/1.0");
        EXPECT_EQ(Request.Header("Accept"),
                  "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
        EXPECT_EQ(Request.Header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
        EXPECT_EQ(Request.Header("Cookie"), "");
        EXPECT_EQ(Request.Headers.size(), 3u); // Host besides the two
    }
}

TEST(Version_Check, Asks_The_Maker_Server_For_At_Most_Ten_Seconds_And_64_KiB) {
    const vo::Http_Request Request = vo::Version_Request({});
    EXPECT_EQ(QString::fromStdString(Request.Url),
              vo::Maker_Server_Url() + QStringLiteral("/home/download/GetversionSW.asp?nomesw=VO40913"));
    EXPECT_EQ(Request.Timeout, 10s);
    EXPECT_EQ(Request.Max_Body_Bytes, 65536u);
}

TEST(Version_Check, Reports_A_Newer_Version_Only_For_A_Good_Reply_Naming_One) {
    const struct {
        const char* Name;
        std::string Response;
        bool Newer;
    } Cases[] = {
        {"newer", Http_Response(200, "VER. 2.003"), true},
        {"newer without a blank", Http_Response(200, "2.005"), true},
        {"newer with line breaks", Http_Response(200, "\r\nVER. 2.003\r\n"), true},
        {"same", Http_Response(200, "VER. 2.002"), false},
        {"no version known", Http_Response(200, "  \r\nver. 0.000 \r\n\r\n"), false},
        {"two-digit major", Http_Response(200, "VER. 10.000"), false},
        {"error page", Http_Response(200, "<html><head><title>Error</title></head><body>500</body></html>"),
         false},
        {"server error naming a newer version", Http_Response(500, "VER. 2.003"), false},
        {"empty body", Http_Response(200, ""), false},
        {"body over the cap", Http_Response(200, "VER. 2.003" + std::string(vo::Version_Reply_Cap, ' ')),
         false},
    };
    vo::Curl_Http_Client Client;
    for (const auto& Case : Cases) {
        vo_test::Loopback_Http_Server Server(Case.Response);
        EXPECT_EQ(vo::Check_Version(Client, Service_At(Server.Url())), Case.Newer) << Case.Name;
    }
}

TEST(Version_Check, A_Silent_Server_A_Closed_Port_Or_No_Http_Library_Means_No_Newer_Version) {
    vo::Curl_Http_Client Client;
    vo_test::Loopback_Http_Server Silent(vo_test::Loopback_Http_Server::Silent_Tag{});
    EXPECT_FALSE(vo::Check_Version(Client, Service_At(Silent.Url(), 200ms)));
    EXPECT_EQ(Silent.Requests().size(), 1u);

    vo_test::Closed_Port Port;
    EXPECT_FALSE(vo::Check_Version(Client, Service_At(Port.Url())));

#ifdef _WIN32
    GTEST_SKIP() << "the Windows build links libcurl in";
#endif
    vo_test::Loopback_Http_Server Newer(Http_Response(200, "VER. 9.999"));
    vo::Curl_Http_Client Without_Library("libcurl-missing.so.0");
    EXPECT_FALSE(vo::Check_Version(Without_Library, Service_At(Newer.Url())));
    EXPECT_TRUE(Newer.Requests().empty());
}
