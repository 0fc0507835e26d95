#include "Par_Gen_Fixture.h"
#include "Qt_Print.h"
#include "image/Image_Builder.h"
#include "image/Image_Decode.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

using vo_test::Build_Ok;
using vo_test::Element_Edit;

namespace {

// The two sides of the fixture ParGen.xml as bankK.bin holds them.
const vo::Serial_Slot Fixture_RTU{9600, 2, 2, 8};
const vo::Serial_Slot Fixture_ASCII{57600, 1, 0, 7};
const vo::Serial_Slot Unused_Slot{0, 0, 0, 8};

class Image_Build : public testing::Test {
protected:
    QTemporaryDir Dir;

    QString Par_Gen(const std::vector<Element_Edit>& Edits = {}) {
        return vo_test::Write_Par_Gen(Dir.path(), Edits);
    }

    vo::Config_Image Build(const std::vector<Element_Edit>& Edits) { return Build_Ok(Par_Gen(Edits)); }

    static vo::BankK_Contents BankK(const vo::Config_Image& Image) {
        return vo::Decode_BankK(Image.BankK_Bytes()).value_or(vo::BankK_Contents{});
    }
};

QByteArray Default_BankK() {
    vo::BankK_Block Block;
    vo::Set_BankK_Defaults(Block);
    std::array<std::uint8_t, vo::BankK_Size> Buffer{};
    vo::Append_BankK(Block, Buffer, 0);
    return QByteArray(reinterpret_cast<const char*>(Buffer.data()), Buffer.size());
}

} // namespace

TEST_F(Image_Build, Without_Parameter_File_Gives_Header_And_Default_Block) {
    const vo::Config_Image Image = Build_Ok(Dir.filePath(QStringLiteral("ParGen.xml")));
    EXPECT_EQ(Image.Bank_Bytes(), QByteArray::fromHex("04000000"));
    EXPECT_EQ(Image.BankK_Bytes(), Default_BankK());
    const vo::BankK_Contents K = BankK(Image);
    EXPECT_EQ(K.Checksum, 3458u);
    EXPECT_EQ(K.IP_Address, (std::array<std::uint8_t, 4>{192, 168, 2, 205}));
    EXPECT_EQ(K.Gateway, (std::array<std::uint8_t, 4>{255, 255, 255, 255}));
}

TEST_F(Image_Build, Reads_Exactly_The_Path_It_Is_Given) {
    // A differently spelt file beside it is another file: on Linux one that differs in case only.
#ifdef _WIN32
    QFile::copy(vo_test::Test_Data_Path("image/Broken.xml"), Dir.filePath(QStringLiteral("Par Gen.xml")));
#else
    QFile::copy(vo_test::Test_Data_Path("image/Broken.xml"), Dir.filePath(QStringLiteral("pargen.xml")));
#endif
    EXPECT_EQ(Build_Ok(Dir.filePath(QStringLiteral("ParGen.xml"))).Bank_Bytes(),
              QByteArray::fromHex("04000000"));
    const QString Other = vo_test::Write_Par_Gen(Dir.path(), {}, QStringLiteral("Other Name.xml"));
    EXPECT_EQ(Build_Ok(Other).Bank_Length, 19);
}

TEST_F(Image_Build, Fixture_Compiles_Byte_For_Byte) {
    const vo::Config_Image Image = Build_Ok(vo_test::Test_Data_Path("image/ParGen.xml"));
    EXPECT_EQ(Image.Bank_Bytes().toHex(' '),
              QByteArray("04 00 00 00 01 01 03 02 e8 03 01 06 01 c4 09 01 02 00 00"));

    QByteArray Expected = Default_BankK();
    const auto Put = [&Expected](int Offset, std::initializer_list<int> Bytes) {
        for (const int Byte : Bytes)
            Expected[Offset++] = static_cast<char>(Byte);
    };
    Put(40, {10, 1, 2, 3, 255, 255, 0, 0, 10, 1, 0, 254}); // address, mask, gateway
    Put(400, {0x80, 0x25, 0, 0});                          // slot 0 (RTU on RS485): 9600
    Put(408, {0x00, 0xE1, 0, 0});                          // slot 2 (ASCII on RS485): 57600
    Put(424, {2, 0, 1});                                   // parity: EVEN, -, ODD
    Put(430, {2, 0, 0});                                   // stop-bit codes: two, -, one
    Put(436, {8, 8, 7});                                   // data bits: entry 1 is 8, entry 0 is 7
    Put(1339, {0x07});                                     // mode 1, both sides on RS485
    Put(1772, {0xE8, 0x03, 0xC4, 0x09});                   // timeouts 1000 and 2500
    const auto Sum =
        std::accumulate(Expected.begin(), Expected.begin() + 2044, 0u,
                        [](unsigned Total, char Byte) { return Total + static_cast<std::uint8_t>(Byte); });
    Put(2044,
        {static_cast<int>(Sum & 0xFF), static_cast<int>(Sum >> 8 & 0xFF), static_cast<int>(Sum >> 16), 0});
    EXPECT_EQ(Image.BankK_Bytes().toHex(), Expected.toHex());
}

TEST_F(Image_Build, Each_Side_Uses_The_Slot_Of_Its_Line) {
    struct Case {
        const char* Ser_RTU;
        const char* Ser_ASCII;
        std::uint8_t Mode_Flags;
        std::size_t RTU_Slot;
        std::size_t ASCII_Slot;
        const char* Bank_Codes; // bytes 15..18
    };
    const Case Cases[] = {
        {"1", "1", 0x07, 0, 2, "01020000"},
        {"0", "1", 0x05, 3, 2, "03000000"},
        {"1", "0", 0x03, 0, 3, "01020300"},
        {"0", "0", 0x01, 3, 3, "03000300"}, // shared slot: the ASCII values are written last
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string("SER_RTU ") + C.Ser_RTU + ", SER_ASCII " + C.Ser_ASCII);
        const vo::Config_Image Image =
            Build({{"SER_RTU", QLatin1String(C.Ser_RTU)}, {"SER_ASCII", QLatin1String(C.Ser_ASCII)}});
        const vo::BankK_Contents K = BankK(Image);
        EXPECT_EQ(K.Mode_Flags, C.Mode_Flags);
        for (std::size_t Slot = 0; Slot < vo::Serial_Slot_Count; ++Slot) {
            const vo::Serial_Slot Expected = Slot == C.ASCII_Slot ? Fixture_ASCII
                                             : Slot == C.RTU_Slot ? Fixture_RTU
                                                                  : Unused_Slot;
            EXPECT_EQ(K.Serial[Slot], Expected) << "slot " << Slot;
        }
        EXPECT_EQ(Image.Bank_Bytes().mid(15).toHex(), QByteArray(C.Bank_Codes));
    }
}

TEST_F(Image_Build, Gateway_Only_When_Enabled_By_Exactly_One) {
    const std::array<std::uint8_t, 4> None{255, 255, 255, 255};
    const std::pair<std::optional<QString>, std::array<std::uint8_t, 4>> Cases[] = {
        {QStringLiteral("1"), {10, 1, 0, 254}}, {QStringLiteral("0"), None},  {std::nullopt, None},
        {QStringLiteral("true"), None},         {QStringLiteral("01"), None}, {QStringLiteral(" 1"), None},
    };
    for (const auto& [Content, Gateway] : Cases) {
        SCOPED_TRACE(Content.value_or(QStringLiteral("(missing)")).toStdString());
        EXPECT_EQ(BankK(Build({{"Ethernet_EN_GAT", Content}})).Gateway, Gateway);
    }
}

TEST_F(Image_Build, Baud_Index_Becomes_The_Rate) {
    const std::pair<const char*, std::uint32_t> Cases[] = {
        {"0", 1200},  {"1", 2400},   {"2", 4800}, {"3", 9600},        {"4", 19200},     {"5", 38400},
        {"6", 57600}, {"7", 115200}, {"8", 8},    {"-1", 0xFFFFFFFF}, {"70000", 70000},
    };
    for (const auto& [Index, Rate] : Cases) {
        SCOPED_TRACE(Index);
        const vo::Config_Image Image = Build({{"BAUD_ASCII", QLatin1String(Index)}});
        EXPECT_EQ(BankK(Image).Serial[vo::ASCII_RS485_Slot].Baud, Rate);
        EXPECT_EQ(Image.Bank_Buffer[11], static_cast<std::uint8_t>(std::atoi(Index))); // the index, low bits
    }
}

TEST_F(Image_Build, Data_And_Stop_Codes_Of_A_Side_On_RS485) {
    struct Case {
        std::optional<QString> Content;
        std::uint8_t Bank_Data, BankK_Data; // bank.bin byte 15, Serial_Data_Bits of slot 0
        std::uint8_t Bank_Stop, BankK_Stop; // bank.bin byte 16, Serial_Stop_Bits of slot 0
    };
    const Case Cases[] = {
        {QStringLiteral("0"), 0, 7, 0, 0},
        {QStringLiteral("1"), 1, 8, 2, 2}, // entry 1: 8 data bits, two stop bits
        {QStringLiteral("3"), 3, 7, 3, 3},
        {QStringLiteral("-1"), 0xFF, 7, 0xFF, 0xFF},
        {QStringLiteral("257"), 1, 7, 2, 1}, // bank.bin converts after taking the low byte
        {std::nullopt, 3, 8, 0, 0},
        {QStringLiteral("abc"), 3, 8, 0, 0},
        {QString(), 3, 8, 0, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Content.value_or(QStringLiteral("(missing)")).toStdString());
        const vo::Config_Image Image = Build({{"DATA_RTU", C.Content}, {"STOP_RTU", C.Content}});
        const vo::Serial_Slot Slot = BankK(Image).Serial[vo::RTU_RS485_Slot];
        EXPECT_EQ(Image.Bank_Buffer[15], C.Bank_Data);
        EXPECT_EQ(Slot.Data_Bits, C.BankK_Data);
        EXPECT_EQ(Image.Bank_Buffer[16], C.Bank_Stop);
        EXPECT_EQ(Slot.Stop_Bits, C.BankK_Stop);
    }
}

TEST_F(Image_Build, Minus_One_Means_Nothing_Chosen) {
    const vo::Config_Image Image = Build({{"MODE_DEV", QStringLiteral("-1")},
                                          {"SER_RTU", QStringLiteral("-1")},
                                          {"BAUD_ASCII", QStringLiteral("-1")},
                                          {"PAR_ASCII", QStringLiteral("-1")},
                                          {"DATA_ASCII", QStringLiteral("-1")},
                                          {"STOP_ASCII", QStringLiteral("-1")}});
    EXPECT_EQ(Image.Bank_Bytes().toHex(' '),
              QByteArray("04 00 00 00 ff ff 03 02 e8 03 01 ff ff c4 09 03 00 ff ff"));
    const vo::BankK_Contents K = BankK(Image);
    EXPECT_EQ(K.Mode_Flags, vo::Mode_Bit_ASCII_RS485);
    EXPECT_EQ(K.Serial[vo::RS232_Slot], Fixture_RTU);
    EXPECT_EQ(K.Serial[vo::RTU_RS485_Slot], Unused_Slot);
    EXPECT_EQ(K.Serial[vo::ASCII_RS485_Slot], (vo::Serial_Slot{0xFFFFFFFF, 0xFF, 0xFF, 7}));
}

TEST_F(Image_Build, Zero_One_Is_The_Integer_One_But_Not_The_Text) {
    const vo::Config_Image Image =
        Build({{"MODE_DEV", QStringLiteral("01")}, {"SER_RTU", QStringLiteral("01")}});
    // bank.bin takes the integer: RS485, with DATA_RTU and STOP_RTU from the file.
    EXPECT_EQ(Image.Bank_Bytes().mid(4, 2).toHex(), QByteArray("0101"));
    EXPECT_EQ(Image.Bank_Bytes().mid(15, 2).toHex(), QByteArray("0102"));
    // bankK.bin compares the text: mode 0 and the RTU side on RS232.
    const vo::BankK_Contents K = BankK(Image);
    EXPECT_EQ(K.Mode_Flags, vo::Mode_Bit_ASCII_RS485);
    EXPECT_EQ(K.Serial[vo::RS232_Slot], Fixture_RTU);
    EXPECT_EQ(K.Serial[vo::RTU_RS485_Slot], Unused_Slot);
}

TEST_F(Image_Build, Values_Beyond_Their_Field_Keep_Their_Low_Bits) {
    const vo::Config_Image Image = Build({{"Ethernet_IP1", QStringLiteral("300")},
                                          {"Ethernet_IP2", QStringLiteral("-1")},
                                          {"PAR_RTU", QStringLiteral("300")},
                                          {"TO_RTU", QStringLiteral("70000")},
                                          {"TO_ASCII", QStringLiteral("1000")}});
    const vo::BankK_Contents K = BankK(Image);
    EXPECT_EQ(K.IP_Address, (std::array<std::uint8_t, 4>{44, 255, 2, 3}));
    EXPECT_EQ(Image.Bank_Buffer[7], 44);
    EXPECT_EQ(K.Serial[vo::RTU_RS485_Slot].Parity, 44);
    EXPECT_EQ(Image.Bank_Bytes().mid(8, 2).toHex(), QByteArray("7011")); // 70000 - 65536 = 0x1170
    EXPECT_EQ(K.RTU_Timeout, 70000 - 65536);
    EXPECT_EQ(Image.Bank_Bytes().mid(13, 2).toHex(), QByteArray("e803"));
    EXPECT_EQ(K.ASCII_Timeout, 1000);
}

TEST_F(Image_Build, Ethernet_Elements_Fall_Back_On_Their_Defaults) {
    const char* Names[] = {"Ethernet_IP1",  "Ethernet_IP2",  "Ethernet_IP3",  "Ethernet_IP4",
                           "Ethernet_SM1",  "Ethernet_SM2",  "Ethernet_SM3",  "Ethernet_SM4",
                           "Ethernet_GAT1", "Ethernet_GAT2", "Ethernet_GAT3", "Ethernet_GAT4"};
    const std::optional<QString> Contents[] = {std::nullopt, QString(), QStringLiteral("abc"),
                                               QStringLiteral("1 "), QStringLiteral("<x>1</x>")};
    for (const std::optional<QString>& Content : Contents) {
        SCOPED_TRACE(Content.value_or(QStringLiteral("(missing)")).toStdString());
        std::vector<Element_Edit> Edits;
        for (const char* Name : Names)
            Edits.push_back({Name, Content});
        const vo::BankK_Contents K = BankK(Build(Edits));
        EXPECT_EQ(K.IP_Address,
                  (std::array<std::uint8_t, 4>{192, 168, 0, 10})); // not the block's 192.168.2.205
        EXPECT_EQ(K.Subnet_Mask, (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
        EXPECT_EQ(K.Gateway, (std::array<std::uint8_t, 4>{192, 168, 0, 1}));
    }
}

TEST_F(Image_Build, The_Nine_Leading_Elements_Are_Required_Integers) {
    const char* Names[] = {"MODE_DEV",  "SER_RTU",    "BAUD_RTU",  "PAR_RTU", "TO_RTU",
                           "SER_ASCII", "BAUD_ASCII", "PAR_ASCII", "TO_ASCII"};
    const std::optional<QString> Contents[] = {std::nullopt,
                                               QString(),
                                               QStringLiteral("abc"),
                                               QStringLiteral("1 "),
                                               QStringLiteral("3.0"),
                                               QStringLiteral("99999999999"),
                                               QStringLiteral("<v>1</v>")};
    for (const char* Name : Names) {
        for (const std::optional<QString>& Content : Contents) {
            SCOPED_TRACE(std::string(Name) + " " +
                         Content.value_or(QStringLiteral("(missing)")).toStdString());
            const QString Path = Par_Gen({{Name, Content}});
            const vo::Image_Build Build = vo::Build_Image(Path);
            EXPECT_FALSE(Build);
            EXPECT_TRUE(Build.Error().contains(QLatin1String(Name))) << Build.Error().toStdString();
            EXPECT_TRUE(Build.Error().contains(QDir::toNativeSeparators(Path)))
                << Build.Error().toStdString();
        }
    }
}

TEST_F(Image_Build, A_File_That_Is_Not_A_Parameter_File_Fails) {
    const std::pair<QString, const char*> Cases[] = {
        {vo_test::Test_Data_Path("image/Broken.xml"), "not valid XML"},
        {vo_test::Test_Data_Path("image/Declaration_First.xml"), "does not begin with its root element"},
        {Dir.path(), "Cannot read"},
    };
    for (const auto& [Path, Reason] : Cases) {
        SCOPED_TRACE(Path.toStdString());
        const vo::Image_Build Build = vo::Build_Image(Path);
        EXPECT_FALSE(Build);
        EXPECT_TRUE(Build.Error().contains(QLatin1String(Reason))) << Build.Error().toStdString();
    }
}

TEST_F(Image_Build, First_Element_Of_A_Name_Counts_Wherever_It_Stands) {
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(
        "<Any><TO_ASCII>7</TO_ASCII><Extra>x</Extra><!-- note --><PAR_ASCII>2</PAR_ASCII>"
        "<BAUD_ASCII>4</BAUD_ASCII><SER_ASCII>0</SER_ASCII><TO_RTU>5</TO_RTU><PAR_RTU>1</PAR_RTU>"
        "<BAUD_RTU>0</BAUD_RTU><SER_RTU>0</SER_RTU><MODE_DEV>0</MODE_DEV><MODE_DEV>1</MODE_DEV></Any>");
    File.close();
    EXPECT_EQ(Build_Ok(Path).Bank_Bytes().toHex(' '),
              QByteArray("04 00 00 00 00 00 00 01 05 00 00 04 02 07 00 03 00 03 00"));
}

TEST_F(Image_Build, Two_Builds_Give_Identical_Images) {
    const QString Path = Par_Gen({{"SER_RTU", QStringLiteral("0")}});
    const vo::Config_Image First = Build_Ok(Path);
    Build_Ok(vo_test::Test_Data_Path("image/ParGen.xml"));
    const vo::Config_Image Second = Build_Ok(Path);
    EXPECT_EQ(First.Bank_Bytes(), Second.Bank_Bytes());
    EXPECT_EQ(First.BankK_Bytes(), Second.BankK_Bytes());
}
