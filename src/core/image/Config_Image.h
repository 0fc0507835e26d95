#pragma once

#include "BankK_Block.h"
#include "Bank_Layout.h"

#include <QByteArray>
#include <array>
#include <cstdint>

namespace vo {

// The two configuration images, each a buffer with the length the file receives.
struct Config_Image {
    std::array<std::uint8_t, Bank_Stream_Size> Bank_Buffer{};
    int Bank_Length = 0;
    std::array<std::uint8_t, BankK_Size> BankK_Buffer{};
    int BankK_Length = 0;

    QByteArray Bank_Bytes() const { return Leading_Bytes(Bank_Buffer.data(), Bank_Length); }
    QByteArray BankK_Bytes() const { return Leading_Bytes(BankK_Buffer.data(), BankK_Length); }

private:
    static QByteArray Leading_Bytes(const std::uint8_t* Data, int Length) {
        return QByteArray(reinterpret_cast<const char*>(Data), Length);
    }
};

} // namespace vo
