#include "Change_Summary_View.h"

#include "history/Config_Diff.h"
#include "shell/Shared_State.h"

namespace vo {

namespace {

constexpr int Msg_Changes = 1090;
constexpr int Msg_No_Changes = 1091;
constexpr int Msg_No_Success = 1092;

} // namespace

Change_Summary_View::Change_Summary_View(QWidget* Parent) : QLabel(Parent) {
    setObjectName(QStringLiteral("L_Changes"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Change_Summary_View::Refresh(const Shared_State& State) {
    const Change_Summary Summary = Changes_Since_Success(State.Project_Path, State.ParGen_File, State);
    if (!Summary.Has_Success) {
        setText(State.Text(Msg_No_Success));
    } else if (!Summary.Error_Text.isEmpty()) {
        setText(State.Text(Msg_Changes) + u'\n' + Summary.Error_Text);
    } else if (Summary.Lines.isEmpty()) {
        setText(State.Text(Msg_No_Changes));
    } else {
        QStringList Lines{State.Text(Msg_Changes)};
        for (const Diff_Line& Line : Summary.Lines)
            Lines.append(QStringLiteral("  ") + Diff_Text(Line));
        setText(Lines.join(u'\n'));
    }
}

} // namespace vo
