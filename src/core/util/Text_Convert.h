#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace vo {

// The one conversion of text to integer used for settings, parameters, address parts and
// version digits: leading blanks, an optional sign, then decimal digits, or hexadecimal digits
// after "$", "x", "X", "0x" or "0X". Nothing may follow, and a value outside 32 bits fails.
std::optional<int> Text_To_Int(const QString& Text);

// As Text_To_Int, giving Default when the text does not convert.
int Text_To_Int_Def(const QString& Text, int Default);

// Removes every character with code 32 or below at both ends.
QString Trim_Text(const QString& Text);
QStringView Trim_Text(QStringView Text);

} // namespace vo
