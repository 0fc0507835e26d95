#include "Update_Preparation.h"

#include "Device_Type.h"
#include "image/Image_Save.h"
#include "shell/Shared_State.h"

namespace vo {

Result<Update_Mode> Prepare_Update(const Shared_State& State) {
    const Image_Build Built = Build_And_Save_Images(State);
    if (!Built)
        return Failure(Built.Error());
    return Get_DevideType(State.ParGen_File);
}

} // namespace vo
