#include "Update_Preparation.h"

#include "Device_Type.h"
#include "image/Image_Save.h"
#include "shell/Shared_State.h"

#include <QFileInfo>

namespace vo {

Status Parameters_Saved(const Shared_State& State) {
    if (QFileInfo::exists(State.ParGen_File))
        return {};
    return Failure(State.Text(Msg_Parameters_Never_Saved));
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
