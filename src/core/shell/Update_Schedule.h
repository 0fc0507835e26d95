#pragma once

namespace vo {

// What the main window does to its update timer after the schedule changed: leave it, start its
// countdown afresh with Interval_Ms(), or stop it.
enum class Timer_Action { Keep, Start, Stop };

// When the main window's update timer counts, and how long. The timer runs while both internet
// options are set; its first check comes 60 s after it was enabled, every later one two hours after
// the previous check ended. The window mirrors the schedule on a timer; tests drive it directly.
class Update_Schedule {
public:
    static constexpr int First_Interval_Ms = 60000;
    static constexpr int Repeat_Interval_Ms = 7200000;

    // At start-up and after OK of the options dialog. A countdown already running goes on; a
    // timer newly enabled counts Interval_Ms().
    Timer_Action Set_Wanted(bool Wanted);

    // The timer fired. True when a check is due: the timer is then off until Check_Finished.
    bool Tick();

    // The check started by Tick ended: the two-hour countdown starts, unless the options were
    // switched off meanwhile.
    Timer_Action Check_Finished();

    int Interval_Ms() const { return Checked ? Repeat_Interval_Ms : First_Interval_Ms; }
    bool Counting() const { return Is_Counting; }
    bool Checking() const { return Is_Checking; }

private:
    bool Is_Wanted = false;
    bool Is_Counting = false;
    bool Is_Checking = false;
    bool Checked = false;
};

} // namespace vo
