#pragma once

#include "util/Result.h"

#include <QJsonObject>
#include <QString>
#include <span>

namespace vo {

// Who and where a configuration was commissioned for, as the report prints it. Kept in a file of its
// own in the configuration folder (ParGen.xml keeps its format); keys this program does not know
// are kept as they are.
struct Commissioning_Info {
    QString Customer;
    QString Site;
    QString Plant_Tag;
    QString Serial_Number;
    QString Technician;
    QString Notes;
    QJsonObject Others;

    bool Is_Empty() const;
};

// One field: its key in the file and in set-info, its words (id of Lang_Strings), its longest text,
// and whether it may hold line breaks.
struct Info_Field {
    const char* Key;
    QString Commissioning_Info::*Member;
    int Label;
    int Max_Length;
    bool Multi_Line;
};

std::span<const Info_Field> Info_Fields();

// "Commissioning.json" in the configuration folder.
QString Commissioning_Info_Path(const QString& Project_Path);

// The configuration's data; without a file, all empty. A file that is a link, too large, or no object
// of texts: a failure naming it.
Result<Commissioning_Info> Read_Commissioning_Info(const QString& Project_Path);

// Why Text cannot be Field's value ("" when it can): too long, more than 20 lines, a control
// character, a line break in a one-line field.
QString Info_Text_Problem(const Info_Field& Field, const QString& Text);

// Text as a field keeps it: line ends made "\n", a tab a blank, a one-line field without the blanks
// around it, the notes without line ends after their last line.
QString Typed_Info_Text(const Info_Field& Field, QString Text);

// "key=value" applied to Info, the value as Typed_Info_Text makes it; an unknown key or an unfit
// value: a failure saying why.
Status Set_Info_Text(Commissioning_Info& Info, const QString& Key_Value);

QJsonObject Info_To_Json(const Commissioning_Info& Info);

// Writes the file atomically, never through a link out of the folder; the caller holds the
// configuration's lock and has checked the values it changed (Info_Text_Problem). A value it did not
// change is kept as the file held it, even one a hand edit made too long.
Status Save_Commissioning_Info(const QString& Project_Path, const Commissioning_Info& Info);

// Message when the data cannot be saved (id of Lang_Strings); the reason follows.
inline constexpr int Msg_Info_Not_Saved = 1156;

} // namespace vo
