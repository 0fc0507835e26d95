#include "Image_Save.h"

#include "Image_Files.h"
#include "shell/Shared_State.h"
#include "util/Writer_Lock.h"

namespace vo {

Image_Build Build_And_Save_Images(const Shared_State& State) {
    if (!State.Project_Open())
        return Failure(QStringLiteral("No configuration is open"));
    // The parameters read and the images written belong together: no other writer in between.
    Writer_Lock Lock(Lock_Of::Configuration, State.Project_Path);
    if (const Status Locked = Lock.Acquire(); !Locked)
        return Failure(State.Text(Msg_Configuration_Busy) + Locked.Error());
    Image_Build Build = Build_Image(State.ParGen_File);
    if (!Build)
        return Build;
    if (const Status Saved = Save_Image_Files(*Build, Bin_Folder(State.Project_Path)); !Saved)
        return Failure(Saved.Error());
    return Build;
}

} // namespace vo
