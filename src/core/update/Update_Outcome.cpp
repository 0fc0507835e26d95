#include "Update_Outcome.h"

#include "shell/Shared_State.h"

namespace vo {

Update_End End_Of(Run_Result::State Outcome, int Exit_Code, int Term_Signal) {
    switch (Outcome) {
    case Run_Result::State::Ended:
        if (Term_Signal != 0)
            return Update_End::Killed;
        return Exit_Code == 0 ? Update_End::Succeeded : Update_End::Failed;
    case Run_Result::State::Still_Running:
        return Update_End::Still_Running;
    case Run_Result::State::Not_Started:
        break;
    }
    return Update_End::Not_Started;
}

Update_End End_Of(const Run_Result& Result) {
    return End_Of(Result.Outcome, Result.Exit_Code, Result.Term_Signal);
}

QString End_Words(const Run_Result& Result, const QString& Updater, const Shared_State& State) {
    switch (End_Of(Result)) {
    case Update_End::Succeeded:
        return State.Text(Msg_Updater_Succeeded).arg(Updater);
    case Update_End::Failed:
        return State.Text(Msg_Updater_Failed).arg(Updater).arg(Result.Exit_Code);
    case Update_End::Killed:
        return State.Text(Msg_Updater_Killed).arg(Updater).arg(Result.Term_Signal);
    case Update_End::Still_Running:
        return State.Text(Msg_Updater_Left_Running).arg(Updater);
    case Update_End::Not_Started:
        break;
    }
    return State.Text(Msg_Updater_Not_Started) + QString::fromStdString(Result.Error_Text);
}

} // namespace vo
