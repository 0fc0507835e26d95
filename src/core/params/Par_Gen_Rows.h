#pragma once

#include "Par_Gen.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vo {

struct Shared_State;

// One row of the parameter dialog as the user reads it: the panel's and the row's words in the
// chosen language, the elements the row edits, and the value as the dialog shows it (a list by
// its entry's text, an address by its four bytes joined with dots).
struct Par_Row {
    QString Panel;
    QString Label;
    QStringList Elements;
    QString Value;

    // "Modbus RTU - Baudrate"; a row without a label of its own, or whose label repeats the panel's
    // words, takes the panel's words.
    QString Caption() const;
};

// Every row of the dialog in its order, whether the dialog shows it for these values or not.
// Texts come from the state's Lang_Strings; the gateway switch reads as "enabled" or "disabled".
QList<Par_Row> Par_Rows(const Par_Gen& Set, const Shared_State& State);

// The rows the dialog shows for these values: the master side's TimeOut only, the Ethernet panel
// only for a device with Ethernet port.
QList<Par_Row> Shown_Par_Rows(const Par_Gen& Set, const Shared_State& State);

// Message ids of the gateway switch's two states.
inline constexpr int Msg_Enabled = 95;
inline constexpr int Msg_Disabled = 96;

} // namespace vo
