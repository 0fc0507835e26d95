#pragma once

#include <QString>
#include <ostream>

// Failed comparisons of texts show the text itself.
inline void PrintTo(const QString& Text, std::ostream* Out) {
    *Out << '"' << Text.toStdString() << '"';
}
