#pragma once

#include <compare>
#include <optional>
#include <string>
#include <vector>

namespace vo {

// A serial port's node name (ttyUSB12) with its family and number, ordered as the list shows them.
struct Port_Name {
    std::size_t Family;
    unsigned long Number;
    std::string Name;

    // A ttyS node may have no chip behind it.
    bool Uart_Node() const { return Family == 0; }
    auto operator<=>(const Port_Name&) const = default;
};

// The family and number of a name such as ttyUSB12; nothing for any other name.
std::optional<Port_Name> Parse_Port_Name(const std::string& Name);

// The serial port names in Device_Folder, ttyS first, then ttyUSB, then ttyACM, each by number.
std::vector<Port_Name> Port_Candidates(const std::string& Device_Folder);

} // namespace vo
