#include "Lng_Line.h"

#include "util/Text_Convert.h"

#include <algorithm>
#include <optional>

namespace vo {

namespace {

constexpr char16_t Pilcrow = u'\u00B6';

// The id is decimal only: an optional sign, then digits.
std::optional<int> Decimal_Id(QStringView Text) {
    QStringView Digits = Text;
    if (Digits.startsWith(u'+') || Digits.startsWith(u'-'))
        Digits = Digits.sliced(1);
    const bool All_Digits =
        std::all_of(Digits.begin(), Digits.end(), [](QChar C) { return C >= u'0' && C <= u'9'; });
    if (Digits.isEmpty() || !All_Digits)
        return std::nullopt;
    return Text_To_Int(Text.toString());
}

Lng_Line Ignored(Lng_Line_Kind Kind) {
    return {Kind, -1, {}};
}

} // namespace

Lng_Line Parse_Lng_Line(QStringView Raw_Line, int Count) {
    const QStringView Line = Trim_Text(Raw_Line);
    if (!Line.startsWith(u"STR"))
        return Ignored(Lng_Line_Kind::Free);

    // The id runs from just after "STR" to two characters before the first "=": the one
    // character in front of "=" is the canonical blank and never part of the id.
    const qsizetype Equal = Line.indexOf(u'=');
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
    if (const qsizetype Comment = Text.indexOf(u"/#/"); Comment >= 0) {
        Text = Trim_Text(Text.first(Comment));
        // A line that holds only a note keeps the entry as it was, like an empty one.
        if (Text.isEmpty())
            return Ignored(Lng_Line_Kind::Only_Comment);
    }
    if (Text.startsWith(Pilcrow))
        Text = Text.sliced(1);
    if (const qsizetype End = Text.indexOf(Pilcrow); End >= 0)
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
