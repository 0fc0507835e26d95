// Vorlent.xml: any bytes through Read_Settings, then a write and read again.
#include "Fuzz_Input.h"
#include "Fuzz_Require.h"
#include "shell/Settings_File.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"

namespace {

bool Same_Settings(const vo::Shared_State& A, const vo::Shared_State& B) {
    return A.Project_Name == B.Project_Name && A.Last_IP_Address == B.Last_IP_Address &&
           A.Language_Name == B.Language_Name && A.Enable_Internet == B.Enable_Internet &&
           A.Enable_Update == B.Enable_Update && A.Enable_Jump_Field_Tables == B.Enable_Jump_Field_Tables &&
           A.Double_Click_Auto_Size == B.Double_Click_Auto_Size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    vo::Shared_State State;
    vo::Set_Folders(State, vo_fuzz::Input_Folder());
    vo_fuzz::Write_Input_File(QStringLiteral("Vorlent.xml"), Data, Size);
    vo::Read_Settings(State);

    vo_fuzz::Require(static_cast<bool>(vo::Write_Settings(State)), "the settings save");
    vo::Shared_State Again;
    vo::Set_Folders(Again, State.Exe_Dir);
    vo::Read_Settings(Again);
    vo_fuzz::Require(Same_Settings(Again, State), "saved settings read back unchanged");
    return 0;
}
