#include "Cli_Config.h"
#include "history/Restore.h"

namespace vo {

// restore CONFIG RECORD: the ParGen.xml of RECORD's snapshot becomes the configuration's, with the
// images sent with it; the files it replaces are kept as a record of their own, whose id is printed,
// to undo the restore.
int Run_Restore(Cli_Context& Context) {
    if (Context.Args.size() != 2)
        return Usage_Error(Context, "restore");
    if (!Open_Config(Context, Context.Args.first()))
        return Exit_Failed;
    const Result<QString> Kept =
        Restore_Snapshot(Context.State.Project_Path, Context.State.ParGen_File, Context.Args.at(1));
    if (!Kept) {
        Context.Err << Context.State.Text(Msg_Restore_Failed) << Kept.Error() << '\n';
        return Exit_Failed;
    }
    Context.Out << "Restored ParGen.xml and the images of record " << Context.Args.at(1)
                << "; the files it replaced are kept as record " << *Kept << '\n';
    return Exit_Ok;
}

} // namespace vo
