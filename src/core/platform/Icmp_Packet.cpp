#include "Icmp_Packet.h"

namespace vo {

namespace {

constexpr std::size_t Echo_Header_Size = 8;
constexpr std::size_t Ipv4_Min_Header = 20;

std::uint16_t Read_Big_Endian(std::span<const std::uint8_t> Bytes, std::size_t At) {
    return static_cast<std::uint16_t>(Bytes[At] << 8 | Bytes[At + 1]);
}

void Write_Big_Endian(std::vector<std::uint8_t>& Bytes, std::size_t At, std::uint16_t Value) {
    Bytes[At] = static_cast<std::uint8_t>(Value >> 8);
    Bytes[At + 1] = static_cast<std::uint8_t>(Value & 0xFF);
}

} // namespace

std::uint16_t Internet_Checksum(std::span<const std::uint8_t> Bytes) {
    std::uint32_t Sum = 0;
    for (std::size_t I = 0; I + 1 < Bytes.size(); I += 2)
        Sum += Read_Big_Endian(Bytes, I);
    if (Bytes.size() % 2 != 0)
        Sum += static_cast<std::uint32_t>(Bytes.back()) << 8;
    while (Sum > 0xFFFF)
        Sum = (Sum & 0xFFFF) + (Sum >> 16);
    return static_cast<std::uint16_t>(~Sum & 0xFFFF);
}

std::vector<std::uint8_t> Echo_Request(std::uint16_t Identifier, std::uint16_t Sequence,
                                       std::string_view Data) {
    std::vector<std::uint8_t> Message(Echo_Header_Size + Data.size(), 0);
    Message[0] = Icmp_Echo_Request;
    Write_Big_Endian(Message, 4, Identifier);
    Write_Big_Endian(Message, 6, Sequence);
    for (std::size_t I = 0; I < Data.size(); ++I)
        Message[Echo_Header_Size + I] = static_cast<std::uint8_t>(Data[I]);
    Write_Big_Endian(Message, 2, Internet_Checksum(Message));
    return Message;
}

std::span<const std::uint8_t> Icmp_Of_Ipv4(std::span<const std::uint8_t> Packet) {
    if (Packet.size() < Ipv4_Min_Header || Packet[0] >> 4 != 4)
        return {};
    const std::size_t Header_Size = static_cast<std::size_t>(Packet[0] & 0x0F) * 4;
    const std::size_t Total_Size = Read_Big_Endian(Packet, 2);
    if (Header_Size < Ipv4_Min_Header || Total_Size < Header_Size || Total_Size > Packet.size())
        return {};
    return Packet.subspan(Header_Size, Total_Size - Header_Size);
}

bool Is_Echo_Reply(std::span<const std::uint8_t> Message, std::uint16_t Identifier, std::uint16_t Sequence) {
    return Message.size() >= Echo_Header_Size && Message[0] == Icmp_Echo_Reply && Message[1] == 0 &&
           Read_Big_Endian(Message, 4) == Identifier && Read_Big_Endian(Message, 6) == Sequence &&
           Internet_Checksum(Message) == 0;
}

} // namespace vo
