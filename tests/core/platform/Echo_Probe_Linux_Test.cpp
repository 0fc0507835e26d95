#include "Net_Namespace.h"
#include "Qt_Print.h"
#include "Unprivileged.h"
#include "platform/Icmp_Packet.h"
#include "platform/linux/Echo_Probe_Linux.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <arpa/inet.h>
#include <fstream>
#include <gtest/gtest.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Kind = vo::Echo_Reply::Kind;

namespace {

constexpr std::string_view Data = "abcdefghijklmnopqrstuvwa";

struct Method_Case {
    const char* Name;
    vo::Echo_Methods Allowed;
    vo::Echo_Method Expected;
};

void PrintTo(const Method_Case& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const Method_Case Method_Cases[] = {
    {"datagram", {true, false, false}, vo::Echo_Method::Datagram},
    {"raw", {false, true, false}, vo::Echo_Method::Raw},
    {"ping", {false, false, true}, vo::Echo_Method::Ping_Program},
};

// Sees the echo requests on the loopback of its namespace and answers them with replies of its
// own making, true or forged.
class Forger {
public:
    Forger() {
        Sniffer = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        const icmp_filter Only_Requests{~(1U << ICMP_ECHO)};
        setsockopt(Sniffer, SOL_RAW, ICMP_FILTER, &Only_Requests, sizeof Only_Requests);
    }
    ~Forger() { close(Sniffer); }
    Forger(const Forger&) = delete;
    Forger& operator=(const Forger&) = delete;

    // The next echo request to 127.0.0.1, as its IPv4 packet.
    std::vector<std::uint8_t> Next_Request() {
        std::vector<std::uint8_t> Packet(2048);
        pollfd Readable{Sniffer, POLLIN, 0};
        while (poll(&Readable, 1, 3000) == 1) {
            const ssize_t Count = recv(Sniffer, Packet.data(), Packet.size(), 0);
            if (Count <= 0)
                break;
            Packet.resize(static_cast<std::size_t>(Count));
            const auto Message = vo::Icmp_Of_Ipv4(Packet);
            if (!Message.empty() && Message[0] == vo::Icmp_Echo_Request)
                return Packet;
            Packet.resize(2048);
        }
        return {};
    }

    // Sends Message to 127.0.0.1 from Source.
    void Send(const std::vector<std::uint8_t>& Message, const char* Source) {
        const int Fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        sockaddr_in From{};
        From.sin_family = AF_INET;
        inet_pton(AF_INET, Source, &From.sin_addr);
        bind(Fd, reinterpret_cast<const sockaddr*>(&From), sizeof From);
        sockaddr_in To{};
        To.sin_family = AF_INET;
        inet_pton(AF_INET, "127.0.0.1", &To.sin_addr);
        sendto(Fd, Message.data(), Message.size(), 0, reinterpret_cast<const sockaddr*>(&To), sizeof To);
        close(Fd);
    }

private:
    int Sniffer = -1;
};

std::uint16_t Field(std::span<const std::uint8_t> Message, std::size_t At) {
    return static_cast<std::uint16_t>(Message[At] << 8 | Message[At + 1]);
}

// An echo reply to the request with the given changes.
std::vector<std::uint8_t> Reply_To(std::span<const std::uint8_t> Request, int Id_Change, int Seq_Change,
                                   bool Good_Checksum = true) {
    const std::string Payload(Request.begin() + 8, Request.end());
    std::vector<std::uint8_t> Reply =
        vo::Echo_Request(static_cast<std::uint16_t>(Field(Request, 4) + Id_Change),
                         static_cast<std::uint16_t>(Field(Request, 6) + Seq_Change), Payload);
    Reply[0] = vo::Icmp_Echo_Reply;
    Reply[2] = Reply[3] = 0;
    const std::uint16_t Sum = vo::Internet_Checksum(Reply) ^ (Good_Checksum ? 0 : 0x5A5A);
    Reply[2] = static_cast<std::uint8_t>(Sum >> 8);
    Reply[3] = static_cast<std::uint8_t>(Sum & 0xFF);
    return Reply;
}

// "Host unreachable" about the request, as a router would send it.
std::vector<std::uint8_t> Unreachable_About(const std::vector<std::uint8_t>& Request_Packet) {
    const std::size_t Quoted = static_cast<std::size_t>(Request_Packet[0] & 0x0F) * 4 + 8;
    std::vector<std::uint8_t> Message(8 + Quoted, 0);
    Message[0] = 3;
    Message[1] = 1;
    std::copy_n(Request_Packet.begin(), Quoted, Message.begin() + 8);
    const std::uint16_t Sum = vo::Internet_Checksum(Message);
    Message[2] = static_cast<std::uint8_t>(Sum >> 8);
    Message[3] = static_cast<std::uint8_t>(Sum & 0xFF);
    return Message;
}

class Echo_Method_Test : public testing::TestWithParam<Method_Case> {
protected:
    void SetUp() override {
        if (GetParam().Expected == vo::Echo_Method::Ping_Program &&
            QStandardPaths::findExecutable(QStringLiteral("ping")).isEmpty())
            GTEST_SKIP() << "the ping program is not installed (Debian package iputils-ping)";
    }

    vo::Linux_Echo_Probe Probe{GetParam().Allowed};
};

} // namespace

TEST_P(Echo_Method_Test, Loopback_Answers_Request_After_Request) {
    std::vector<Kind> Outcomes;
    const std::string Skip = vo_test::Run_In_Private_Network({.Datagram_For_All = true}, [&] {
        for (int Request = 0; Request < 3; ++Request)
            Outcomes.push_back(Probe.Send_Echo("127.0.0.1", Data, 400ms, {}).Outcome);
    });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_EQ(Outcomes, std::vector<Kind>(3, Kind::Answered));
    EXPECT_EQ(Probe.Method(), GetParam().Expected);
}

TEST_P(Echo_Method_Test, Silent_Address_Gives_No_Answer_And_Keeps_Painting) {
    vo::Echo_Reply Reply;
    int Paints = 0;
    const std::string Skip =
        vo_test::Run_In_Private_Network({.Ignore_Echo = true, .Datagram_For_All = true}, [&] {
            Reply = Probe.Send_Echo("127.0.0.1", Data, 100ms, [&Paints] { ++Paints; });
        });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_EQ(Reply.Outcome, Kind::No_Answer) << Reply.Error_Text;
    EXPECT_GE(Paints, 3);
}

TEST_P(Echo_Method_Test, Only_The_Matching_Reply_From_The_Target_Counts) {
    const struct {
        const char* Name;
        int Id_Change;
        int Seq_Change;
        bool Good_Checksum;
        const char* Source;
    } Forgeries[] = {
        {"another identifier", 1, 0, true, "127.0.0.1"},
        {"another sequence", 0, 1, true, "127.0.0.1"},
        {"a broken checksum", 0, 0, false, "127.0.0.1"},
        {"another source", 0, 0, true, "127.0.0.2"},
    };
    for (const auto& Forgery : Forgeries) {
        // A probe of its own each time: its socket belongs to the namespace of its first request.
        vo::Linux_Echo_Probe Fresh(GetParam().Allowed);
        vo::Echo_Reply Reply;
        Clock::time_point True_Reply_Sent{};
        Clock::time_point Returned{};
        const std::string Skip =
            vo_test::Run_In_Private_Network({.Ignore_Echo = true, .Datagram_For_All = true}, [&] {
                Forger Forge;
                std::thread Answerer([&] {
                    const std::vector<std::uint8_t> Packet = Forge.Next_Request();
                    if (Packet.empty())
                        return;
                    const auto Request = vo::Icmp_Of_Ipv4(Packet);
                    Forge.Send(
                        Reply_To(Request, Forgery.Id_Change, Forgery.Seq_Change, Forgery.Good_Checksum),
                        Forgery.Source);
                    std::this_thread::sleep_for(100ms);
                    True_Reply_Sent = Clock::now();
                    Forge.Send(Reply_To(Request, 0, 0), "127.0.0.1");
                });
                Reply = Fresh.Send_Echo("127.0.0.1", Data, 3000ms, {});
                Returned = Clock::now();
                Answerer.join();
            });
        if (!Skip.empty())
            GTEST_SKIP() << Skip;
        ASSERT_NE(True_Reply_Sent, Clock::time_point{}) << "the request was never seen";
        EXPECT_NE(Reply.Outcome, Kind::Failed) << Reply.Error_Text;
        if (Reply.Outcome == Kind::Answered) {
            EXPECT_GE(Returned, True_Reply_Sent) << "taken for the answer: " << Forgery.Name;
        }
        // The sockets wait on for the true reply; ping may give its request up at a reply it
        // counts itself, which the probe then does not take as an answer.
        if (GetParam().Expected != vo::Echo_Method::Ping_Program) {
            EXPECT_EQ(Reply.Outcome, Kind::Answered) << Forgery.Name;
        }
    }
}

TEST_P(Echo_Method_Test, A_Router_Error_Is_Not_An_Answer) {
    vo::Echo_Reply Reply;
    const std::string Skip =
        vo_test::Run_In_Private_Network({.Ignore_Echo = true, .Datagram_For_All = true}, [&] {
            Forger Forge;
            std::thread Router([&] {
                const std::vector<std::uint8_t> Packet = Forge.Next_Request();
                if (!Packet.empty())
                    Forge.Send(Unreachable_About(Packet), "127.0.0.2");
            });
            Reply = Probe.Send_Echo("127.0.0.1", Data, 400ms, {});
            Router.join();
        });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_EQ(Reply.Outcome, Kind::No_Answer) << Reply.Error_Text;
}

INSTANTIATE_TEST_SUITE_P(Each_Method, Echo_Method_Test, testing::ValuesIn(Method_Cases),
                         [](const testing::TestParamInfo<Method_Case>& Info) { return Info.param.Name; });

TEST(Linux_Echo_Probe, Loopback_Of_This_Machine_Answers) {
    vo::Linux_Echo_Probe Probe;
    const vo::Echo_Reply Reply = Probe.Send_Echo("127.0.0.1", Data, 400ms, {});
    EXPECT_EQ(Reply.Outcome, Kind::Answered) << Reply.Error_Text;
    RecordProperty("method", vo::Echo_Method_Name(Probe.Method()));
}

TEST(Linux_Echo_Probe, Only_Numeric_IPv4_Is_Tried_And_No_Name_Is_Resolved) {
    for (const char* Address :
         {"", "localhost", "192.168.1.x", "300.1.1.1", "1.2.3", "1.2.3.4.5", "1..2.3", "192.168.001.050",
          " 10.0.0.1", "10.0.0.1 ", "0x7f.0.0.1", "+1.2.3.4", "1.2.3.-4", "127.0.0.1\n", "\xd9\xa1.0.0.1"}) {
        vo::Linux_Echo_Probe Probe;
        const vo::Echo_Reply Reply = Probe.Send_Echo(Address, Data, 400ms, {});
        EXPECT_EQ(Reply.Outcome, Kind::Failed) << Address;
        EXPECT_NE(Reply.Error_Text.find("not a numeric IPv4 address"), std::string::npos) << Reply.Error_Text;
        EXPECT_EQ(Probe.Method(), vo::Echo_Method::None) << "a way of sending was opened for " << Address;
    }
}

TEST(Linux_Echo_Probe, No_Way_Left_Is_A_Failure_With_Its_Reason) {
    vo::Linux_Echo_Probe Probe({false, false, false});
    const vo::Echo_Reply Reply = Probe.Send_Echo("127.0.0.1", Data, 400ms, {});
    EXPECT_EQ(Reply.Outcome, Kind::Failed);
    EXPECT_NE(Reply.Error_Text.find("Cannot send echo requests"), std::string::npos) << Reply.Error_Text;
}

TEST(Linux_Echo_Probe, Missing_Ping_Program_Is_A_Failure_Naming_It) {
    QTemporaryDir Empty;
    const std::string Path = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", Empty.path().toLocal8Bit().constData(), 1);
    vo::Linux_Echo_Probe Probe({false, false, true});
    const vo::Echo_Reply Reply = Probe.Send_Echo("127.0.0.1", Data, 400ms, {});
    setenv("PATH", Path.c_str(), 1);
    EXPECT_EQ(Reply.Outcome, Kind::Failed);
    EXPECT_NE(Reply.Error_Text.find("Cannot start ping"), std::string::npos) << Reply.Error_Text;
}

// The path of a desktop user, who may open neither a datagram nor a raw ICMP socket.
TEST(Linux_Echo_Probe, Unprivileged_User_Reaches_Loopback) {
    std::ifstream Range_File("/proc/sys/net/ipv4/ping_group_range");
    long First = 1, Last = 0;
    Range_File >> First >> Last;
    // The tool runs as nobody in group nogroup when the tests run as root, else as this user.
    std::vector<gid_t> Groups{65534};
    if (geteuid() != 0) {
        Groups.resize(256);
        Groups.resize(static_cast<std::size_t>(std::max(getgroups(256, Groups.data()), 0)));
        Groups.push_back(getegid());
    }
    const bool Datagram_Allowed = std::any_of(Groups.begin(), Groups.end(), [&](gid_t Group) {
        return First <= static_cast<long>(Group) && static_cast<long>(Group) <= Last;
    });

    const vo_test::Tool_Run Default = vo_test::Run_Tool_Unprivileged({"echo", "127.0.0.1", "400"});
    if (!Default.Skip_Reason.isEmpty())
        GTEST_SKIP() << Default.Skip_Reason.toStdString();
    if (QStandardPaths::findExecutable(QStringLiteral("ping")).isEmpty())
        GTEST_SKIP() << "the ping program is not installed (Debian package iputils-ping)";
    ASSERT_EQ(Default.Exit_Code, 0) << Default.Errors.toStdString();
    ASSERT_EQ(Default.Lines.size(), 1);
    EXPECT_TRUE(Default.Lines[0].startsWith(Datagram_Allowed ? QStringLiteral("answered datagram")
                                                             : QStringLiteral("answered ping")))
        << Default.Lines[0].toStdString();

    // With the datagram socket out of the way, the refused raw socket leads to the ping program.
    const vo_test::Tool_Run Fallback =
        vo_test::Run_Tool_Unprivileged({"echo", "127.0.0.1", "400", "raw,ping"});
    ASSERT_EQ(Fallback.Exit_Code, 0) << Fallback.Errors.toStdString();
    ASSERT_EQ(Fallback.Lines.size(), 1);
    EXPECT_TRUE(Fallback.Lines[0].startsWith(QStringLiteral("answered ping")))
        << Fallback.Lines[0].toStdString();

    const vo_test::Tool_Run Sockets_Only =
        vo_test::Run_Tool_Unprivileged({"echo", "127.0.0.1", "400", "raw"});
    ASSERT_EQ(Sockets_Only.Lines.size(), 1);
    EXPECT_TRUE(
        Sockets_Only.Lines[0].startsWith(QStringLiteral("failed none Cannot send echo requests: raw")))
        << Sockets_Only.Lines[0].toStdString();
}
