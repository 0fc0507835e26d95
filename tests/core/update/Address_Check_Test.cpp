#include "Net_Namespace.h"
#include "Qt_Print.h"
#include "platform/Echo_Probe.h"
#include "update/Address_Check.h"

#include <deque>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using Kind = vo::Echo_Reply::Kind;

namespace {

// Plays back a list of outcomes, one per request, the last one over and over; each request takes
// Time_Per_Request. For the decisions of the check, which a real network cannot be made to take in turn.
class Scripted_Probe final : public vo::Echo_Probe {
public:
    Scripted_Probe(std::deque<Kind> Outcomes, std::chrono::milliseconds Time_Per_Request = 0ms)
        : Script(std::move(Outcomes)), Request_Time(Time_Per_Request) {}

    vo::Echo_Reply Send_Echo(const std::string& Address, std::string_view Data,
                             std::chrono::milliseconds Timeout,
                             const std::function<void()>& While_Waiting) override {
        Addresses.push_back(Address);
        Datas.emplace_back(Data);
        Timeouts.push_back(Timeout);
        std::this_thread::sleep_for(Request_Time);
        if (While_Waiting)
            While_Waiting();
        const Kind Outcome = Script.front();
        if (Script.size() > 1)
            Script.pop_front();
        return {Outcome, Outcome == Kind::Failed ? "cannot send" : ""};
    }

    std::vector<std::string> Addresses;
    std::vector<std::string> Datas;
    std::vector<std::chrono::milliseconds> Timeouts;

private:
    std::deque<Kind> Script;
    std::chrono::milliseconds Request_Time;
};

} // namespace

TEST(Send_Ping, Two_Answers_End_The_Check_At_Once) {
    Scripted_Probe Probe({Kind::No_Answer, Kind::Answered, Kind::No_Answer, Kind::Answered, Kind::No_Answer});
    const vo::Ping_Check Check = vo::Send_Ping(Probe, QStringLiteral("192.168.2.205"), {});
    EXPECT_TRUE(Check.Found);
    EXPECT_EQ(Check.ping_res, vo::Ping_Reply::Answered);
    EXPECT_EQ(vo::Ping_Message(Check), 0);
    EXPECT_EQ(Probe.Addresses, std::vector<std::string>(4, "192.168.2.205"));
    EXPECT_EQ(Probe.Datas, std::vector<std::string>(4, "abcdefghijklmnopqrstuvwa"));
    EXPECT_EQ(Probe.Timeouts, std::vector<std::chrono::milliseconds>(4, 400ms));
}

TEST(Send_Ping, When_The_Budget_Runs_Out_The_Latest_Reply_Decides) {
    const struct {
        std::deque<Kind> Script;
        bool Found;
        int Message;
    } Cases[] = {
        {{Kind::Answered, Kind::No_Answer}, false, vo::Msg_Device_Not_Found},
        {{Kind::No_Answer}, false, vo::Msg_Device_Not_Found},
        {{Kind::No_Answer, Kind::No_Answer, Kind::Answered}, true, 0},
    };
    for (const auto& Case : Cases) {
        Scripted_Probe Probe(Case.Script, 5ms);
        const vo::Ping_Check Check = vo::Send_Ping(Probe, QStringLiteral("10.0.0.7"), {}, 200ms);
        EXPECT_EQ(Check.Found, Case.Found) << Probe.Addresses.size();
        EXPECT_EQ(vo::Ping_Message(Check), Case.Message);
    }
    // A budget that leaves room for one request only: its answer is enough.
    Scripted_Probe One({Kind::Answered}, 1ms);
    EXPECT_TRUE(vo::Send_Ping(One, QStringLiteral("10.0.0.7"), {}, 0ms).Found);
    EXPECT_EQ(One.Addresses.size(), 1u);
}

TEST(Send_Ping, A_Request_That_Cannot_Be_Made_Ends_The_Check_And_Gives_Its_Reason) {
    const struct {
        std::deque<Kind> Script;
        vo::Ping_Reply ping_res;
    } Cases[] = {
        {{Kind::Failed}, vo::Ping_Reply::None},
        {{Kind::No_Answer, Kind::Failed}, vo::Ping_Reply::No_Answer},
        {{Kind::Answered, Kind::Failed}, vo::Ping_Reply::Answered},
    };
    for (const auto& Case : Cases) {
        Scripted_Probe Probe(Case.Script);
        const vo::Ping_Check Check = vo::Send_Ping(Probe, QStringLiteral("10.0.0.7"), {});
        EXPECT_FALSE(Check.Found);
        EXPECT_EQ(Check.ping_res, Case.ping_res);
        EXPECT_EQ(vo::Ping_Message(Check), vo::Msg_Check_Failed);
        EXPECT_EQ(Check.Error_Text, QStringLiteral("cannot send"));
        EXPECT_EQ(Probe.Addresses.size(), Case.Script.size());
    }
}

TEST(Send_Ping, An_Address_That_Is_Not_Numeric_Is_Refused_Before_Any_Request) {
    Scripted_Probe Probe({Kind::Answered});
    const vo::Ping_Check Check = vo::Send_Ping(Probe, QStringLiteral("device.example"), {});
    EXPECT_FALSE(Check.Found);
    EXPECT_EQ(vo::Ping_Message(Check), vo::Msg_Check_IP_Address);
    EXPECT_EQ(Check.Error_Text, QStringLiteral("\"device.example\" is not a numeric IPv4 address"));
    EXPECT_TRUE(Probe.Addresses.empty());
}

TEST(Send_Ping, Keeps_Painting_While_And_Between_Requests) {
    Scripted_Probe Probe({Kind::No_Answer, Kind::Answered, Kind::Answered});
    int Paints = 0;
    vo::Send_Ping(Probe, QStringLiteral("10.0.0.7"), [&Paints] { ++Paints; });
    EXPECT_EQ(Paints, 6) << "once inside each of the 3 requests and once after each";
}

TEST(Send_Ping, Real_Loopback_Is_Found) {
    const auto Probe = vo::Make_Echo_Probe();
    const vo::Ping_Check Check = vo::Send_Ping(*Probe, QStringLiteral("127.0.0.1"), {});
    // Only a machine that allows no way of sending echo requests excuses the check; any other
    // outcome is a fault.
    if (vo::Ping_Message(Check) == vo::Msg_Check_Failed)
        GTEST_SKIP() << "echo requests cannot be sent here: " << Check.Error_Text.toStdString();
    EXPECT_TRUE(Check.Found) << Check.Error_Text.toStdString();
    EXPECT_EQ(vo::Ping_Message(Check), 0);
}

TEST(Send_Ping, Unusable_Address_Texts_Ask_To_Check_The_Address) {
    for (const char* Typed : {"192.168.1.x", "300.1.1.1", "...", "192.168.001.050", " 10.0.0.7", "10 .0.0.7",
                              "my-device.example"}) {
        const auto Probe = vo::Make_Echo_Probe();
        const vo::Ping_Check Check = vo::Send_Ping(*Probe, QString::fromUtf8(Typed), {});
        EXPECT_FALSE(Check.Found) << Typed;
        EXPECT_EQ(vo::Ping_Message(Check), vo::Msg_Check_IP_Address) << Typed;
    }
}

TEST(Send_Ping, Silent_Address_Is_Not_Found) {
    vo::Ping_Check Check;
    const std::string Skip = vo_test::Run_In_Private_Network({.Ignore_Echo = true}, [&Check] {
        const auto Probe = vo::Make_Echo_Probe();
        Check = vo::Send_Ping(*Probe, QStringLiteral("127.0.0.1"), {}, 300ms);
    });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_FALSE(Check.Found);
    EXPECT_EQ(Check.ping_res, vo::Ping_Reply::No_Answer);
    EXPECT_EQ(vo::Ping_Message(Check), vo::Msg_Device_Not_Found);
}
