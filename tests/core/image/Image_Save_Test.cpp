#include "File_Bytes.h"
#include "Par_Gen_Fixture.h"
#include "Qt_Print.h"
#include "image/Image_Files.h"
#include "image/Image_Save.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vo_test::Read_All;
using vo_test::Write_All;

namespace {

// An open configuration in a temporary folder, with its bin folder.
class Build_And_Save : public testing::Test {
protected:
    QTemporaryDir Project;
    vo::Shared_State State;
    QString Bin = vo::Bin_Folder(Project.path());

    void SetUp() override {
        State.Project_Path = Project.path();
        vo::Set_Files(State);
        ASSERT_TRUE(QDir().mkpath(Bin));
    }

    QByteArray Bank() const { return Read_All(vo::Bank_File_Path(Bin)); }
    QByteArray BankK() const { return Read_All(vo::BankK_File_Path(Bin)); }
};

} // namespace

TEST_F(Build_And_Save, Writes_What_The_Builder_Gives) {
    const struct {
        const char* Name;
        std::vector<vo_test::Element_Edit> Edits;
        bool Par_Gen_File;
    } Cases[] = {
        {"fixture", {}, true},
        {"RTU on RS232, no gateway",
         {{"SER_RTU", QStringLiteral("0")}, {"Ethernet_EN_GAT", std::nullopt}},
         true},
        {"no parameter file", {}, false},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QFile::remove(State.ParGen_File);
        if (Case.Par_Gen_File)
            vo_test::Write_Par_Gen(Project.path(), Case.Edits);
        const vo::Config_Image Expected = vo_test::Build_Ok(State.ParGen_File);

        const vo::Image_Build Saved = vo::Build_And_Save_Images(State);
        ASSERT_TRUE(Saved) << Saved.Error().toStdString();
        EXPECT_EQ(Bank(), Expected.Bank_Bytes());
        EXPECT_EQ(BankK(), Expected.BankK_Bytes());
        EXPECT_EQ(Saved->Bank_Bytes(), Expected.Bank_Bytes());
        EXPECT_EQ(Saved->BankK_Bytes(), Expected.BankK_Bytes());
    }
    EXPECT_EQ(Bank(), QByteArray::fromHex("04000000"));
    EXPECT_EQ(BankK().right(4), QByteArray::fromHex("820d0000"));
}

TEST_F(Build_And_Save, A_Failed_Build_Leaves_The_Old_Images) {
    const struct {
        const char* Name;
        QByteArray Par_Gen;
        const char* Error_Part;
    } Cases[] = {
        {"not XML", Read_All(vo_test::Test_Data_Path("image/Broken.xml")), "is not valid XML"},
        {"declaration first", Read_All(vo_test::Test_Data_Path("image/Declaration_First.xml")),
         "does not begin with its root element"},
        {"strict element missing", "<Par_Gen><MODE_DEV>1</MODE_DEV></Par_Gen>",
         "the element SER_RTU is missing"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Write_All(vo::Bank_File_Path(Bin), "old bank");
        Write_All(vo::BankK_File_Path(Bin), "old bankK");
        Write_All(State.ParGen_File, Case.Par_Gen);

        const vo::Image_Build Saved = vo::Build_And_Save_Images(State);
        EXPECT_FALSE(Saved);
        EXPECT_TRUE(Saved.Error().contains(QLatin1String(Case.Error_Part))) << Saved.Error().toStdString();
        EXPECT_EQ(Bank(), QByteArray("old bank"));
        EXPECT_EQ(BankK(), QByteArray("old bankK"));
    }
}

TEST_F(Build_And_Save, A_Failed_Write_Names_The_File) {
    vo_test::Write_Par_Gen(Project.path());
    ASSERT_TRUE(QDir(Bin).removeRecursively());
    const vo::Image_Build Saved = vo::Build_And_Save_Images(State);
    EXPECT_FALSE(Saved);
    EXPECT_TRUE(Saved.Error().contains(QStringLiteral("\"%1\"").arg(vo::Bank_File_Path(Bin))))
        << Saved.Error().toStdString();
    EXPECT_FALSE(QFileInfo::exists(Bin));
}

TEST(Build_And_Save_Closed, Without_An_Open_Configuration_Nothing_Is_Written) {
    // The bin folder of an empty Project_Path would be the root's bin folder.
    vo::Shared_State State;
    vo::Set_Files(State);
    const vo::Image_Build Saved = vo::Build_And_Save_Images(State);
    EXPECT_FALSE(Saved);
    EXPECT_EQ(Saved.Error(), QStringLiteral("No configuration is open"));
}
