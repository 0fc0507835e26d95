// Any text through Split_IP_Address, as a remembered device address is read back.
#include "Fuzz_Input.h"
#include "Fuzz_Require.h"
#include "update/Ip_Address.h"
#include "util/Text_Convert.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QString Text = QString::fromUtf8(vo_fuzz::Input_Bytes(Data, Size));
    QString Parts[4];
    if (!vo::Split_IP_Address(Text, Parts[0], Parts[1], Parts[2], Parts[3]))
        return 0;
    for (const QString& Part : Parts) {
        const std::optional<int> Value = vo::Text_To_Int(Part);
        vo_fuzz::Require(Value && *Value >= 0 && *Value <= 255, "an accepted part is a byte");
        vo_fuzz::Require(Part == vo::Trim_Text(Part), "an accepted part is trimmed");
    }
    QString Again[4];
    const QString Joined = vo::Join_IP_Address(Parts[0], Parts[1], Parts[2], Parts[3]);
    vo_fuzz::Require(vo::Split_IP_Address(Joined, Again[0], Again[1], Again[2], Again[3]),
                     "the joined parts split again");
    for (int I = 0; I < 4; ++I)
        vo_fuzz::Require(Again[I] == Parts[I], "the joined parts split into the same parts");
    return 0;
}
