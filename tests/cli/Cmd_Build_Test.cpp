#include "Cli_Run.h"
#include "Qt_Print.h"
#include "image/Image_Files.h"
#include "image/Image_Save.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"

namespace {

using vo_test::Config_Folder;
using vo_test::Read_All;
using vo_test::Run_Cli;
using vo_test::Run_Result;
using vo_test::Shown;
using vo_test::Test_Data;
using vo_test::Write_All;

// A configuration folder with its bin folder, as a new configuration gets it.
struct Built_Config : Config_Folder {
    explicit Built_Config(const QByteArray& Par_Gen = QByteArray()) : Config_Folder(Par_Gen) {
        EXPECT_TRUE(QDir().mkpath(Bin));
    }

    QString Bin = vo::Bin_Folder(Path());
    QString Bank = vo::Bank_File_Path(Bin);
    QString BankK = vo::BankK_File_Path(Bin);
};

} // namespace

TEST(Cli_Build, Writes_The_Images_The_Update_Step_Writes) {
    const struct {
        const char* Name;
        QByteArray Par_Gen; // empty: no parameter file
        int Bank_Size;
    } Cases[] = {
        {"no parameter file", QByteArray(), 4},
        {"fixture", Test_Data("image/ParGen.xml"), 19},
        // The strict elements only; every other one falls back on its default.
        {"leading elements only",
         "<Par_Gen><MODE_DEV>0</MODE_DEV><SER_RTU>01</SER_RTU><BAUD_RTU>9</BAUD_RTU><PAR_RTU>-1</PAR_RTU>"
         "<TO_RTU>70000</TO_RTU><SER_ASCII>1</SER_ASCII><BAUD_ASCII>7</BAUD_ASCII><PAR_ASCII>0</PAR_ASCII>"
         "<TO_ASCII>300</TO_ASCII></Par_Gen>",
         19},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const Built_Config Config(Case.Par_Gen);
        // The same configuration, written by the update step's own function.
        const Built_Config Update(Case.Par_Gen);
        vo::Shared_State State;
        State.Project_Path = Update.Path();
        vo::Set_Files(State);
        ASSERT_TRUE(vo::Build_And_Save_Images(State));

        const Run_Result Result = Run_Cli({QStringLiteral("build"), Config.Path()});
        EXPECT_EQ(Result.Exit_Code, 0);
        EXPECT_EQ(Result.Out, QStringLiteral("%1: %2 bytes\n%3: 2048 bytes\n")
                                  .arg(Shown(Config.Bank))
                                  .arg(Case.Bank_Size)
                                  .arg(Shown(Config.BankK)));
        // The builder's own output without saved parameters, which an update refuses: said so.
        EXPECT_EQ(Result.Err_Lines,
                  Case.Par_Gen.isEmpty()
                      ? QStringList{QStringLiteral(
                            "vo40913-cli: warning: Error! The parameters of this configuration "
                            "were never saved: open Set Communication, check them and "
                            "confirm with OK before the update")}
                      : QStringList());
        EXPECT_EQ(Read_All(Config.Bank), Read_All(Update.Bank));
        EXPECT_EQ(Read_All(Config.BankK), Read_All(Update.BankK));
        EXPECT_EQ(Read_All(Config.ParGen), Case.Par_Gen);
    }
}

TEST(Cli_Build, Without_Parameter_File_Writes_The_Header_And_The_Default_Block) {
    const Built_Config Config;
    ASSERT_EQ(Run_Cli({QStringLiteral("build"), Config.Path()}).Exit_Code, 0);
    EXPECT_EQ(Read_All(Config.Bank), QByteArray::fromHex("04000000"));
    const QByteArray BankK = Read_All(Config.BankK);
    ASSERT_EQ(BankK.size(), 2048);
    EXPECT_EQ(BankK.left(64), QByteArray::fromHex("90d0030090d003000000000080250000") + QByteArray(24, 0) +
                                  QByteArray::fromHex("c0a802cdffffff00ffffffff102711271127000000000000"));
    EXPECT_EQ(BankK.right(4), QByteArray::fromHex("820d0000"));
    EXPECT_FALSE(QFile::exists(Config.ParGen));
}

TEST(Cli_Build, A_Failed_Build_Prints_The_Error_And_Keeps_The_Old_Images) {
    const struct {
        QByteArray Par_Gen;
        const char* Error; // after "vo40913-cli: \"ParGen.xml\": "
    } Cases[] = {
        {"<Par_Gen><MODE_DEV>1</MODE_DEV><SER_RTU>1</SER_RTU></Par_Gen>", "the element BAUD_RTU is missing"},
        {"<Par_Gen><MODE_DEV>1</MODE_DEV><SER_RTU>RS485</SER_RTU></Par_Gen>",
         "the element SER_RTU holds \"RS485\", which is not an integer"},
        {Test_Data("image/Declaration_First.xml"),
         "the file does not begin with its root element (an XML declaration or a comment comes first), so "
         "none of its values can be read"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Error);
        const Built_Config Config(Case.Par_Gen);
        Write_All(Config.Bank, "old bank");
        Write_All(Config.BankK, "old bankK");

        const Run_Result Result = Run_Cli({QStringLiteral("build"), Config.Path()});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Out.isEmpty());
        EXPECT_EQ(Result.Err_Lines, QStringList{QStringLiteral("vo40913-cli: \"%1\": %2")
                                                    .arg(Shown(Config.ParGen), QLatin1String(Case.Error))});
        EXPECT_EQ(Read_All(Config.Bank), QByteArray("old bank"));
        EXPECT_EQ(Read_All(Config.BankK), QByteArray("old bankK"));
    }
}

TEST(Cli_Build, A_Bin_Folder_That_Cannot_Hold_The_Images_Is_Named) {
    const struct {
        const char* Name;
        bool Bin_Is_File;
    } Cases[] = {{"bin missing", false}, {"bin is a file", true}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const Built_Config Config(Test_Data("image/ParGen.xml"));
        ASSERT_TRUE(QDir(Config.Bin).removeRecursively());
        if (Case.Bin_Is_File)
            Write_All(Config.Bin, "not a folder");

        const Run_Result Result = Run_Cli({QStringLiteral("build"), Config.Path()});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Out.isEmpty());
        ASSERT_EQ(Result.Err_Lines.size(), 1);
        EXPECT_TRUE(Result.Err_Lines.first().startsWith(
            QStringLiteral("vo40913-cli: Cannot write \"%1\": ").arg(Shown(Config.Bank))))
            << Result.Err_Lines.first().toStdString();
        EXPECT_EQ(QFileInfo::exists(Config.Bin), Case.Bin_Is_File);
        EXPECT_EQ(Read_All(Config.Bin), Case.Bin_Is_File ? QByteArray("not a folder") : QByteArray());
    }
}

TEST(Cli_Build, Wants_Exactly_One_Configuration) {
    const Built_Config Config;
    for (const QStringList& Args : {QStringList{QStringLiteral("build")},
                                    QStringList{QStringLiteral("build"), Config.Path(), Config.Path()}}) {
        const Run_Result Result = Run_Cli(Args);
        EXPECT_EQ(Result.Exit_Code, 2);
        EXPECT_TRUE(Result.Out.isEmpty());
        EXPECT_EQ(Result.Err_Lines, QStringList{QStringLiteral("Usage: vo40913-cli build CONFIG")});
    }
    EXPECT_FALSE(QFile::exists(Config.Bank));
}
