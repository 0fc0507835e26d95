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
    if (const QString Busy = Lock.Acquire(); !Busy.isEmpty())
        return Failure(State.Text(Msg_Configuration_Busy) + Busy);
    Image_Build Build = Build_Image(State.ParGen_File);
    if (!Build)
        return Build;
    if (const Save_Status Saved = Save_Image_Files(*Build, Bin_Folder(State.Project_Path)); !Saved)
        return Failure(Saved.Error_Text);
    return Build;
}

} // namespace vo
