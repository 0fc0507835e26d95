#include "Configurator.h"

#include "shell/Shared_State.h"

namespace vo {

Configurator::Configurator(Shared_State& State) : Msgs(State.Main_Caption), Window(State, Svc) {}

} // namespace vo
