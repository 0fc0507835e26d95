#include "Update_Preparation.h"

#include "Device_Type.h"
#include "Update_Session.h"
#include "image/Image_Check.h"
#include "image/Image_Save.h"
#include "shell/Shared_State.h"

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
    const Image_Build Built = Build_And_Save_Images(State);
    if (!Built)
        return Failure(Built.Error());
    return Get_DevideType(State.ParGen_File);
}

} // namespace vo
