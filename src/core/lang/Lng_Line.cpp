#include "Lng_Line.h"

#include "Char_Search.h"
#include "util/Text_Convert.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace vo {

namespace {

constexpr char16_t Pilcrow = u'\u00B6';

// The id is decimal only: an optional sign, then digits, its value within 32 bits. Read in place:
// a copy of the text for each of the table's lines would cost more than the rest of the rule.
std::optional<int> Decimal_Id(QStringView Text) {
    const bool Negative = Text.startsWith(u'-');
    const QStringView Digits = Negative || Text.startsWith(u'+') ? Text.sliced(1) : Text;
    if (Digits.isEmpty())
        return std::nullopt;
    const std::int64_t Limit = std::int64_t{std::numeric_limits<int>::max()} + (Negative ? 1 : 0);
    std::int64_t Value = 0;
    for (const QChar C : Digits) {
        if (C < u'0' || C > u'9')
            return std::nullopt;
        Value = Value * 10 + (C.unicode() - u'0');
        if (Value > Limit)
            return std::nullopt;
    }
    return static_cast<int>(Negative ? -Value : Value);
}

// Where the first note mark "/#/" stands in Text, or -1.
qsizetype Find_Note(QStringView Text) {
    for (qsizetype At = Find_Char(Text, u'/'); At >= 0 && At + 2 < Text.size();
         At = Find_Char(Text, u'/', At + 1)) {
        if (Text[At + 1] == u'#' && Text[At + 2] == u'/')
            return At;
    }
    return -1;
}

Lng_Line Ignored(Lng_Line_Kind Kind) {
    return {Kind, -1, {}};
}

} // namespace

Lng_Line Parse_Lng_Line(QStringView Raw_Line, int Count) {
    const QStringView Line = Trim_Text(Raw_Line);
    if (Line.size() < 3 || Line[0] != u'S' || Line[1] != u'T' || Line[2] != u'R')
        return Ignored(Lng_Line_Kind::Free);

    // The id runs from just after "STR" to two characters before the first "=": the one
    // character in front of "=" is the canonical blank and never part of the id.
    const qsizetype Equal = Find_Char(Line, u'=');
    const qsizetype Id_Length = Equal - 4;
    const std::optional<int> Id =
        Equal >= 0 && Id_Length > 0 ? Decimal_Id(Trim_Text(Line.sliced(3, Id_Length))) : std::nullopt;
    if (!Id)
        return Ignored(Lng_Line_Kind::No_Valid_Id);
    if (*Id < 0 || *Id >= Count)
        return Ignored(Lng_Line_Kind::Id_Out_Of_Range);

    QStringView Text = Trim_Text(Line.sliced(Equal + 1));
    if (Text.isEmpty())
        return Ignored(Lng_Line_Kind::Empty_Text);
    if (const qsizetype Comment = Find_Note(Text); Comment >= 0) {
        Text = Trim_Text(Text.first(Comment));
        // A line that holds only a note keeps the entry as it was, like an empty one.
        if (Text.isEmpty())
            return Ignored(Lng_Line_Kind::Only_Comment);
    }
    if (Text.startsWith(Pilcrow))
        Text = Text.sliced(1);
    if (const qsizetype End = Find_Char(Text, Pilcrow); End >= 0)
        Text = Text.first(End);
    return {Lng_Line_Kind::Entry, *Id, Text.toString()};
}

QString Ignore_Reason(Lng_Line_Kind Kind) {
    switch (Kind) {
    case Lng_Line_Kind::No_Valid_Id:
        return QStringLiteral("no valid id");
    case Lng_Line_Kind::Id_Out_Of_Range:
        return QStringLiteral("id out of range");
    case Lng_Line_Kind::Empty_Text:
        return QStringLiteral("empty text");
    case Lng_Line_Kind::Only_Comment:
        return QStringLiteral("nothing before the comment");
    case Lng_Line_Kind::Entry:
    case Lng_Line_Kind::Free:
        break;
    }
    return {};
}

} // namespace vo
