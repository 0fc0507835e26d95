#pragma once

#include "util/Result.h"

#include <QByteArray>

namespace vo {

// Whether the two images can go into a device, read as the device reads them: bank.bin the whole
// stream, bankK.bin a block whose checksum matches its bytes, a baud rate of the list on each
// serial slot the two sides use, the master side's TimeOut from 1 to Max_TimeOut ms. The
// last defence behind the parameter checks and the builder: a failure names the file and the field.
Status Check_Sendable_Images(const QByteArray& Bank, const QByteArray& BankK);

} // namespace vo
