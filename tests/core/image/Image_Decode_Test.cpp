#include "Par_Gen_Fixture.h"
#include "Qt_Print.h"
#include "image/Image_Decode.h"

#include <gtest/gtest.h>

namespace {

const vo::Config_Image& Fixture_Image() {
    static const vo::Config_Image Image = vo_test::Build_Ok(vo_test::Test_Data_Path("image/ParGen.xml"));
    return Image;
}

// Sets one byte and keeps the checksum right, as a file from elsewhere might.
QByteArray With_Byte(QByteArray Bytes, int Offset, std::uint8_t Value) {
    const auto Old = static_cast<std::uint8_t>(Bytes[Offset]);
    Bytes[Offset] = static_cast<char>(Value);
    const std::uint32_t Sum =
        static_cast<std::uint8_t>(Bytes[2044]) + 256u * static_cast<std::uint8_t>(Bytes[2045]) - Old + Value;
    Bytes[2044] = static_cast<char>(Sum & 0xFF);
    Bytes[2045] = static_cast<char>(Sum >> 8);
    return Bytes;
}

} // namespace

TEST(Decode_BankK, Reads_Every_Named_Field) {
    const std::optional<vo::BankK_Contents> K = vo::Decode_BankK(Fixture_Image().BankK_Bytes());
    ASSERT_TRUE(K);
    EXPECT_EQ(K->IP_Address, (std::array<std::uint8_t, 4>{10, 1, 2, 3}));
    EXPECT_EQ(K->Subnet_Mask, (std::array<std::uint8_t, 4>{255, 255, 0, 0}));
    EXPECT_EQ(K->Gateway, (std::array<std::uint8_t, 4>{10, 1, 0, 254}));
    EXPECT_EQ(K->Serial[0], (vo::Serial_Slot{9600, 2, 2, 8}));
    EXPECT_EQ(K->Serial[2], (vo::Serial_Slot{57600, 1, 0, 7}));
    EXPECT_EQ(K->Mode_Flags, 0x07);
    EXPECT_EQ(K->RTU_Slot(), 0u);
    EXPECT_EQ(K->ASCII_Slot(), 2u);
    EXPECT_EQ(K->RTU_Timeout, 1000);
    EXPECT_EQ(K->ASCII_Timeout, 2500);
    EXPECT_TRUE(K->Checksum_Matches());
    EXPECT_TRUE(K->Changed_Fixed_Bytes.isEmpty());
}

TEST(Decode_BankK, Slots_In_Use_Follow_The_Mode_Flags) {
    const QByteArray Both_RS232 = With_Byte(Fixture_Image().BankK_Bytes(), 1339, 0x01);
    const std::optional<vo::BankK_Contents> K = vo::Decode_BankK(Both_RS232);
    ASSERT_TRUE(K);
    EXPECT_EQ(K->RTU_Slot(), vo::RS232_Slot);
    EXPECT_EQ(K->ASCII_Slot(), vo::RS232_Slot);
    EXPECT_TRUE(K->Checksum_Matches());
}

TEST(Decode_BankK, Finds_A_Bad_Checksum_And_Changed_Fixed_Bytes) {
    QByteArray Bytes = Fixture_Image().BankK_Bytes();
    Bytes[2044] = static_cast<char>(Bytes[2044] + 1);
    std::optional<vo::BankK_Contents> K = vo::Decode_BankK(Bytes);
    ASSERT_TRUE(K);
    EXPECT_FALSE(K->Checksum_Matches());
    EXPECT_EQ(K->Byte_Sum + 1, K->Checksum);

    // A preset, a reserved byte and the fixed data-bit byte after the slots, checksum kept right.
    Bytes = With_Byte(With_Byte(With_Byte(Fixture_Image().BankK_Bytes(), 0, 0x91), 1000, 1), 443, 7);
    K = vo::Decode_BankK(Bytes);
    ASSERT_TRUE(K);
    EXPECT_TRUE(K->Checksum_Matches());
    EXPECT_EQ(K->Changed_Fixed_Bytes, (QList<int>{0, 443, 1000}));
}

TEST(Decode_BankK, Refuses_A_Wrong_Size) {
    for (const int Size : {0, 4, 19, 2047, 2049}) {
        EXPECT_FALSE(vo::Decode_BankK(QByteArray(Size, '\0'))) << Size;
    }
}

TEST(Decode_Bank, Names_Each_Field) {
    const std::optional<QList<vo::Bank_Value>> Values = vo::Decode_Bank(Fixture_Image().Bank_Bytes());
    ASSERT_TRUE(Values);
    QStringList Lines;
    for (const vo::Bank_Value& V : *Values)
        Lines.append(QStringLiteral("%1=%2").arg(V.Name).arg(V.Value));
    EXPECT_EQ(Lines.join(u' '),
              QStringLiteral("Header=4 MODE_DEV=1 SER_RTU=1 BAUD_RTU=3 PAR_RTU=2 TO_RTU=1000 "
                             "SER_ASCII=1 BAUD_ASCII=6 PAR_ASCII=1 TO_ASCII=2500 "
                             "DATA_RTU=1 STOP_RTU=2 DATA_ASCII=0 STOP_ASCII=0"));

    const std::optional<QList<vo::Bank_Value>> Header = vo::Decode_Bank(QByteArray::fromHex("04000000"));
    ASSERT_TRUE(Header);
    ASSERT_EQ(Header->size(), 1);
    EXPECT_EQ(Header->front().Name, QStringLiteral("Header"));

    for (const int Size : {0, 3, 5, 18, 20, 2048})
        EXPECT_FALSE(vo::Decode_Bank(QByteArray(Size, '\0'))) << Size;
}
