#include "Image_Save.h"

#include "Image_Files.h"
#include "shell/Shared_State.h"

namespace vo {

Image_Build Build_And_Save_Images(const Shared_State& State) {
    if (!State.Project_Open())
        return {std::nullopt, QStringLiteral("No configuration is open")};
    Image_Build Build = Build_Image(State.ParGen_File);
    if (!Build)
        return Build;
    if (const Save_Status Status = Save_Image_Files(*Build.Image, Bin_Folder(State.Project_Path)); !Status)
        return {std::nullopt, Status.Error_Text};
    return Build;
}

} // namespace vo
