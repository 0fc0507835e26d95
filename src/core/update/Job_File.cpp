#include "Job_File.h"

#include "Updater_Texts.h"
#include "util/Path_Join.h"
#include "util/Xml_Doc.h"

namespace vo {

namespace {

struct Operation_Values {
    QString File_Name;
    const char* Start_Address;
    const char* Bank_Type;
    const char* Write_Css;
    bool Last; // the last operation of the job sends the device back to its application
};

QString Flag(bool Value) {
    return Value ? QStringLiteral("1") : QStringLiteral("0");
}

void Append_Operation(pugi::xml_node Operations, const Operation_Values& Values, bool Read_Back) {
    pugi::xml_node Operation = Operations.append_child("Operation");
    const auto Add = [&Operation](const char* Name, const QString& Text) {
        Append_Text_Element(Operation, Name, Text);
    };
    Add("Ope_GoToBoot_Before", QStringLiteral("0"));
    Add("Ope_GoToApp_Before", QStringLiteral("0"));
    Add("Ope_IP_Address", QString());
    Add("Ope_Port", QStringLiteral("2008"));
    Add("Ope_Port_Sec", QStringLiteral("2007"));
    Add("Ope_Erase_Memory", QStringLiteral("0"));
    Add("Ope_FileName", Values.File_Name);
    Add("Ope_Start_Address", QLatin1String(Values.Start_Address));
    Add("Ope_Memory_Type", QStringLiteral("0"));
    Add("Ope_Bank_Type", QLatin1String(Values.Bank_Type));
    Add("Ope_Read_Back", Flag(Read_Back));
    Add("Ope_Write_CSS", QLatin1String(Values.Write_Css));
    Add("Ope_Address_CSS", QStringLiteral("0x07A00"));
    Add("Ope_Command_CSS", QStringLiteral("0x02"));
    Add("Ope_Write_Internal_Data", QStringLiteral("0"));
    Add("Ope_WID_Address", QStringLiteral("0x07810"));
    Add("Ope_WID_Command", QStringLiteral("0x02"));
    Add("Ope_WID_Data", QStringLiteral("0x00, 0x00, 0x00, 0x01"));
    Add("Ope_GoToApp_After", Flag(Values.Last));
}

} // namespace

QString Job_File_Path(const QString& Exe_Dir) {
    return Join_Path(Exe_Dir, QStringLiteral("Ethernet_Update.xml"));
}

QByteArray Job_File_Bytes(const Job_Input& Input) {
    pugi::xml_document Doc;
    pugi::xml_node Root = Doc.append_child("Ethernet_Update");
    Append_Text_Element(Root, "Version", QStringLiteral("1000"));
    Append_Text_Element(Root, "Title", QStringLiteral("Velorin - VO40913 Ethernet Update"));
    Append_Text_Element(Root, "IP_Address_Dev", Input.Device_Address);
    Append_Text_Element(Root, "Application_Port", QStringLiteral("10000"));
    Append_Text_Element(Root, "Boot_Port", QStringLiteral("2008"));
    Append_Text_Element(Root, "Boot_Port_Sec", QStringLiteral("2007"));
    pugi::xml_node Operations = Root.append_child("Operations");

    const int Option = Input.Choice.Option_Index;
    if (Has_Firmware_Step(Option))
        Append_Operation(Operations,
                         {Ethernet_Firmware_File(Input.Master_Dir, Input.Separator), "0x8000", "1", "1",
                          !Has_Configuration_Step(Option)},
                         Input.Choice.Read_Back);
    if (Has_Configuration_Step(Option))
        Append_Operation(
            Operations,
            {Configuration_Image_File(Input.Project_Path, Input.Separator), "0x07000", "2", "0", true},
            Input.Choice.Read_Back);
    return Xml_To_Bytes(Doc);
}

Status Compile_XML_Parameter_New_Boot(const Job_Input& Input, const QString& Job_File) {
    return Save_File_Atomic(Job_File, Job_File_Bytes(Input));
}

} // namespace vo
