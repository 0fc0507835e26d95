#include "image/BankK_Block.h"
#include "image/Little_Endian.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {

std::vector<std::uint8_t> Bytes_Of(const vo::BankK_Block& Block, std::size_t First, std::size_t Count) {
    return {Block.Bytes.begin() + First, Block.Bytes.begin() + First + Count};
}

vo::BankK_Block Sealed_Defaults() {
    vo::BankK_Block Block;
    Block.Bytes.fill(0xAA); // an earlier build must leave nothing behind
    vo::Set_BankK_Defaults(Block);
    std::array<std::uint8_t, vo::BankK_Size> Buffer{};
    EXPECT_EQ(vo::Append_BankK(Block, Buffer, 0), 2048);
    EXPECT_EQ(Buffer, Block.Bytes);
    return Block;
}

} // namespace

TEST(BankK_Block, Default_Block_Byte_For_Byte) {
    const vo::BankK_Block Block = Sealed_Defaults();
    const std::vector<std::uint8_t> First_64 = {
        0x90, 0xD0, 0x03, 0x00, 0x90, 0xD0, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x25, 0x00, 0x00, //
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0xA8, 0x02, 0xCD, 0xFF, 0xFF, 0xFF, 0x00, //
        0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x27, 0x11, 0x27, 0x11, 0x27, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(Bytes_Of(Block, 0, 64), First_64);
    EXPECT_EQ(Bytes_Of(Block, 436, 8), std::vector<std::uint8_t>(8, 8));
    EXPECT_EQ(Bytes_Of(Block, 2044, 4), (std::vector<std::uint8_t>{0x82, 0x0D, 0x00, 0x00}));

    // Everything else is reserved or an unused field: zero.
    for (std::size_t Offset = 64; Offset < 2044; ++Offset) {
        if (Offset < 436 || Offset >= 444) {
            ASSERT_EQ(Block.Bytes[Offset], 0) << "offset " << Offset;
        }
    }
}

TEST(BankK_Block, Checksum_Sums_Every_Byte_Before_It) {
    vo::BankK_Block Block;
    vo::Set_BankK_Defaults(Block);
    Block.Bytes[8] = 1;       // reserved
    Block.Bytes[1339] = 7;    // Mode_Flags
    Block.Bytes[2043] = 0xF0; // last byte summed
    Block.Bytes[2044] = 0xFF; // the old checksum does not count
    std::array<std::uint8_t, vo::BankK_Size> Buffer{};
    vo::Append_BankK(Block, Buffer, 0);
    EXPECT_EQ(vo::Get_Le(Buffer, 2044, 4), 3458u + 1 + 7 + 0xF0);

    Block.Bytes.fill(0xFF);
    vo::Append_BankK(Block, Buffer, 0);
    EXPECT_EQ(vo::Get_Le(Buffer, 2044, 4), 2044u * 255); // the largest sum, no wrap
}

TEST(BankK_Block, Append_Copies_At_The_Position_And_Returns_The_End) {
    vo::BankK_Block Block;
    vo::Set_BankK_Defaults(Block);
    std::vector<std::uint8_t> Buffer(4096, 0x5A);
    EXPECT_EQ(vo::Append_BankK(Block, Buffer, 100), 2148);
    EXPECT_EQ(Buffer[99], 0x5A);
    EXPECT_TRUE(std::equal(Block.Bytes.begin(), Block.Bytes.end(), Buffer.begin() + 100));
    EXPECT_EQ(Buffer[2148], 0x5A);
}

TEST(Little_Endian, Unaligned_Fields_Least_Significant_First) {
    std::array<std::uint8_t, 8> Bytes{};
    vo::Put_Le(Bytes, 1, 0x11223344, 4);
    vo::Put_Le(Bytes, 5, 70000, 2); // low sixteen bits only
    vo::Put_Le(Bytes, 7, 300, 1);
    EXPECT_EQ(Bytes, (std::array<std::uint8_t, 8>{0x00, 0x44, 0x33, 0x22, 0x11, 0x70, 0x11, 0x2C}));
    EXPECT_EQ(vo::Get_Le(Bytes, 1, 4), 0x11223344u);
    EXPECT_EQ(vo::Get_Le(Bytes, 5, 2), 70000u & 0xFFFF);
    EXPECT_EQ(vo::Get_Le(Bytes, 7, 1), 44u);
}
