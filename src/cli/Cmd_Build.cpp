#include "Cli_Config.h"
#include "image/Image_Files.h"
#include "image/Image_Save.h"
#include "update/Update_Preparation.h"

namespace vo {

// build CONFIG: the configuration's images, built and written as the update step does it; their
// paths and sizes on standard output. Without saved parameters they are written all the same, as
// the builder makes them, with a warning: an update refuses them.
int Run_Build(Cli_Context& Context) {
    if (Context.Args.size() != 1)
        return Usage_Error(Context, "build");
    if (!Open_Config(Context, Context.Args.first()))
        return Exit_Failed;
    if (const Status Saved = Parameters_Saved(Context.State); !Saved)
        Context.Err << "vo40913-cli: warning: " << Saved.Error() << '\n';
    const Image_Build Build = Build_And_Save_Images(Context.State);
    if (!Build) {
        Context.Err << "vo40913-cli: " << Build.Error() << '\n';
        return Exit_Failed;
    }
    const QString Bin = Bin_Folder(Context.State.Project_Path);
    Context.Out << Bank_File_Path(Bin) << ": " << Build->Bank_Length << " bytes\n"
                << BankK_File_Path(Bin) << ": " << Build->BankK_Length << " bytes\n";
    return Exit_Ok;
}

} // namespace vo
