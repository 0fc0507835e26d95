#pragma once

#include "util/File_Save.h"

#include <QByteArray>
#include <QString>

namespace vo {

struct Shared_State;

// Exe_Dir + "Vorlent.xml".
QString Settings_File_Path(const Shared_State& State);

// Reads the settings into Project_Name, Last_IP_Address, Language_Name and the four flags, each
// falling back on its own default. A missing file, or one that is not well-formed XML, gives the
// defaults of a missing file.
void Read_Settings(Shared_State& State);

// The settings document as Save_Setting writes it: one line, no declaration.
QByteArray Settings_Bytes(const Shared_State& State);

// Replaces Vorlent.xml with the current settings.
Status Write_Settings(const Shared_State& State);

} // namespace vo
