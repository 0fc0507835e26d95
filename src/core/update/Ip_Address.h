#pragma once

#include <QString>

namespace vo {

// Splits a dotted IPv4 text into its four parts, each trimmed. True when all four convert to
// integers from 0 to 255; on failure the parts hold what was split off so far and are not to be
// used. The fourth part is everything after the third full stop.
bool Split_IP_Address(const QString& Text, QString& A, QString& B, QString& C, QString& D);

// The device address text: the four address fields joined with "." exactly as typed.
QString Join_IP_Address(const QString& A, const QString& B, const QString& C, const QString& D);

} // namespace vo
