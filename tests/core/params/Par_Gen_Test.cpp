#include "Qt_Print.h"
#include "params/Par_Gen.h"

#include <gtest/gtest.h>

TEST(Par_Gen, Data_Bits_List_Depends_On_The_Device_Type) {
    const QStringList Without = {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                                 QStringLiteral("8")};
    const QStringList With = {QStringLiteral("7"), QStringLiteral("8")};
    EXPECT_EQ(vo::Data_Bits_List(0), Without);
    EXPECT_EQ(vo::Data_Bits_List(1), With);
    EXPECT_EQ(vo::Data_Bits_List(vo::Nothing_Chosen), With);
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 0, 1), QStringLiteral("6"));
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Data_Bits, 1, 1), QStringLiteral("8"));
}

TEST(Par_Gen, Nothing_Chosen_Has_No_Text) {
    for (int Index : {vo::Nothing_Chosen, 2, 100}) {
        EXPECT_FALSE(vo::Is_Chosen(vo::Par_List::Serial, 0, Index)) << Index;
        EXPECT_EQ(vo::Entry_Text(vo::Par_List::Serial, 0, Index), QString()) << Index;
    }
    EXPECT_FALSE(vo::Is_Chosen(vo::Par_List::Data_Bits, 1, 2));
    EXPECT_TRUE(vo::Is_Chosen(vo::Par_List::Data_Bits, 0, 2));
}

TEST(Par_Gen, List_Texts_Are_Those_Shown) {
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Device_Type, 0, 1), QStringLiteral("With Ethernet Port"));
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Operation_Mode, 0, 0),
              QStringLiteral("Modbus RTU Slave <--> Modbus ASCII Master"));
    EXPECT_EQ(vo::Entry_Text(vo::Par_List::Operation_Mode, 0, 1),
              QStringLiteral("Modbus ASCII Slave <--> Modbus RTU Master"));
    EXPECT_EQ(vo::List_Entries(vo::Par_List::Baudrate, 0).join(u','),
              QStringLiteral("1200,2400,4800,9600,19200,38400,57600,115200"));
    EXPECT_EQ(vo::List_Entries(vo::Par_List::Parity, 0).join(u','), QStringLiteral("NONE,ODD,EVEN"));
    EXPECT_EQ(vo::List_Entries(vo::Par_List::Stop_Bits, 0).join(u','),
              QStringLiteral("1 Stop Bits,2 Stop Bits"));
}

TEST(Par_Gen, Fields_Are_Found_By_Their_Exact_Name) {
    const vo::Par_Field* Field = vo::Find_Par_Field(u"DATA_ASCII");
    ASSERT_NE(Field, nullptr);
    EXPECT_EQ(Field->Kind, vo::Par_Kind::List);
    EXPECT_EQ(Field->Index, &vo::Par_Gen::DATA_ASCII);
    EXPECT_EQ(Field->List, vo::Par_List::Data_Bits);
    EXPECT_EQ(vo::Find_Par_Field(u"data_ascii"), nullptr);
    EXPECT_EQ(vo::Find_Par_Field(u"Par_Gen"), nullptr);
    EXPECT_EQ(vo::Par_Fields().front().Element, std::string_view("Device_Type_Type"));
}

TEST(Par_Gen, Field_Text_Is_What_The_File_Holds) {
    vo::Par_Gen Set = vo::Default_Par_Gen(1);
    Set.DATA_RTU = 3; // an index of the other device type's list
    Set.TO_ASCII = QStringLiteral("010");
    Set.Ethernet_EN_GAT = true;
    EXPECT_EQ(vo::Field_Text(Set, *vo::Find_Par_Field(u"DATA_RTU")), QStringLiteral("-1"));
    EXPECT_EQ(vo::Field_Text(Set, *vo::Find_Par_Field(u"DATA_ASCII")), QStringLiteral("1"));
    EXPECT_EQ(vo::Field_Text(Set, *vo::Find_Par_Field(u"TO_ASCII")), QStringLiteral("010"));
    EXPECT_EQ(vo::Field_Text(Set, *vo::Find_Par_Field(u"Ethernet_EN_GAT")), QStringLiteral("1"));
}
