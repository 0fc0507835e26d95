#include "Update_Preparation.h"

#include "Device_Type.h"
#include "Update_Session.h"
#include "image/Image_Check.h"
#include "image/Image_Save.h"
#include "params/Par_Gen_Check.h"
#include "params/Par_Gen_File.h"
#include "shell/Shared_State.h"
#include "util/Text_Convert.h"

#include <QFileInfo>

namespace vo {

Status Parameters_Saved(const Shared_State& State) {
    if (QFileInfo::exists(State.ParGen_File))
        return {};
    return Failure(State.Text(Msg_Parameters_Never_Saved));
}

Status Images_Would_Pass(const Shared_State& State) {
    const Image_Build Built = Build_Image(State.ParGen_File);
    if (!Built)
        return Failure(Built.Error());
    if (const Status Fit = Check_Sendable_Images(Built->Bank_Bytes(), Built->BankK_Bytes()); !Fit)
        return Failure(State.Text(Msg_Images_Unfit) + Fit.Error());
    return {};
}

Result<Update_Mode> Prepare_Update(const Shared_State& State) {
    if (const Status Saved = Parameters_Saved(State); !Saved)
        return Failure(Saved.Error());
    // A file edited by hand may hold a master TimeOut the dialog never lets through, which the
    // image's 16 bits would turn into another (65537 ms into 1 ms): refused as the dialog refuses it.
    if (Par_Gen Set; Load_Par_Gen(State.ParGen_File, Set)) {
        const bool RTU_Master = Shown_View(Set).RTU_TimeOut_Shown;
        const std::optional<int> TimeOut = Text_To_Int(RTU_Master ? Set.TO_RTU : Set.TO_ASCII);
        if (TimeOut && (*TimeOut < 1 || *TimeOut > Max_TimeOut))
            return Failure(State.Text(RTU_Master ? Msg_RTU_TimeOut : Msg_ASCII_TimeOut));
    }
    const Image_Build Built = Build_And_Save_Images(State);
    if (!Built)
        return Failure(Built.Error());
    return Get_DevideType(State.ParGen_File);
}

} // namespace vo
