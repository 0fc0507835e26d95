#include "Update_Schedule.h"

namespace vo {

Timer_Action Update_Schedule::Set_Wanted(bool Wanted) {
    Is_Wanted = Wanted;
    if (!Wanted) {
        const bool Was_Counting = Is_Counting;
        Is_Counting = false;
        return Was_Counting ? Timer_Action::Stop : Timer_Action::Keep;
    }
    // A running check arms the timer when it ends.
    if (Is_Counting || Is_Checking)
        return Timer_Action::Keep;
    Is_Counting = true;
    return Timer_Action::Start;
}

bool Update_Schedule::Tick() {
    if (!Is_Counting)
        return false;
    Is_Counting = false;
    Is_Checking = true;
    Checked = true;
    return true;
}

Timer_Action Update_Schedule::Check_Finished() {
    if (!Is_Checking)
        return Timer_Action::Keep;
    Is_Checking = false;
    if (!Is_Wanted)
        return Timer_Action::Keep;
    Is_Counting = true;
    return Timer_Action::Start;
}

} // namespace vo
