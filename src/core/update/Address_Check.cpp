#include "Address_Check.h"

#include "platform/Echo_Probe.h"
#include "platform/Ipv4_Text.h"

namespace vo {

Ping_Check Send_Ping(Echo_Probe& Probe, const QString& Host, const std::function<void()>& Keep_Painting,
                     std::chrono::milliseconds Budget) {
    using Clock = std::chrono::steady_clock;
    Ping_Check Check;
    const std::string Address = Host.toStdString();
    if (!Parse_Numeric_Ipv4(Address)) {
        Check.Address_Refused = true;
        Check.Error_Text = QStringLiteral("\"%1\" is not a numeric IPv4 address").arg(Host);
        return Check;
    }
    const Clock::time_point Start = Clock::now();
    int Answers = 0;
    do {
        const Echo_Reply Reply = Probe.Send_Echo(Address, Echo_Data, Echo_Timeout, Keep_Painting);
        if (Reply.Outcome == Echo_Reply::Kind::Failed) {
            Check.Error_Text = QString::fromStdString(Reply.Error_Text);
            return Check;
        }
        Check.ping_res = Reply.Outcome == Echo_Reply::Kind::Answered ? 1 : 2;
        if (Check.ping_res == 1)
            ++Answers;
        if (Keep_Painting)
            Keep_Painting();
    } while (Answers < 2 && Clock::now() - Start <= Budget);
    Check.Found = Check.ping_res == 1;
    return Check;
}

int Ping_Message(const Ping_Check& Check) {
    if (Check.Found)
        return 0;
    if (Check.Address_Refused)
        return Msg_Check_IP_Address;
    if (!Check.Error_Text.isEmpty())
        return Msg_Check_Failed;
    return Check.ping_res == 2 ? Msg_Device_Not_Found : Msg_Check_IP_Address;
}

} // namespace vo
