// Saves every file the program writes, the two contents in turn, until it is killed. The crash
// test kills it at random moments and then looks at the files.
#include "Save_Progress.h"
#include "Saved_Files.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: save_loop EXE_DIR PROGRESS_FILE\n", stderr);
        return 2;
    }
    vo_test::Save_Progress* Progress = vo_test::Map_Save_Progress(argv[2]);
    if (!Progress) {
        std::perror(argv[2]);
        return 1;
    }
    const vo_test::Saved_Files Files(vo_test::Open_Installation(QString::fromLocal8Bit(argv[1])));
    vo_test::Save_Progress::Set(Progress->Started, 1);
    for (std::uint32_t Round = 0;; ++Round) {
        for (std::uint32_t Index = 0; Index < vo_test::All_Saves.size(); ++Index) {
            vo_test::Save_Progress::Set(Progress->Saving, Index + 1);
            // Content 0 is on disk when the test starts the first child: begin with the other.
            const vo::Status Saved = Files.Save(vo_test::All_Saves[Index], (Round + 1) % 2);
            if (!Saved) {
                std::fprintf(stderr, "save_loop: %s\n", qPrintable(Saved.Error()));
                return 1;
            }
            vo_test::Save_Progress::Set(Progress->Saving, 0);
        }
        vo_test::Save_Progress::Set(Progress->Rounds, Round + 1);
    }
}
