#pragma once

#include "platform/Port_Probe.h"

namespace vo {

// Marks the free and busy ports that a program holds open as busy, naming the program: one pass
// over the open files of /proc, as far as this user may read them.
void Name_Holders(std::vector<Port_Info>& Ports);

} // namespace vo
