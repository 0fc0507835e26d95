#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vo {

// ICMP message types of the echo exchange.
inline constexpr std::uint8_t Icmp_Echo_Reply = 0;
inline constexpr std::uint8_t Icmp_Echo_Request = 8;

// The ones' complement sum of the Internet protocols over Bytes.
std::uint16_t Internet_Checksum(std::span<const std::uint8_t> Bytes);

// An ICMP echo request carrying Data, with its checksum.
std::vector<std::uint8_t> Echo_Request(std::uint16_t Identifier, std::uint16_t Sequence,
                                       std::string_view Data);

// The ICMP message inside an IPv4 packet as a raw socket receives it; empty when the packet is
// not an intact IPv4 packet.
std::span<const std::uint8_t> Icmp_Of_Ipv4(std::span<const std::uint8_t> Packet);

// True when Message (starting at the ICMP header) is an intact echo reply carrying Identifier and
// Sequence. Anything else, an ICMP error from a router included, is not an answer.
bool Is_Echo_Reply(std::span<const std::uint8_t> Message, std::uint16_t Identifier, std::uint16_t Sequence);

} // namespace vo
