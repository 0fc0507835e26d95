#include "Qt_Print.h"
#include "params/Par_Gen_File.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"
#include "update/Device_Type.h"
#include "update/Update_Preparation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Update_Preparation : public testing::Test {
protected:
    void SetUp() override {
        State.Project_Path = Dir.path();
        vo::Set_Files(State);
        QDir(Dir.path()).mkdir(QStringLiteral("bin"));
    }
    bool Has_Images() const {
        return QFile::exists(Dir.filePath(QStringLiteral("bin/bank.bin"))) &&
               QFile::exists(Dir.filePath(QStringLiteral("bin/bankK.bin")));
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
};

} // namespace

TEST_F(Update_Preparation, Writes_The_Images_And_Takes_The_Mode_From_The_Device_Type) {
    // Parameters never saved would send baud 0 and TimeOuts of 0 ms: nothing is built.
    vo::Result<vo::Update_Mode> Prepared = vo::Prepare_Update(State);
    ASSERT_FALSE(Prepared);
    EXPECT_EQ(Prepared.Error(), State.Text(vo::Msg_Parameters_Never_Saved));
    EXPECT_FALSE(Has_Images());

    ASSERT_TRUE(vo::Save_Par_Gen(vo::Missing_File_Par_Gen(), State.ParGen_File));
    Prepared = vo::Prepare_Update(State);
    ASSERT_TRUE(Prepared) << Prepared.Error().toStdString();
    EXPECT_EQ(*Prepared, vo::Form_Ethernet);
    EXPECT_TRUE(Has_Images());
    ASSERT_TRUE(vo::Save_Par_Gen(vo::Default_Par_Gen(0), State.ParGen_File));
    Prepared = vo::Prepare_Update(State);
    ASSERT_TRUE(Prepared);
    EXPECT_EQ(*Prepared, vo::Form_Serial);
}

TEST_F(Update_Preparation, A_Build_Or_Write_Failure_Stops_The_Update) {
    QFile File(State.ParGen_File);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write("<Par_Gen><MODE_DEV>x</MODE_DEV></Par_Gen>");
    File.close();
    vo::Result<vo::Update_Mode> Prepared = vo::Prepare_Update(State);
    EXPECT_FALSE(Prepared);
    EXPECT_TRUE(Prepared.Error().contains(QStringLiteral("MODE_DEV"))) << Prepared.Error().toStdString();
    EXPECT_FALSE(Has_Images());

    ASSERT_TRUE(vo::Save_Par_Gen(vo::Missing_File_Par_Gen(), State.ParGen_File));
    QDir(Dir.path()).rmdir(QStringLiteral("bin"));
    Prepared = vo::Prepare_Update(State);
    EXPECT_FALSE(Prepared);
    EXPECT_TRUE(Prepared.Error().contains(QStringLiteral("bank.bin"))) << Prepared.Error().toStdString();
}
