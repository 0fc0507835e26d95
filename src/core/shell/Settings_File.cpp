#include "Settings_File.h"

#include "Shared_State.h"
#include "util/Path_Join.h"
#include "util/Xml_Doc.h"

#include <QFileInfo>

namespace vo {

namespace {

struct Flag_Key {
    const char* Element;
    bool Shared_State::*Field;
};

// The four options, in the order they are written under lastinternet.
constexpr Flag_Key Flag_Keys[] = {
    {"enable_internet", &Shared_State::Enable_Internet},
    {"enable_update", &Shared_State::Enable_Update},
    {"enable_jump_field_tables", &Shared_State::Enable_Jump_Field_Tables},
    {"Double_Click_Auto_Size", &Shared_State::Double_Click_Auto_Size},
};

void Set_Defaults(Shared_State& State) {
    State.Project_Name.clear();
    State.Project_Path.clear();
    State.Last_IP_Address = Default_Last_IP_Address.toString();
    State.Language_Name = Default_Language_Name.toString();
    for (const Flag_Key& Key : Flag_Keys)
        State.*Key.Field = false;
}

QString Group_Text(const pugi::xml_node& Root, const char* Group, const char* Element,
                   const QString& Default) {
    return Child_Text(Root.child(Group), Element).value_or(Default);
}

} // namespace

QString Settings_File_Path(const Shared_State& State) {
    return Join_Path(State.Exe_Dir, QStringLiteral("Vorlent.xml"));
}

void Read_Settings(Shared_State& State) {
    Set_Defaults(State);
    const QString Path = Settings_File_Path(State);
    if (!QFileInfo::exists(Path))
        return;
    pugi::xml_document Doc;
    if (!Load_Xml_File(Path, Doc))
        return;

    const pugi::xml_node Root = First_Top_Node(Doc);
    State.Project_Name = Group_Text(Root, "lastproj", "projectname", QString());
    State.Last_IP_Address = Group_Text(Root, "lastipadd", "ipaddress", Default_Last_IP_Address.toString());
    State.Language_Name = Group_Text(Root, "lastlang", "language", Default_Language_Name.toString());
    const pugi::xml_node Flags = Root.child("lastinternet");
    for (const Flag_Key& Key : Flag_Keys)
        State.*Key.Field = Child_Text(Flags, Key.Element) == QStringLiteral("1");
}

QByteArray Settings_Bytes(const Shared_State& State) {
    pugi::xml_document Doc;
    pugi::xml_node Root = Doc.append_child("Conf_Settings");
    Append_Text_Element(Root.append_child("lastproj"), "projectname", State.Project_Name);
    Append_Text_Element(Root.append_child("lastipadd"), "ipaddress", State.Last_IP_Address);
    Append_Text_Element(Root.append_child("lastlang"), "language", State.Language_Name);
    pugi::xml_node Flags = Root.append_child("lastinternet");
    for (const Flag_Key& Key : Flag_Keys)
        Append_Text_Element(Flags, Key.Element, State.*Key.Field ? QStringLiteral("1") : QStringLiteral("0"));
    return Xml_To_Bytes(Doc);
}

Status Write_Settings(const Shared_State& State) {
    return Save_File_Atomic(Settings_File_Path(State), Settings_Bytes(State));
}

} // namespace vo
