#include "platform/Icmp_Packet.h"

#include <gtest/gtest.h>

using Packet = std::vector<std::uint8_t>;

namespace {

Packet With_Type(Packet Message, std::uint8_t Type) {
    Message[0] = Type;
    Message[2] = Message[3] = 0;
    const std::uint16_t Sum = vo::Internet_Checksum(Message);
    Message[2] = static_cast<std::uint8_t>(Sum >> 8);
    Message[3] = static_cast<std::uint8_t>(Sum & 0xFF);
    return Message;
}

Packet Ipv4_Packet(std::uint8_t Version_And_Length, std::uint16_t Total, std::size_t Size) {
    Packet Ip(Size, 0xEE);
    Ip[0] = Version_And_Length;
    Ip[2] = static_cast<std::uint8_t>(Total >> 8);
    Ip[3] = static_cast<std::uint8_t>(Total & 0xFF);
    return Ip;
}

} // namespace

TEST(Icmp_Packet, Checksum_Of_The_Worked_Example_And_An_Odd_Length) {
    // The worked example of RFC 1071: the sum of these bytes is 0xDDF2.
    EXPECT_EQ(vo::Internet_Checksum(Packet{0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7}), 0x220D);
    EXPECT_EQ(vo::Internet_Checksum(Packet{0x01}), 0xFEFF);
}

TEST(Icmp_Packet, Echo_Request_Layout) {
    const Packet Request = vo::Echo_Request(0x1234, 0xABCD, "abcdefghijklmnopqrstuvwa");
    ASSERT_EQ(Request.size(), 32u);
    EXPECT_EQ(Packet(Request.begin(), Request.begin() + 8),
              (Packet{8, 0, Request[2], Request[3], 0x12, 0x34, 0xAB, 0xCD}));
    EXPECT_EQ(std::string(Request.begin() + 8, Request.end()), "abcdefghijklmnopqrstuvwa");
    EXPECT_EQ(vo::Internet_Checksum(Request), 0);
}

TEST(Icmp_Packet, Only_An_Intact_Echo_Reply_With_Our_Numbers_Matches) {
    const Packet Request = vo::Echo_Request(7, 9, "abc");
    const Packet Reply = With_Type(Request, vo::Icmp_Echo_Reply);
    EXPECT_TRUE(vo::Is_Echo_Reply(Reply, 7, 9));
    EXPECT_FALSE(vo::Is_Echo_Reply(Reply, 8, 9));
    EXPECT_FALSE(vo::Is_Echo_Reply(Reply, 7, 10));
    EXPECT_FALSE(vo::Is_Echo_Reply(Request, 7, 9));
    EXPECT_FALSE(vo::Is_Echo_Reply(With_Type(Request, 3), 7, 9)) << "an error report is no answer";
    Packet Corrupt = Reply;
    Corrupt.back() ^= 1;
    EXPECT_FALSE(vo::Is_Echo_Reply(Corrupt, 7, 9));
    EXPECT_FALSE(vo::Is_Echo_Reply(Packet(Reply.begin(), Reply.begin() + 7), 7, 9));
}

TEST(Icmp_Packet, Message_Inside_An_IPv4_Packet) {
    Packet Ip = Ipv4_Packet(0x46, 28, 30); // 24-byte header, 4 bytes of message, 2 bytes of padding
    Ip[24] = 0xAA;
    const auto Message = vo::Icmp_Of_Ipv4(Ip);
    ASSERT_EQ(Message.size(), 4u);
    EXPECT_EQ(Message[0], 0xAA);

    EXPECT_TRUE(vo::Icmp_Of_Ipv4(Ipv4_Packet(0x45, 19, 19)).empty()) << "shorter than a header";
    EXPECT_TRUE(vo::Icmp_Of_Ipv4(Ipv4_Packet(0x65, 28, 28)).empty()) << "not version 4";
    EXPECT_TRUE(vo::Icmp_Of_Ipv4(Ipv4_Packet(0x44, 28, 28)).empty()) << "header below 20 bytes";
    EXPECT_TRUE(vo::Icmp_Of_Ipv4(Ipv4_Packet(0x45, 40, 28)).empty()) << "claims more than arrived";
}
