#pragma once

#include <QString>

namespace vo {

// Indexes of the update options, in the order the update dialog lists them.
inline constexpr int Option_Firmware_And_Configuration = 0;
inline constexpr int Option_Firmware = 1;
inline constexpr int Option_Configuration = 2;

// What the user chose in the update dialog.
struct Update_Choice {
    int Option_Index = Option_Firmware_And_Configuration;
    bool Read_Back = true;
};

bool Has_Firmware_Step(int Option_Index);
bool Has_Configuration_Step(int Option_Index);

// S_Opt with the four step codes of Choice appended, each two letters and a blank: firmware write,
// firmware read back, configuration write, configuration read back ("NO" for a skipped step).
// Nothing is appended for an index outside the three options.
QString Update_Options(const QString& S_Opt, const Update_Choice& Choice);

} // namespace vo
