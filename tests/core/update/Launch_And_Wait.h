#pragma once

#include "update/Updater_Launch.h"

namespace vo_test {

// A launch with the wait for the updater's end, the updater's output its own, under the update
// lock until then.
inline vo::Run_Result Serial_Launch(vo::Shared_State& State, vo::Process_Runner& Runner, const QString& Port,
                                    const vo::Update_Choice& Choice,
                                    std::chrono::milliseconds Limit = vo::Updater_Wait_Limit) {
    vo::Updater_Start Start =
        vo::Begin_Serial_Launch(State, Runner, Port, Choice, vo::Program_Output::Inherited);
    return vo::Wait_For_End(Start.Started, Limit);
}

inline vo::Run_Result Ethernet_Launch(vo::Shared_State& State, vo::Process_Runner& Runner,
                                      const QString& Address, const vo::Update_Choice& Choice,
                                      std::chrono::milliseconds Limit = vo::Updater_Wait_Limit) {
    vo::Updater_Start Start =
        vo::Begin_Ethernet_Launch(State, Runner, Address, Choice, vo::Program_Output::Inherited);
    return vo::Wait_For_End(Start.Started, Limit);
}

} // namespace vo_test
