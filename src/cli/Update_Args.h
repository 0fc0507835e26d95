#pragma once

#include "Cli_Context.h"
#include "update/Device_Type.h"
#include "update/Update_Steps.h"

#include <chrono>
#include <optional>

namespace vo {

// What the update command was asked to do.
struct Update_Request {
    QString Config;
    // Form_Serial with --port, Form_Ethernet with --ip.
    Update_Mode Form_Type = Form_Serial;
    // The port device or the address text, exactly as given.
    QString Target;
    Update_Choice Choice;
    std::chrono::milliseconds Wait_Limit{0};
    // Start the updater on a port that another program holds.
    bool Force_Port = false;
};

// The arguments of update: CONFIG, --port DEVICE or --ip A.B.C.D, --option 0|1|2, --no-read-back,
// --wait-limit SECONDS and --force-port, in any order. A usage error: the reason and the usage line on
// standard error, and nothing.
std::optional<Update_Request> Parse_Update_Args(Cli_Context& Context);

} // namespace vo
