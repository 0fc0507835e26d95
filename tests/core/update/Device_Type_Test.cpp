#include "Qt_Print.h"
#include "update/Device_Type.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Get_DevideType, Only_An_Exact_One_In_The_Root_Element_Means_Ethernet) {
    const struct {
        const char* Content;
        vo::Update_Mode Mode;
    } Cases[] = {
        {"<Par_Gen><Device_Type_Type>1</Device_Type_Type></Par_Gen>", vo::Form_Ethernet},
        {"<Other_Root><X/><Device_Type_Type>1</Device_Type_Type></Other_Root>", vo::Form_Ethernet},
        {"<Par_Gen><Device_Type_Type>1</Device_Type_Type><Device_Type_Type>0</Device_Type_Type></Par_Gen>",
         vo::Form_Ethernet},
        {"<Par_Gen><Device_Type_Type>0</Device_Type_Type></Par_Gen>", vo::Form_Serial},
        {"<Par_Gen><Device_Type_Type> 1</Device_Type_Type></Par_Gen>", vo::Form_Serial},
        {"<Par_Gen><Device_Type_Type>01</Device_Type_Type></Par_Gen>", vo::Form_Serial},
        {"<Par_Gen><device_type_type>1</device_type_type></Par_Gen>", vo::Form_Serial},
        {"<Par_Gen><Sub><Device_Type_Type>1</Device_Type_Type></Sub></Par_Gen>", vo::Form_Serial},
        {"<Par_Gen/>", vo::Form_Serial},
        {"<?xml version=\"1.0\"?><Par_Gen><Device_Type_Type>1</Device_Type_Type></Par_Gen>", vo::Form_Serial},
        {"<!-- c --><Par_Gen><Device_Type_Type>1</Device_Type_Type></Par_Gen>", vo::Form_Serial},
        {"<Par_Gen><Device_Type_Type>1</Device_Type_Type>", vo::Form_Serial},
        {"", vo::Form_Serial},
    };
    QTemporaryDir Dir;
    const QString ParGen_File = Dir.filePath(QStringLiteral("ParGen.xml"));
    for (const auto& Case : Cases) {
        QFile File(ParGen_File);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
        File.write(Case.Content);
        File.close();
        EXPECT_EQ(vo::Get_DevideType(ParGen_File), Case.Mode) << Case.Content;
    }
}

TEST(Get_DevideType, Reads_The_File_It_Is_Given_And_No_Other) {
    QTemporaryDir Dir;
    EXPECT_EQ(vo::Get_DevideType(Dir.filePath(QStringLiteral("ParGen.xml"))), vo::Form_Serial);
    // A differently spelt file beside it is not the parameter file (on Windows, where names differ
    // only in case, another name).
#ifdef _WIN32
    QFile Other(Dir.filePath(QStringLiteral("Par Gen.xml")));
#else
    QFile Other(Dir.filePath(QStringLiteral("pargen.xml")));
#endif
    ASSERT_TRUE(Other.open(QIODevice::WriteOnly));
    Other.write("<Par_Gen><Device_Type_Type>1</Device_Type_Type></Par_Gen>");
    Other.close();
    EXPECT_EQ(vo::Get_DevideType(Dir.filePath(QStringLiteral("ParGen.xml"))), vo::Form_Serial);
    EXPECT_EQ(vo::Get_DevideType(Other.fileName()), vo::Form_Ethernet);
    QDir(Dir.path()).mkdir(QStringLiteral("Folder.xml"));
    EXPECT_EQ(vo::Get_DevideType(Dir.filePath(QStringLiteral("Folder.xml"))), vo::Form_Serial);
}
