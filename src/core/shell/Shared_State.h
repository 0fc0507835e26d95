#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vo {

// What the settings give when they name no address or language.
inline constexpr QStringView Default_Last_IP_Address = u"192.168.2.205";
inline constexpr QStringView Default_Language_Name = u"English";

// The state every window reads: folders, the open configuration, the remembered update
// choices, the language and the four options. Owned by main and handed on by reference.
struct Shared_State {
    QString Exe_Dir;
    QString Master_Dir;
    QString Projects_Dir;
    QString Language_Dir;

    QString Project_Name;
    QString Project_Path;
    QString ParGen_File;

    QString Main_Caption;
    QString Software_Code;
    QString Software_Description;

    QString Last_IP_Address = Default_Last_IP_Address.toString();
    int Update_Option_Index = 0;
    bool Read_Back_Enabled = true;

    QString Language_Name = Default_Language_Name.toString();
    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;

    // The numbered texts of the chosen language, ids 0 to String_Count - 1.
    QStringList Lang_Strings;

    // Entry Id of Lang_Strings; a single blank before the table is loaded.
    QString Text(int Id) const;

    // A configuration is open exactly when Project_Path is not empty.
    bool Project_Open() const { return !Project_Path.isEmpty(); }
};

} // namespace vo
