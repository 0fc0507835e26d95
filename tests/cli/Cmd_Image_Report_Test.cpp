#include "Cli_Run.h"
#include "Qt_Print.h"
#include "image/Image_Builder.h"

namespace {

using vo_test::Read_All;
using vo_test::Run_Cli;
using vo_test::Run_Result;
using vo_test::Shown;
using vo_test::Test_Data;
using vo_test::Write_All;

// The images the builder makes from Par_Gen; empty: a configuration without parameter file.
vo::Config_Image Built(const QByteArray& Par_Gen) {
    const QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    if (!Par_Gen.isEmpty())
        Write_All(Path, Par_Gen);
    const vo::Image_Build Build = vo::Build_Image(Path);
    EXPECT_TRUE(Build) << Build.Error().toStdString();
    return Build ? *Build : vo::Config_Image{};
}

const vo::Config_Image& Fixture_Image() {
    static const vo::Config_Image Image = Built(Test_Data("image/ParGen.xml"));
    return Image;
}

// Stores the byte sum of the first 2044 bytes as the checksum, as a tool that edits a block would.
QByteArray With_Checksum(QByteArray Block) {
    std::uint32_t Sum = 0;
    for (qsizetype I = 0; I < 2044; ++I)
        Sum += static_cast<std::uint8_t>(Block[I]);
    for (int I = 0; I < 4; ++I)
        Block[2044 + I] = static_cast<char>(Sum >> (8 * I));
    return Block;
}

QByteArray Hand_Edited_BankK() {
    QByteArray Block = Built(QByteArray()).BankK_Bytes();
    Block[0] = 0x11;    // a preset
    Block[100] = 0x01;  // reserved
    Block[101] = 0x02;  // reserved
    Block[443] = 0x07;  // the fixed data-bit byte after the slots
    Block[1339] = 0x21; // Mode_1 and a bit a build never sets
    return With_Checksum(Block);
}

// Every image file is given the same neutral name: inspect tells them apart by size alone.
struct Image_File {
    explicit Image_File(const QByteArray& Bytes) { Write_All(Path, Bytes); }

    QTemporaryDir Dir;
    QString Path = Dir.filePath(QStringLiteral("image.bin"));
};

} // namespace

TEST(Cli_Inspect, Prints_Every_Field_Of_An_Image) {
    const struct {
        QByteArray Bytes;
        const char* Expected;
    } Cases[] = {
        {Fixture_Image().BankK_Bytes(), "cli/Report_BankK.txt"},
        // Both sides share the RS232 slot.
        {Built(QByteArray()).BankK_Bytes(), "cli/Report_BankK_Default.txt"},
        // RTU on RS232, a baud index that is no rate, codes outside their lists, no gateway.
        {Built("<Par_Gen><MODE_DEV>0</MODE_DEV><SER_RTU>0</SER_RTU><BAUD_RTU>7</BAUD_RTU><PAR_RTU>0</PAR_RTU>"
               "<TO_RTU>70000</TO_RTU><SER_ASCII>1</SER_ASCII><BAUD_ASCII>9</BAUD_ASCII><PAR_ASCII>-1</"
               "PAR_ASCII>"
               "<TO_ASCII>300</TO_ASCII><STOP_ASCII>3</STOP_ASCII><Ethernet_IP1>300</Ethernet_IP1>"
               "<Ethernet_EN_GAT>0</Ethernet_EN_GAT></Par_Gen>")
             .BankK_Bytes(),
         "cli/Report_BankK_Odd_Values.txt"},
        {Hand_Edited_BankK(), "cli/Report_BankK_Hand_Edited.txt"},
        {Fixture_Image().Bank_Bytes(), "cli/Report_Bank.txt"},
        {Built(QByteArray()).Bank_Bytes(), "cli/Report_Bank_Header.txt"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Expected);
        const Image_File File(Case.Bytes);
        const Run_Result Result = Run_Cli({QStringLiteral("inspect"), File.Path});
        EXPECT_EQ(Result.Exit_Code, 0);
        EXPECT_EQ(Result.Out.toUtf8(), Test_Data(Case.Expected));
        EXPECT_EQ(Result.Err_Lines, QStringList());
        EXPECT_EQ(Read_All(File.Path), Case.Bytes);
    }
}

TEST(Cli_Inspect, One_Changed_Byte_Fails_The_Checksum) {
    // The fixture's checksum is 2738; each case flips the low bit of one byte.
    const struct {
        const char* Name;
        int Offset;
        std::uint32_t Stored;
        std::uint32_t Byte_Sum;
    } Cases[] = {
        {"IP_Address", 40, 2738, 2739},   // 10 -> 11
        {"Mode_Flags", 1339, 2738, 2737}, // 7 -> 6
        {"reserved", 100, 2738, 2739},
        {"checksum", 2044, 2739, 2738},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QByteArray Bytes = Fixture_Image().BankK_Bytes();
        Bytes[Case.Offset] = static_cast<char>(Bytes[Case.Offset] ^ 0x01);
        const Image_File File(Bytes);

        const Run_Result Result = Run_Cli({QStringLiteral("inspect"), File.Path});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Out.startsWith(QStringLiteral("bankK.bin, 2048 bytes\nIP_Address ")));
        EXPECT_TRUE(Result.Out.endsWith(QStringLiteral("\nChecksum           %1, the byte sum is %2\n")
                                            .arg(Case.Stored)
                                            .arg(Case.Byte_Sum)))
            << Result.Out.toStdString();
        EXPECT_EQ(Result.Err_Lines,
                  QStringList{QStringLiteral("vo40913-cli: \"%1\": the checksum %2 does not "
                                             "match the byte sum %3")
                                  .arg(Shown(File.Path))
                                  .arg(Case.Stored)
                                  .arg(Case.Byte_Sum)});
    }
}

TEST(Cli_Inspect, A_Bank_Header_Other_Than_4_Fails) {
    QByteArray Stream = Fixture_Image().Bank_Bytes();
    Stream[0] = 0;
    for (const QByteArray& Bytes : {QByteArray::fromHex("05000000"), Stream}) {
        SCOPED_TRACE(Bytes.toHex().toStdString());
        const Image_File File(Bytes);
        const Run_Result Result = Run_Cli({QStringLiteral("inspect"), File.Path});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Out.startsWith(QStringLiteral("bank.bin, %1 bytes\nHeader ").arg(Bytes.size())));
        EXPECT_EQ(Result.Err_Lines,
                  QStringList{QStringLiteral("vo40913-cli: \"%1\": the header holds %2, not 4")
                                  .arg(Shown(File.Path))
                                  .arg(static_cast<int>(Bytes[0]))});
    }
}

TEST(Cli_Inspect, A_File_Of_Another_Size_Is_Neither_Image) {
    const struct {
        int Size;
        const char* Told;
    } Cases[] = {{0, "0"},
                 {3, "3"},
                 {5, "5"},
                 {18, "18"},
                 {20, "20"},
                 {2047, "2047"},
                 {2049, "more than 2048"},
                 {100000, "more than 2048"}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Size);
        // Sizes next to a valid one, cut from or padded onto a good image.
        const Image_File File(Fixture_Image().BankK_Bytes().leftJustified(Case.Size, '\0', true));
        const Run_Result Result = Run_Cli({QStringLiteral("inspect"), File.Path});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Out.isEmpty());
        EXPECT_EQ(Result.Err_Lines,
                  QStringList{
                      QStringLiteral("vo40913-cli: \"%1\" holds %2 bytes; a bankK.bin holds 2048, a bank.bin "
                                     "4 or 19")
                          .arg(Shown(File.Path), QLatin1String(Case.Told))});
    }
}

TEST(Cli_Inspect, A_File_That_Cannot_Be_Read_Is_Named) {
    const QTemporaryDir Dir;
    for (const QString& Path : {Dir.filePath(QStringLiteral("bankK.bin")), Dir.path()}) {
        const Run_Result Result = Run_Cli({QStringLiteral("inspect"), Path});
        EXPECT_EQ(Result.Exit_Code, 1) << Path.toStdString();
        EXPECT_TRUE(Result.Out.isEmpty());
        ASSERT_EQ(Result.Err_Lines.size(), 1);
        EXPECT_TRUE(Result.Err_Lines.first().startsWith(
            QStringLiteral("vo40913-cli: Cannot read \"%1\": ").arg(Shown(Path))))
            << Result.Err_Lines.first().toStdString();
    }
}

TEST(Cli_Inspect, Wants_Exactly_One_File) {
    const Image_File File(Fixture_Image().BankK_Bytes());
    for (const QStringList& Args : {QStringList{QStringLiteral("inspect")},
                                    QStringList{QStringLiteral("inspect"), File.Path, File.Path}}) {
        const Run_Result Result = Run_Cli(Args);
        EXPECT_EQ(Result.Exit_Code, 2);
        EXPECT_TRUE(Result.Out.isEmpty());
        EXPECT_EQ(Result.Err_Lines, QStringList{QStringLiteral("Usage: vo40913-cli inspect [--json] FILE")});
    }
}
