#include "File_Bytes.h"
#include "Qt_Print.h"
#include "Shown_Path.h"
#include "update/Job_File.h"
#include "util/Xml_Doc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vo_test::Read_All;
using vo_test::Test_Data;

namespace {

vo::Job_Input Windows_Input(int Option, bool Read_Back) {
    return {QStringLiteral("192.168.2.205"),
            {Option, Read_Back},
            QStringLiteral("C:\\Tools\\MASTER"),
            QStringLiteral("C:\\Tools\\PROJECTS\\Plant1"),
            u'\\'};
}

} // namespace

TEST(Job_File, Every_Option_Matches_Its_Fixture_Byte_For_Byte) {
    const struct {
        int Option;
        bool Read_Back;
        const char* Fixture;
    } Cases[] = {
        {0, true, "update/Job_Option0_Read_Back.xml"}, {0, false, "update/Job_Option0_No_Read_Back.xml"},
        {1, true, "update/Job_Option1_Read_Back.xml"}, {1, false, "update/Job_Option1_No_Read_Back.xml"},
        {2, true, "update/Job_Option2_Read_Back.xml"}, {2, false, "update/Job_Option2_No_Read_Back.xml"},
    };
    for (const auto& Case : Cases) {
        const QByteArray Expected = Test_Data(Case.Fixture);
        ASSERT_FALSE(Expected.isEmpty()) << Case.Fixture;
        EXPECT_EQ(vo::Job_File_Bytes(Windows_Input(Case.Option, Case.Read_Back)), Expected) << Case.Fixture;
    }
}

TEST(Job_File, Linux_Paths_Use_The_Separator_Given) {
    const vo::Job_Input Input{QStringLiteral("10.0.0.7"),
                              {0, true},
                              QStringLiteral("/opt/vo40913/MASTER"),
                              QStringLiteral("/opt/vo40913/PROJECTS/Plant 1"),
                              u'/'};
    EXPECT_EQ(vo::Job_File_Bytes(Input), Test_Data("update/Job_Linux_Option0_Read_Back.xml"));
}

TEST(Job_File, Address_Is_Written_As_Typed_And_Reads_Back) {
    for (const QString& Address : {QStringLiteral("192.168.002.205"), QStringLiteral(" 10 .0. 0.7 "),
                                   QStringLiteral("a<b&c.\"d\".e"), QStringLiteral("...")}) {
        vo::Job_Input Input = Windows_Input(1, false);
        Input.Device_Address = Address;
        pugi::xml_document Doc;
        ASSERT_TRUE(vo::Load_Xml_Bytes(vo::Job_File_Bytes(Input), Doc));
        EXPECT_EQ(vo::Child_Text(vo::First_Top_Node(Doc), "IP_Address_Dev"), Address);
    }
}

TEST(Job_File, Each_Launch_Replaces_The_Whole_File) {
    QTemporaryDir Dir;
    const QString Path = vo::Job_File_Path(Dir.path());
    EXPECT_EQ(Path, vo_test::Shown(Dir.path() + QStringLiteral("/Ethernet_Update.xml")));
    ASSERT_TRUE(vo::Save_File_Atomic(Path, QByteArray(5000, 'x')));
    ASSERT_TRUE(vo::Compile_XML_Parameter_New_Boot(Windows_Input(0, true), Path));
    EXPECT_EQ(Read_All(Path), Test_Data("update/Job_Option0_Read_Back.xml"));
    ASSERT_TRUE(vo::Compile_XML_Parameter_New_Boot(Windows_Input(2, false), Path));
    EXPECT_EQ(Read_All(Path), Test_Data("update/Job_Option2_No_Read_Back.xml"));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Ethernet_Update.xml")});
}

TEST(Job_File, A_Folder_That_Cannot_Take_It_Is_Reported_By_File_Name) {
    QTemporaryDir Dir;
    const QString Path = vo::Job_File_Path(Dir.filePath(QStringLiteral("missing")));
    const vo::Status Saved = vo::Compile_XML_Parameter_New_Boot(Windows_Input(0, true), Path);
    EXPECT_FALSE(Saved);
    EXPECT_TRUE(Saved.Error().contains(Path)) << Saved.Error().toStdString();
}
