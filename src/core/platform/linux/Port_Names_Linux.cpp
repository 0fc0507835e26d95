#include "Port_Names_Linux.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <string_view>

namespace vo {

namespace {

constexpr const char* Families[] = {"ttyS", "ttyUSB", "ttyACM"};

} // namespace

std::optional<Port_Name> Parse_Port_Name(const std::string& Name) {
    for (std::size_t Family = 0; Family < std::size(Families); ++Family) {
        const std::string_view Prefix = Families[Family];
        if (!Name.starts_with(Prefix) || Name.size() == Prefix.size())
            continue;
        const char* First = Name.data() + Prefix.size();
        const char* Last = Name.data() + Name.size();
        unsigned long Number = 0;
        const auto [End, Error] = std::from_chars(First, Last, Number);
        if (Error == std::errc() && End == Last)
            return Port_Name{Family, Number, Name};
    }
    return std::nullopt;
}

std::vector<Port_Name> Port_Candidates(const std::string& Device_Folder) {
    std::vector<Port_Name> Candidates;
    std::error_code Error;
    for (std::filesystem::directory_iterator It(Device_Folder, Error), End; !Error && It != End;
         It.increment(Error)) {
        if (auto Name = Parse_Port_Name(It->path().filename().string()))
            Candidates.push_back(std::move(*Name));
    }
    std::sort(Candidates.begin(), Candidates.end());
    return Candidates;
}

} // namespace vo
