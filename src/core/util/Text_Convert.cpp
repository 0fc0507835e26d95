#include "Text_Convert.h"

#include <cstdint>
#include <limits>

namespace vo {

namespace {

int Digit_Value(QChar C, int Base) {
    const char16_t U = C.unicode();
    int Value = -1;
    if (U >= u'0' && U <= u'9')
        Value = U - u'0';
    else if (U >= u'a' && U <= u'f')
        Value = U - u'a' + 10;
    else if (U >= u'A' && U <= u'F')
        Value = U - u'A' + 10;
    return Value < Base ? Value : -1;
}

} // namespace

std::optional<int> Text_To_Int(const QString& Text) {
    qsizetype Pos = 0;
    const qsizetype Length = Text.size();
    while (Pos < Length && Text[Pos] == u' ')
        ++Pos;
    bool Negative = false;
    if (Pos < Length && (Text[Pos] == u'+' || Text[Pos] == u'-')) {
        Negative = Text[Pos] == u'-';
        ++Pos;
    }
    int Base = 10;
    if (Pos < Length && Text[Pos] == u'$') {
        Base = 16;
        ++Pos;
    } else if (Pos < Length && (Text[Pos] == u'x' || Text[Pos] == u'X')) {
        Base = 16;
        ++Pos;
    } else if (Pos + 1 < Length && Text[Pos] == u'0' && (Text[Pos + 1] == u'x' || Text[Pos + 1] == u'X')) {
        Base = 16;
        Pos += 2;
    }
    if (Pos >= Length)
        return std::nullopt;

    // Hexadecimal digits spell a 32-bit pattern, as in "$FFFFFFFF" for -1; decimal ones a value.
    const std::uint64_t Limit =
        Base == 16 ? 0xFFFFFFFFull
                   : static_cast<std::uint64_t>(std::numeric_limits<int>::max()) + (Negative ? 1 : 0);
    std::uint64_t Value = 0;
    for (; Pos < Length; ++Pos) {
        const int Digit = Digit_Value(Text[Pos], Base);
        if (Digit < 0)
            return std::nullopt;
        Value = Value * static_cast<std::uint64_t>(Base) + static_cast<std::uint64_t>(Digit);
        if (Value > Limit)
            return std::nullopt;
    }
    if (Base == 16) {
        const auto Pattern = static_cast<std::int32_t>(static_cast<std::uint32_t>(Value));
        return Negative ? static_cast<int>(-static_cast<std::int64_t>(Pattern)) : Pattern;
    }
    const auto Signed = static_cast<std::int64_t>(Value);
    return static_cast<int>(Negative ? -Signed : Signed);
}

int Text_To_Int_Def(const QString& Text, int Default) {
    return Text_To_Int(Text).value_or(Default);
}

QString Trim_Text(const QString& Text) {
    return Trim_Text(QStringView(Text)).toString();
}

QStringView Trim_Text(QStringView Text) {
    qsizetype First = 0;
    qsizetype Last = Text.size();
    while (First < Last && Text[First].unicode() <= 32)
        ++First;
    while (Last > First && Text[Last - 1].unicode() <= 32)
        --Last;
    return Text.sliced(First, Last - First);
}

} // namespace vo
