#include "Cli_Context.h"

namespace vo {

// This build was made with a Qt without its SerialPort module, which the link test drives.
int Run_Linktest(Cli_Context& Context) {
    Context.Err << "vo40913-cli: the link test is not available in this build: it was made without Qt "
                   "SerialPort, which drives the serial ports\n";
    return Exit_Failed;
}

} // namespace vo
