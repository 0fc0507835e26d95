#include "File_Bytes.h"
#include "Par_Gen_Fixture.h"
#include "Private_Mounts.h"
#include "Qt_Print.h"
#include "Shown_Path.h"
#include "image/Image_Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vo_test::Read_All;
using vo_test::Write_All;

namespace {

class Image_Files : public testing::Test {
protected:
    QTemporaryDir Project;
    QString Bin = vo::Bin_Folder(Project.path());
    vo::Config_Image Image = vo_test::Build_Ok(vo_test::Test_Data_Path("image/ParGen.xml"));

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(Bin)); }

    // Old images that a failed save must leave alone.
    void Write_Old_Images() {
        Write_All(vo::Bank_File_Path(Bin), "old bank");
        Write_All(vo::BankK_File_Path(Bin), "old bankK");
    }
};

} // namespace

TEST_F(Image_Files, Writes_Both_Images_And_Nothing_Else) {
    Write_Old_Images();
    const vo::Status Saved = vo::Save_Image_Files(Image, Bin);
    ASSERT_TRUE(Saved) << Saved.Error().toStdString();
    EXPECT_EQ(Bin, vo_test::Shown(Project.filePath(QStringLiteral("bin"))));
    EXPECT_EQ(Read_All(Project.filePath(QStringLiteral("bin/bank.bin"))), Image.Bank_Bytes());
    EXPECT_EQ(Read_All(Project.filePath(QStringLiteral("bin/bankK.bin"))).size(), 2048);
    EXPECT_EQ(Read_All(vo::BankK_File_Path(Bin)), Image.BankK_Bytes());
    EXPECT_EQ(QDir(Bin).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              (QStringList{QStringLiteral("bank.bin"), QStringLiteral("bankK.bin")}));
}

TEST_F(Image_Files, Two_Builds_Give_Identical_Files) {
    const QString Par_Gen = vo_test::Write_Par_Gen(Project.path());
    ASSERT_TRUE(vo::Save_Image_Files(vo_test::Build_Ok(Par_Gen), Bin));
    const QByteArray Bank = Read_All(vo::Bank_File_Path(Bin));
    const QByteArray BankK = Read_All(vo::BankK_File_Path(Bin));
    ASSERT_TRUE(vo::Save_Image_Files(vo_test::Build_Ok(Par_Gen), Bin));
    EXPECT_EQ(Read_All(vo::Bank_File_Path(Bin)), Bank);
    EXPECT_EQ(Read_All(vo::BankK_File_Path(Bin)), BankK);
}

TEST_F(Image_Files, Without_Parameter_File_Writes_Header_And_Default_Block) {
    const vo::Config_Image Default = vo_test::Build_Ok(Project.filePath(QStringLiteral("ParGen.xml")));
    ASSERT_TRUE(vo::Save_Image_Files(Default, Bin));
    EXPECT_EQ(Read_All(vo::Bank_File_Path(Bin)), QByteArray::fromHex("04000000"));
    EXPECT_EQ(Read_All(vo::BankK_File_Path(Bin)).right(4), QByteArray::fromHex("820d0000"));
}

TEST_F(Image_Files, A_Folder_That_Cannot_Hold_The_Files_Is_Reported_By_File_Name) {
    struct Case {
        const char* Label;
        void (*Break)(const QString& Folder);
        const char* Failing_File;
    };
    const Case Cases[] = {
        {"bin folder missing", [](const QString& Folder) { QDir(Folder).removeRecursively(); }, "bank.bin"},
        {"bin is a file",
         [](const QString& Folder) {
             QDir(Folder).removeRecursively();
             Write_All(Folder, "not a folder");
         },
         "bank.bin"},
        {"bankK.bin is a folder", [](const QString& Folder) { QDir().mkpath(vo::BankK_File_Path(Folder)); },
         "bankK.bin"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Label);
        QDir(Bin).removeRecursively();
        QFile::remove(Bin);
        QDir().mkpath(Bin);
        C.Break(Bin);
        const vo::Status Saved = vo::Save_Image_Files(Image, Bin);
        EXPECT_FALSE(Saved);
        const QString Failing = QDir::toNativeSeparators(QDir(Bin).filePath(QLatin1String(C.Failing_File)));
        EXPECT_TRUE(Saved.Error().contains(QStringLiteral("\"%1\"").arg(Failing)))
            << Saved.Error().toStdString();
    }
}

TEST_F(Image_Files, Read_Only_Bin_Folder_Keeps_The_Old_Images) {
    Write_Old_Images();
    vo::Status Saved;
    const std::string Skip = vo_test::With_Read_Only(Bin, [&] { Saved = vo::Save_Image_Files(Image, Bin); });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_FALSE(Saved);
    EXPECT_TRUE(Saved.Error().contains(QDir::toNativeSeparators(vo::Bank_File_Path(Bin))));
    EXPECT_EQ(Read_All(vo::Bank_File_Path(Bin)), QByteArray("old bank"));
    EXPECT_EQ(Read_All(vo::BankK_File_Path(Bin)), QByteArray("old bankK"));
    EXPECT_EQ(QDir(Bin).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              (QStringList{QStringLiteral("bank.bin"), QStringLiteral("bankK.bin")}));
}
