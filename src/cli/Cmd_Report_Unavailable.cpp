#include "Commands.h"

namespace vo {

// This build was made with a Qt without Gui, which the report's layout needs.
std::unique_ptr<QCoreApplication> Make_Cli_Application(int& argc, char** argv) {
    return std::make_unique<QCoreApplication>(argc, argv);
}

int Run_Report(Cli_Context& Context) {
    Context.Err << "vo40913-cli: the report is not available in this build: it was made without Qt Gui, "
                   "which lays out the report\n";
    return Exit_Failed;
}

} // namespace vo
