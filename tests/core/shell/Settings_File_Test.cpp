#include "Qt_Print.h"
#include "shell/Settings_File.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Settings_File : public testing::Test {
protected:
    void SetUp() override { vo::Set_Folders(State, Dir.path()); }

    void Write(const QByteArray& Bytes) {
        QFile File(vo::Settings_File_Path(State));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Bytes);
    }

    // Reads into a state whose values all differ from the defaults.
    void Read() {
        State.Project_Name = QStringLiteral("stale");
        State.Last_IP_Address = QStringLiteral("1.1.1.1");
        State.Language_Name = QStringLiteral("Klingon");
        State.Enable_Internet = State.Enable_Update = true;
        State.Enable_Jump_Field_Tables = State.Double_Click_Auto_Size = true;
        vo::Read_Settings(State);
    }

    void Expect_Defaults() const {
        EXPECT_EQ(State.Project_Name, QString());
        EXPECT_EQ(State.Last_IP_Address, QStringLiteral("192.168.2.205"));
        EXPECT_EQ(State.Language_Name, QStringLiteral("English"));
        EXPECT_FALSE(State.Enable_Internet || State.Enable_Update || State.Enable_Jump_Field_Tables ||
                     State.Double_Click_Auto_Size);
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
};

constexpr char Full_File[] =
    "<Conf_Settings><lastproj><projectname>Plant1</projectname></lastproj>"
    "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd><lastlang><language>Deutsch</language></lastlang>"
    "<lastinternet><enable_internet>1</enable_internet><enable_update>0</enable_update>"
    "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
    "</lastinternet></Conf_Settings>";

} // namespace

TEST_F(Settings_File, Writes_One_Line_In_The_Fixed_Order) {
    State.Project_Name = QStringLiteral("Plant1");
    State.Last_IP_Address = QStringLiteral("10.0.0.7");
    State.Language_Name = QStringLiteral("Deutsch");
    State.Enable_Internet = State.Enable_Jump_Field_Tables = State.Double_Click_Auto_Size = true;
    ASSERT_TRUE(vo::Write_Settings(State));
    QFile File(vo::Settings_File_Path(State));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_EQ(File.readAll(), QByteArray(Full_File));
}

TEST_F(Settings_File, Reads_What_It_Writes_Including_Empty_And_Non_Ascii_Values) {
    State.Project_Name = QString::fromUtf8("Anlage Süd & <2>");
    State.Last_IP_Address = QString();
    State.Language_Name = QStringLiteral("Italiano");
    State.Enable_Update = true;
    ASSERT_TRUE(vo::Write_Settings(State));
    const vo::Shared_State Written = State;
    Read();
    EXPECT_EQ(State.Project_Name, Written.Project_Name);
    EXPECT_EQ(State.Last_IP_Address, QString());
    EXPECT_EQ(State.Language_Name, QStringLiteral("Italiano"));
    EXPECT_FALSE(State.Enable_Internet);
    EXPECT_TRUE(State.Enable_Update);
}

TEST_F(Settings_File, A_Carriage_Return_In_A_Value_Survives_Write_And_Read) {
    // Found by fuzzing: a CR was written bare, and XML reads a bare CR as LF.
    State.Project_Name = QStringLiteral("a\r\nb");
    State.Language_Name = QStringLiteral("\rch");
    ASSERT_TRUE(vo::Write_Settings(State));
    Read();
    EXPECT_EQ(State.Project_Name, QStringLiteral("a\r\nb"));
    EXPECT_EQ(State.Language_Name, QStringLiteral("\rch"));
}

TEST_F(Settings_File, Missing_Or_Unparsable_File_Gives_The_Defaults) {
    Read();
    Expect_Defaults();
    for (const QByteArray& Bytes : {QByteArray(), QByteArray("\x00\xff\xfe\x01garbage", 11),
                                    QByteArray("<Conf_Settings><lastproj>"), QByteArray("not xml at all")}) {
        Write(Bytes);
        Read();
        Expect_Defaults();
    }
}

TEST_F(Settings_File, Each_Key_Falls_Back_On_Its_Own_Default) {
    const struct {
        const char* Xml;
        const char* Project;
        const char* Address;
        const char* Language;
        bool Internet;
    } Cases[] = {
        // The first top-level node is the root, whatever it is.
        {"<?xml "
         "version=\"1.0\"?><Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>",
         "", "192.168.2.205", "English", false},
        {"<!-- c --><Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>", "",
         "192.168.2.205", "English", false},
        {"<Other><lastproj><projectname>P</projectname></lastproj></Other>", "P", "192.168.2.205", "English",
         false},
        {"<C><lastipadd><ipaddress></ipaddress></lastipadd><lastlang><language/></lastlang></C>", "", "", "",
         false},
        {"<C><lastproj><projectname>A</projectname></lastproj><lastproj><projectname>B</projectname></"
         "lastproj>"
         "</C>",
         "A", "192.168.2.205", "English", false},
        {"<C><lastipadd><ipaddress>1<b>2</b></ipaddress></lastipadd><lastproj><projectname><x/></projectname>"
         "</lastproj></C>",
         "", "192.168.2.205", "English", false},
        {"<C><LastProj><projectname>P</projectname></LastProj><lastinternet><enable_internet>1</"
         "enable_internet>"
         "</lastinternet></C>",
         "", "192.168.2.205", "English", true},
    };
    for (const auto& Case : Cases) {
        Write(Case.Xml);
        Read();
        EXPECT_EQ(State.Project_Name, QString::fromUtf8(Case.Project)) << Case.Xml;
        EXPECT_EQ(State.Last_IP_Address, QString::fromUtf8(Case.Address)) << Case.Xml;
        EXPECT_EQ(State.Language_Name, QString::fromUtf8(Case.Language)) << Case.Xml;
        EXPECT_EQ(State.Enable_Internet, Case.Internet) << Case.Xml;
    }
}

TEST_F(Settings_File, A_Flag_Is_Set_Only_By_Exactly_One) {
    const struct {
        const char* Text;
        bool Set;
    } Cases[] = {{"1", true},   {"0", false},  {"true", false}, {" 1", false},
                 {"1 ", false}, {"01", false}, {"", false}};
    for (const auto& Case : Cases) {
        Write(QByteArray("<C><lastinternet><enable_update>") + Case.Text +
              "</enable_update></lastinternet></C>");
        Read();
        EXPECT_EQ(State.Enable_Update, Case.Set) << '"' << Case.Text << '"';
        EXPECT_FALSE(State.Enable_Internet);
    }
}

TEST_F(Settings_File, A_Failed_Write_Is_Reported_And_Keeps_The_Old_File) {
    vo::Set_Folders(State, Dir.filePath(QStringLiteral("gone")));
    const vo::Status Saved = vo::Write_Settings(State);
    EXPECT_FALSE(Saved);
    EXPECT_TRUE(Saved.Error().contains(QStringLiteral("Vorlent.xml")));
}
