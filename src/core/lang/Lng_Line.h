#pragma once

#include <QString>
#include <QStringView>

namespace vo {

// What one line of a language file does.
enum class Lng_Line_Kind {
    Entry,           // sets entry Id to Text
    Free,            // does not begin with "STR": comments, headings, blank lines
    No_Valid_Id,     // no "=", or no decimal integer between "STR" and the blank before "="
    Id_Out_Of_Range, // below 0, or String_Count or above
    Empty_Text,      // nothing after "="
    Only_Comment,    // nothing between "=" and "/#/"
};

struct Lng_Line {
    Lng_Line_Kind Kind = Lng_Line_Kind::Free;
    int Id = -1;
    QString Text;
};

// Reads one line (without its line end) by the rule of the language files: the id ends two
// characters before the first "=", the text is the rest after "=", trimmed, cut at "/#/", and
// taken between pilcrows when it begins with one. Ids must lie in 0 .. Count - 1.
Lng_Line Parse_Lng_Line(QStringView Line, int Count);

// Why a line beginning with "STR" sets nothing, for translators: "no valid id", ...
QString Ignore_Reason(Lng_Line_Kind Kind);

} // namespace vo
