#include "shell/Update_Schedule.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

constexpr std::int64_t Second = 1000;
constexpr std::int64_t Minute = 60 * Second;
constexpr std::int64_t Hour = 60 * Minute;

// The main window on simulated time: its timer fires when the countdown ends, each fire starts a
// check that takes Check_Time_Ms, and the window follows every action of the schedule.
class Simulated_Window {
public:
    Simulated_Window(bool Wanted, std::int64_t Check_Time_Ms) : Check_Ms(Check_Time_Ms) {
        Apply(Schedule.Set_Wanted(Wanted));
    }

    void Options_Ok(bool Wanted) { Apply(Schedule.Set_Wanted(Wanted)); }

    void Run_Until(std::int64_t Until) {
        for (;;) {
            const bool Check_Ends_First = Check_End && (!Due || *Check_End <= *Due);
            const std::optional<std::int64_t> Next = Check_Ends_First ? Check_End : Due;
            if (!Next || *Next > Until)
                break;
            Now = *Next;
            if (Check_Ends_First) {
                Check_End.reset();
                Apply(Schedule.Check_Finished());
                continue;
            }
            Due.reset();
            if (Schedule.Tick()) {
                Checks.push_back(Now);
                Check_End = Now + Check_Ms;
            }
        }
        Now = Until;
    }

    vo::Update_Schedule Schedule;
    std::vector<std::int64_t> Checks;

private:
    void Apply(vo::Timer_Action Action) {
        if (Action == vo::Timer_Action::Start)
            Due = Now + Schedule.Interval_Ms();
        else if (Action == vo::Timer_Action::Stop)
            Due.reset();
    }

    const std::int64_t Check_Ms;
    std::int64_t Now = 0;
    std::optional<std::int64_t> Due;
    std::optional<std::int64_t> Check_End;
};

using Times = std::vector<std::int64_t>;

} // namespace

TEST(Update_Schedule, Checks_60_S_After_Start_Up_Then_Two_Hours_After_Each_Check) {
    Simulated_Window On(true, 3 * Second);
    On.Run_Until(7 * Hour);
    const std::int64_t Cycle = 2 * Hour + 3 * Second;
    EXPECT_EQ(On.Checks, (Times{Minute, Minute + Cycle, Minute + 2 * Cycle, Minute + 3 * Cycle}));

    Simulated_Window Off(false, 3 * Second);
    Off.Run_Until(24 * Hour);
    EXPECT_EQ(Off.Checks, Times{});
    EXPECT_FALSE(Off.Schedule.Counting());
}

TEST(Update_Schedule, A_Timer_Newly_Enabled_By_Ok_Counts_60_S_Before_The_First_Check_And_Two_Hours_After) {
    Simulated_Window Window(false, 3 * Second);
    Window.Run_Until(10 * Minute);
    Window.Options_Ok(true);
    Window.Run_Until(2 * Hour);
    EXPECT_EQ(Window.Checks, Times{11 * Minute});

    Window.Options_Ok(false);
    Window.Run_Until(5 * Hour);
    Window.Options_Ok(true);
    Window.Run_Until(8 * Hour);
    EXPECT_EQ(Window.Checks, (Times{11 * Minute, 7 * Hour}));
}

TEST(Update_Schedule, Ok_With_The_Timer_Already_Counting_Does_Not_Restart_The_Countdown) {
    Simulated_Window Window(true, 3 * Second);
    Window.Run_Until(50 * Second);
    Window.Options_Ok(true);
    Window.Run_Until(Hour);
    Window.Options_Ok(true);
    Window.Run_Until(3 * Hour);
    EXPECT_EQ(Window.Checks, (Times{Minute, Minute + 3 * Second + 2 * Hour}));
}

TEST(Update_Schedule, Ok_During_A_Running_Check_Is_Honoured_When_It_Ends) {
    // Switched off while the check runs: the timer stays off after it.
    Simulated_Window Off(true, 30 * Second);
    Off.Run_Until(70 * Second);
    ASSERT_TRUE(Off.Schedule.Checking());
    Off.Options_Ok(false);
    Off.Run_Until(10 * Hour);
    EXPECT_EQ(Off.Checks, Times{Minute});
    EXPECT_FALSE(Off.Schedule.Counting());

    // Switched off and on again while the check runs: one countdown, from the end of the check.
    Simulated_Window Again(true, 30 * Second);
    Again.Run_Until(70 * Second);
    Again.Options_Ok(false);
    Again.Options_Ok(true);
    EXPECT_FALSE(Again.Schedule.Counting());
    Again.Run_Until(3 * Hour);
    EXPECT_EQ(Again.Checks, (Times{Minute, 90 * Second + 2 * Hour}));
}

TEST(Update_Schedule, A_Tick_Or_An_End_Of_Check_Out_Of_Turn_Changes_Nothing) {
    vo::Update_Schedule Schedule;
    EXPECT_FALSE(Schedule.Tick());
    EXPECT_EQ(Schedule.Check_Finished(), vo::Timer_Action::Keep);
    EXPECT_EQ(Schedule.Interval_Ms(), 60000);

    EXPECT_EQ(Schedule.Set_Wanted(true), vo::Timer_Action::Start);
    EXPECT_TRUE(Schedule.Tick());
    EXPECT_FALSE(Schedule.Tick());
    EXPECT_EQ(Schedule.Interval_Ms(), 7200000);
    EXPECT_EQ(Schedule.Check_Finished(), vo::Timer_Action::Start);
    EXPECT_EQ(Schedule.Check_Finished(), vo::Timer_Action::Keep);
    EXPECT_TRUE(Schedule.Counting());
}
