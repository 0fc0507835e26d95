#include "File_Bytes.h"
#include "Private_Mounts.h"
#include "Qt_Print.h"
#include "params/Par_Gen_File.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using vo_test::Read_All;
using vo_test::Write_All;

namespace {

// A parameter file holding Bytes, loaded into a set that holds no default at all.
vo::Par_Gen Load_Bytes(const QByteArray& Bytes) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    Write_All(Path, Bytes);
    vo::Par_Gen Set;
    Set.Device_Type_Type = 5;
    Set.TO_RTU = QStringLiteral("held");
    const vo::Status Loaded = vo::Load_Par_Gen(Path, Set);
    EXPECT_TRUE(Loaded) << Loaded.Error().toStdString();
    return Set;
}

vo::Par_Gen Load_Fixture(const char* Name) {
    vo::Par_Gen Set;
    EXPECT_TRUE(vo::Load_Par_Gen(vo_test::Test_Data_Path(Name), Set)) << Name;
    return Set;
}

// The set of ParGen_Varied.xml: every field off its default, lists with nothing chosen, texts
// that are empty, blank, escaped or not ASCII.
vo::Par_Gen Varied_Set() {
    vo::Par_Gen Set;
    Set.Device_Type_Type = 0;
    Set.MODE_DEV = 1;
    Set.SER_RTU = 0;
    Set.BAUD_RTU = vo::Nothing_Chosen;
    Set.PAR_RTU = 2;
    Set.DATA_RTU = 1;
    Set.STOP_RTU = 1;
    Set.TO_RTU = QString();
    Set.SER_ASCII = 1;
    Set.BAUD_ASCII = 3;
    Set.PAR_ASCII = 1;
    Set.DATA_ASCII = 0;
    Set.STOP_ASCII = vo::Nothing_Chosen;
    Set.TO_ASCII = QStringLiteral("abc & <x>");
    Set.Ethernet_IP1 = QStringLiteral("010");
    Set.Ethernet_IP2 = QStringLiteral("300");
    Set.Ethernet_IP3 = QStringLiteral(" 1");
    Set.Ethernet_IP4 = QStringLiteral("-1");
    Set.Ethernet_SM3 = QStringLiteral("0");
    Set.Ethernet_SM4 = QString::fromUtf8("\xc3\x9c");
    Set.Ethernet_GAT1 = QStringLiteral("a b");
    Set.Ethernet_GAT2 = QString();
    Set.Ethernet_GAT3 = QStringLiteral("9");
    Set.Ethernet_GAT4 = QStringLiteral("  ");
    Set.Ethernet_EN_GAT = true;
    return Set;
}

QByteArray Root_With(const char* Inner) {
    return QByteArray("<Par_Gen>") + Inner + "</Par_Gen>";
}

} // namespace

TEST(Save_Par_Gen, Writes_The_Exact_Document) {
    EXPECT_EQ(vo::Par_Gen_Bytes(vo::Missing_File_Par_Gen()),
              Read_All(vo_test::Test_Data_Path("params/ParGen_No_File_Defaults.xml")));
    EXPECT_EQ(vo::Par_Gen_Bytes(Varied_Set()), Read_All(vo_test::Test_Data_Path("params/ParGen_Varied.xml")));
}

TEST(Save_Par_Gen, Round_Trip_Gives_The_Same_Set_And_The_Same_Bytes) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    for (const vo::Par_Gen& Set : {vo::Missing_File_Par_Gen(), vo::Default_Par_Gen(0), Varied_Set()}) {
        ASSERT_TRUE(vo::Save_Par_Gen(Set, Path));
        const QByteArray First = Read_All(Path);
        vo::Par_Gen Loaded;
        ASSERT_TRUE(vo::Load_Par_Gen(Path, Loaded));
        EXPECT_EQ(Loaded, Set);
        ASSERT_TRUE(vo::Save_Par_Gen(Loaded, Path));
        EXPECT_EQ(Read_All(Path), First);
    }
}

TEST(Save_Par_Gen, A_Carriage_Return_In_A_Text_Survives_Save_And_Load) {
    // Found by fuzzing: a text holding "&#13;" was saved with a bare CR, which reads back as LF.
    const vo::Par_Gen Set =
        Load_Bytes("<Par_Gen><Ethernet_SM1>&#13;255</Ethernet_SM1><TO_RTU>1&#13;&#10;</TO_RTU></Par_Gen>");
    ASSERT_EQ(Set.Ethernet_SM1, QStringLiteral("\r255"));
    ASSERT_EQ(Set.TO_RTU, QStringLiteral("1\r\n"));
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    ASSERT_TRUE(vo::Save_Par_Gen(Set, Path));
    vo::Par_Gen Loaded;
    ASSERT_TRUE(vo::Load_Par_Gen(Path, Loaded));
    EXPECT_EQ(Loaded, Set);
}

TEST(Save_Par_Gen, An_Index_Outside_Its_List_Is_Written_As_Nothing_Chosen) {
    vo::Par_Gen Set = vo::Default_Par_Gen(1);
    Set.BAUD_RTU = 9;
    Set.DATA_RTU = 3; // "8" without Ethernet port, outside the two-entry list of this type
    Set.STOP_ASCII = -7;
    const QByteArray Bytes = vo::Par_Gen_Bytes(Set);
    EXPECT_TRUE(Bytes.contains("<BAUD_RTU>-1</BAUD_RTU>"));
    EXPECT_TRUE(Bytes.contains("<DATA_RTU>-1</DATA_RTU>"));
    EXPECT_TRUE(Bytes.contains("<STOP_ASCII>-1</STOP_ASCII>"));
}

TEST(Save_Par_Gen, Starts_From_A_New_Document) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    Write_All(Path, Read_All(vo_test::Test_Data_Path("params/ParGen_Hand_Written.xml")));
    vo::Par_Gen Set;
    ASSERT_TRUE(vo::Load_Par_Gen(Path, Set));
    ASSERT_TRUE(vo::Save_Par_Gen(Set, Path));
    EXPECT_EQ(Read_All(Path), vo::Par_Gen_Bytes(Set));
    EXPECT_FALSE(Read_All(Path).contains("Unknown"));
}

TEST(Save_Par_Gen, A_Failed_Write_Is_Reported_And_Leaves_No_Torn_File) {
    QTemporaryDir Dir;
    const vo::Par_Gen Set = Varied_Set();

    const QString Vanished = Dir.filePath(QStringLiteral("gone/ParGen.xml"));
    const vo::Status Gone = vo::Save_Par_Gen(Set, Vanished);
    EXPECT_FALSE(Gone);
    EXPECT_TRUE(Gone.Error().contains(QDir::toNativeSeparators(Vanished))) << Gone.Error().toStdString();
    EXPECT_FALSE(QFile::exists(Vanished));

    const QString Folder_In_The_Way = Dir.filePath(QStringLiteral("ParGen.xml"));
    ASSERT_TRUE(QDir().mkdir(Folder_In_The_Way));
    EXPECT_FALSE(vo::Save_Par_Gen(Set, Folder_In_The_Way));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList());
}

TEST(Save_Par_Gen, A_Read_Only_File_Keeps_Its_Content) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    ASSERT_TRUE(vo::Save_Par_Gen(vo::Missing_File_Par_Gen(), Path));
    const QByteArray Before = Read_All(Path);
    const std::string Skip =
        vo_test::With_Read_Only(Path, [&] { EXPECT_FALSE(vo::Save_Par_Gen(Varied_Set(), Path)); });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_EQ(Read_All(Path), Before);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ParGen.xml")});
}

TEST(Load_Par_Gen, No_File_Gives_The_Variant_With_Ethernet_Port) {
    QTemporaryDir Dir;
    vo::Par_Gen Set = Varied_Set();
    EXPECT_TRUE(vo::Load_Par_Gen(Dir.filePath(QStringLiteral("ParGen.xml")), Set));
    EXPECT_EQ(Set, vo::Missing_File_Par_Gen());
    EXPECT_EQ(Set.Device_Type_Type, 1);
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 1, Set.DATA_RTU), QStringLiteral("8"));
}

TEST(Load_Par_Gen, An_Empty_Root_Gives_The_Defaults_Without_Ethernet_Port) {
    const vo::Par_Gen Set = Load_Bytes("<Par_Gen/>");
    EXPECT_EQ(Set, vo::Default_Par_Gen(0));
    EXPECT_EQ(Set.Device_Type_Type, 0);
    EXPECT_EQ(Set.SER_RTU, 1);    // RS485
    EXPECT_EQ(Set.BAUD_ASCII, 7); // 115200
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 0, Set.DATA_ASCII), QStringLiteral("8"));
    EXPECT_EQ(Set.TO_RTU, QStringLiteral("1000"));
    EXPECT_EQ(Set.Ethernet_IP4, QStringLiteral("10"));
    EXPECT_FALSE(Set.Ethernet_EN_GAT);
}

TEST(Load_Par_Gen, A_File_That_Cannot_Be_Parsed_Is_An_Error_And_Keeps_The_Held_Values) {
    const std::vector<QByteArray> Broken = {
        QByteArray(),
        QByteArray("\x00\x01\x02\xff\xfe\x80", 6),
        QByteArray("<Par_Gen><MODE_DEV>1</MODE_DEV>"),
        QByteArray("<Par_Gen></Par_gen>"),
        QByteArray("just text"),
        QByteArray("<!-- only a comment -->"),
        QByteArray("<Par_Gen><MODE_DEV>1</MODE_DEV></Par_Ge"),
    };
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    for (const QByteArray& Bytes : Broken) {
        Write_All(Path, Bytes);
        vo::Par_Gen Set = Varied_Set();
        const vo::Status Loaded = vo::Load_Par_Gen(Path, Set);
        ASSERT_FALSE(Loaded) << Bytes.toStdString();
        EXPECT_TRUE(Loaded.Error().contains(QDir::toNativeSeparators(Path))) << Loaded.Error().toStdString();
        EXPECT_EQ(Set, Varied_Set()) << Bytes.toStdString();
    }
}

TEST(Load_Par_Gen, A_Folder_In_Place_Of_The_File_Is_An_Error) {
    QTemporaryDir Dir;
    const QString Folder = Dir.filePath(QStringLiteral("ParGen.xml"));
    ASSERT_TRUE(QDir().mkdir(Folder));
    vo::Par_Gen Set = Varied_Set();
    EXPECT_FALSE(vo::Load_Par_Gen(Folder, Set));
    EXPECT_EQ(Set, Varied_Set());
}

TEST(Load_Par_Gen, An_Unreadable_File_Is_An_Error) {
    QTemporaryDir Dir;
    vo::Par_Gen Set = Varied_Set();
    const QString Locked = Dir.filePath(QStringLiteral("ParGen.xml"));
    Write_All(Locked, Read_All(vo_test::Test_Data_Path("params/ParGen_No_File_Defaults.xml")));
    QFile::setPermissions(Locked, QFile::WriteOwner);
    if (QFile(Locked).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that ignore file permissions";
    EXPECT_FALSE(vo::Load_Par_Gen(Locked, Set));
    EXPECT_EQ(Set, Varied_Set());
}

TEST(Load_Par_Gen, Only_The_First_Node_Counts_As_Root) {
    EXPECT_EQ(Load_Fixture("params/ParGen_Declaration_First.xml"), vo::Default_Par_Gen(0));
    EXPECT_EQ(Load_Bytes("<!-- note --><Par_Gen><MODE_DEV>1</MODE_DEV></Par_Gen>"), vo::Default_Par_Gen(0));
    EXPECT_EQ(Load_Bytes("<?pi x?><Par_Gen><MODE_DEV>1</MODE_DEV></Par_Gen>"), vo::Default_Par_Gen(0));

    vo::Par_Gen Other_Root = vo::Default_Par_Gen(0);
    Other_Root.MODE_DEV = 1;
    EXPECT_EQ(Load_Bytes("<Settings><MODE_DEV>1</MODE_DEV></Settings><!-- after -->"), Other_Root);
}

TEST(Load_Par_Gen, A_Hand_Written_File_Is_Read_Element_By_Element) {
    // Reordered, duplicated, unknown, nested and miscased elements, comments and a processing
    // instruction in the root, CDATA, attributes and indentation.
    vo::Par_Gen Expected = vo::Default_Par_Gen(1);
    Expected.Ethernet_EN_GAT = true;
    Expected.TO_ASCII = QStringLiteral("250");
    Expected.STOP_RTU = 1;
    Expected.TO_RTU = QStringLiteral("<500>");
    Expected.DATA_ASCII = 0;
    Expected.Ethernet_IP1 = QStringLiteral("10");
    EXPECT_EQ(Load_Fixture("params/ParGen_Hand_Written.xml"), Expected);
}

TEST(Load_Par_Gen, Each_Value_Falls_Back_On_Its_Own_Default) {
    const QByteArray Long_Digits(5000, '1');
    const QByteArray Long_Text = QByteArray("<TO_RTU>") + Long_Digits + "</TO_RTU>";
    struct Case {
        QByteArray Inner;
        std::function<void(vo::Par_Gen&)> Expect;
    };
    const std::vector<Case> Cases = {
        {"<BAUD_RTU>abc</BAUD_RTU>",
         [](vo::Par_Gen&) {
         }},
        {"<BAUD_RTU>9</BAUD_RTU>",
         [](vo::Par_Gen& S) {
             S.BAUD_RTU = vo::Nothing_Chosen;
         }},
        {"<BAUD_RTU>-1</BAUD_RTU>",
         [](vo::Par_Gen& S) {
             S.BAUD_RTU = vo::Nothing_Chosen;
         }},
        {"<BAUD_RTU>300</BAUD_RTU>",
         [](vo::Par_Gen& S) {
             S.BAUD_RTU = vo::Nothing_Chosen;
         }},
        {"<BAUD_RTU>01</BAUD_RTU>",
         [](vo::Par_Gen& S) {
             S.BAUD_RTU = 1;
         }},
        {"<BAUD_RTU> 1</BAUD_RTU>",
         [](vo::Par_Gen& S) {
             S.BAUD_RTU = 1;
         }},
        {"<BAUD_RTU>1 </BAUD_RTU>",
         [](vo::Par_Gen&) {
         }},
        {"<BAUD_RTU></BAUD_RTU>",
         [](vo::Par_Gen&) {
         }},
        {"<BAUD_RTU>" + Long_Digits + "</BAUD_RTU>",
         [](vo::Par_Gen&) {
         }},
        {"<MODE_DEV>1</MODE_DEV><MODE_DEV>0</MODE_DEV>",
         [](vo::Par_Gen& S) {
             S.MODE_DEV = 1;
         }},
        {"<TO_RTU></TO_RTU>",
         [](vo::Par_Gen& S) {
             S.TO_RTU = QString();
         }},
        {"<TO_RTU> 01 </TO_RTU>",
         [](vo::Par_Gen& S) {
             S.TO_RTU = QStringLiteral(" 01 ");
         }},
        {"<TO_RTU>abc</TO_RTU>",
         [](vo::Par_Gen& S) {
             S.TO_RTU = QStringLiteral("abc");
         }},
        {Long_Text,
         [&](vo::Par_Gen& S) {
             S.TO_RTU = QString::fromLatin1(Long_Digits);
         }},
        {"<Ethernet_IP1>300</Ethernet_IP1>",
         [](vo::Par_Gen& S) {
             S.Ethernet_IP1 = QStringLiteral("300");
         }},
        {"<Ethernet_EN_GAT>1</Ethernet_EN_GAT>",
         [](vo::Par_Gen& S) {
             S.Ethernet_EN_GAT = true;
         }},
        {"<Ethernet_EN_GAT>true</Ethernet_EN_GAT>",
         [](vo::Par_Gen&) {
         }},
        {"<Ethernet_EN_GAT> 1</Ethernet_EN_GAT>",
         [](vo::Par_Gen&) {
         }},
        {"<Ethernet_EN_GAT>01</Ethernet_EN_GAT>",
         [](vo::Par_Gen&) {
         }},
        {"<Ethernet_EN_GAT>1<x/></Ethernet_EN_GAT>",
         [](vo::Par_Gen&) {
         }},
    };
    for (const Case& C : Cases) {
        vo::Par_Gen Expected = vo::Default_Par_Gen(0);
        C.Expect(Expected);
        EXPECT_EQ(Load_Bytes(Root_With(C.Inner.constData())), Expected) << C.Inner.left(80).toStdString();
    }
}

TEST(Load_Par_Gen, Data_Bits_Follow_The_Device_Type_Read_First) {
    struct Case {
        const char* Inner;
        int Device_Type;
        int Data_RTU;
        const char* Data_Text;
    };
    const Case Cases[] = {
        {"<DATA_RTU>0</DATA_RTU><Device_Type_Type>0</Device_Type_Type>", 0, 0, "5"},
        {"<DATA_RTU>0</DATA_RTU><Device_Type_Type>1</Device_Type_Type>", 1, 0, "7"},
        {"<DATA_RTU>1</DATA_RTU><Device_Type_Type>0</Device_Type_Type>", 0, 1, "6"},
        {"<DATA_RTU>3</DATA_RTU><Device_Type_Type>1</Device_Type_Type>", 1, vo::Nothing_Chosen, ""},
        {"<Device_Type_Type>1</Device_Type_Type>", 1, 1, "8"},
        {"<Device_Type_Type>0</Device_Type_Type>", 0, 3, "8"},
        {"<Device_Type_Type>abc</Device_Type_Type>", 0, 3, "8"},
        {"<Device_Type_Type>9</Device_Type_Type>", vo::Nothing_Chosen, 1, "8"},
        {"<Device_Type_Type>9</Device_Type_Type><DATA_RTU>2</DATA_RTU>", vo::Nothing_Chosen,
         vo::Nothing_Chosen, ""},
    };
    for (const Case& C : Cases) {
        const vo::Par_Gen Set = Load_Bytes(Root_With(C.Inner));
        EXPECT_EQ(Set.Device_Type_Type, C.Device_Type) << C.Inner;
        EXPECT_EQ(Set.DATA_RTU, C.Data_RTU) << C.Inner;
        EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, Set.Device_Type_Type, Set.DATA_RTU),
                  QString::fromLatin1(C.Data_Text))
            << C.Inner;
        EXPECT_EQ(Set.DATA_ASCII, vo::Data_Bits_List(Set.Device_Type_Type).size() - 1) << C.Inner;
    }
}

TEST(Load_Par_Gen, A_Value_With_Nothing_Chosen_Is_Saved_As_Minus_One) {
    const vo::Par_Gen Set = Load_Bytes(Root_With("<BAUD_RTU>9</BAUD_RTU>"));
    EXPECT_TRUE(vo::Par_Gen_Bytes(Set).contains("<BAUD_RTU>-1</BAUD_RTU>"));
}
