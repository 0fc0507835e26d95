#include "Update_Steps.h"

namespace vo {

bool Has_Firmware_Step(int Option_Index) {
    return Option_Index == Option_Firmware_And_Configuration || Option_Index == Option_Firmware;
}

bool Has_Configuration_Step(int Option_Index) {
    return Option_Index == Option_Firmware_And_Configuration || Option_Index == Option_Configuration;
}

QString Update_Options(const QString& S_Opt, const Update_Choice& Choice) {
    const bool Firmware = Has_Firmware_Step(Choice.Option_Index);
    const bool Configuration = Has_Configuration_Step(Choice.Option_Index);
    if (!Firmware && !Configuration)
        return S_Opt;
    const auto Code = [](bool Step, const char* Text) {
        return QLatin1String(Step ? Text : "NO ");
    };
    return S_Opt + Code(Firmware, "FW ") + Code(Firmware && Choice.Read_Back, "FR ") +
           Code(Configuration, "PW ") + Code(Configuration && Choice.Read_Back, "PR ");
}

} // namespace vo
