#pragma once

#include "Modbus_Pdu.h"

#include <QByteArray>
#include <vector>

namespace vo {

// What a slave holds: 65536 coils, discrete inputs, holding and input registers, all zero at
// first. Answers requests as a field device does.
class Register_Table {
public:
    Register_Table();

    // The answer PDU to a request PDU: the data read, the echo of a write (the table takes the
    // values), or an exception (illegal function, address or value).
    QByteArray Answer(const QByteArray& Request);

    // Sets the table's values of the kind Function reads or writes, from Start on.
    void Set(int Function, int Start, const QList<std::uint16_t>& Values);
    QList<std::uint16_t> Get(int Function, int Start, int Count) const;

private:
    std::vector<std::uint16_t>& Table_Of(int Function);
    const std::vector<std::uint16_t>& Table_Of(int Function) const;

    std::vector<std::uint16_t> Coils;
    std::vector<std::uint16_t> Inputs;
    std::vector<std::uint16_t> Holding;
    std::vector<std::uint16_t> Input_Registers;
};

} // namespace vo
