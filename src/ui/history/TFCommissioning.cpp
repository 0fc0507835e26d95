#include "TFCommissioning.h"

#include "Messages.h"
#include "Services.h"
#include "history/Commissioning_Info.h"
#include "shell/Shared_State.h"
#include "util/Writer_Lock.h"
#include "widgets/Window_Style.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vo {

namespace {

// Message ids of the dialog.
constexpr int Msg_Title = 1150;
constexpr int Msg_OK = 103;
constexpr int Msg_Cancel = 104;
constexpr int Msg_Info_Not_Read = 1192;

} // namespace

TFCommissioning::TFCommissioning(const Shared_State& App_State, const Services& App_Services, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), Svc(App_Services) {
    setObjectName(QStringLiteral("TFCommissioning"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    Apply_Window_Style(this);
    auto* Form = new QFormLayout;
    for (const Info_Field& Field : Info_Fields()) {
        const QString Label = State.Text(Field.Label).trimmed();
        if (Field.Multi_Line) {
            M_Notes = new QPlainTextEdit(this);
            M_Notes->setObjectName(QStringLiteral("M_Notes"));
            M_Notes->setTabChangesFocus(true);
            M_Notes->setFixedHeight(90);
            Form->addRow(Label, M_Notes);
            continue;
        }
        auto* Edit = new QLineEdit(this);
        Edit->setObjectName(QStringLiteral("E_") + QLatin1String(Field.Key));
        Edit->setMaxLength(Field.Max_Length);
        Edit->setMinimumWidth(420);
        Form->addRow(Label, Edit);
        Lines.append(Edit);
    }
    Btn_OK = new QPushButton(State.Text(Msg_OK).trimmed(), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setDefault(true);
    Btn_Cancel = new QPushButton(State.Text(Msg_Cancel).trimmed(), this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(Btn_OK);
    Buttons->addWidget(Btn_Cancel);
    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Form);
    Layout->addLayout(Buttons);
    connect(Btn_OK, &QPushButton::clicked, this, &TFCommissioning::Save);
    connect(Btn_Cancel, &QPushButton::clicked, this, [this] { done(Modal_Cancel); });
}

void TFCommissioning::showEvent(QShowEvent* Event) {
    setWindowTitle(State.Text(Msg_Title).trimmed() + QStringLiteral(" - ") + State.Project_Name);
    Modal_Dialog::showEvent(Event);
}

bool TFCommissioning::Load() {
    const Result<Commissioning_Info> Info = Read_Commissioning_Info(State.Project_Path);
    if (!Info) {
        Svc.Msgs.Error(State.Text(Msg_Info_Not_Read) + Info.Error());
        return false;
    }
    Loaded_Texts.clear();
    qsizetype Line = 0;
    for (const Info_Field& Field : Info_Fields()) {
        Loaded_Texts.append((*Info).*Field.Member);
        if (Field.Multi_Line) {
            M_Notes->setPlainText(Loaded_Texts.last());
            continue;
        }
        // A longer text written by hand is shown whole, not cut unseen; saving tells what is too long.
        Lines[Line]->setMaxLength(
            std::max<int>(Field.Max_Length, static_cast<int>(Loaded_Texts.last().size())));
        Lines[Line]->setText(Loaded_Texts.last());
        Lines[Line++]->setCursorPosition(0); // a long text shows its start
    }
    return true;
}

QStringList TFCommissioning::Typed_Texts() const {
    QStringList Texts;
    qsizetype Line = 0;
    for (const Info_Field& Field : Info_Fields())
        Texts.append(
            Typed_Info_Text(Field, Field.Multi_Line ? M_Notes->toPlainText() : Lines[Line++]->text()));
    return Texts;
}

void TFCommissioning::Save() {
    const QStringList Typed = Typed_Texts();
    QList<bool> Changed;
    qsizetype I = 0;
    for (const Info_Field& Field : Info_Fields()) {
        // As it was loaded, blanks around it included, a field is untouched; the notes' box gives
        // back a no-break space as a blank.
        const auto Plain = [](QString Text) {
            return Text.replace(QChar(QChar::Nbsp), u' ');
        };
        Changed.append(Plain(Typed[I]) != Plain(Typed_Info_Text(Field, Loaded_Texts.value(I))));
        ++I;
    }
    if (!Changed.contains(true)) {
        done(Modal_Ok);
        return;
    }
    // Read again under the lock, and only the fields the user changed are written: a change made
    // meanwhile from the command line to another field, or a key of a newer program, is kept.
    Writer_Lock Lock(Lock_Of::Configuration, State.Project_Path);
    Status Saved = Lock.Acquire();
    Result<Commissioning_Info> Info =
        Saved ? Read_Commissioning_Info(State.Project_Path) : Failure(Saved.Error());
    if (Info) {
        I = 0;
        for (const Info_Field& Field : Info_Fields()) {
            if (Changed[I]) {
                if (const QString Problem = Info_Text_Problem(Field, Typed[I]); !Problem.isEmpty() && Saved)
                    Saved = Failure(Problem);
                (*Info).*Field.Member = Typed[I];
            }
            ++I;
        }
        if (Saved)
            Saved = Save_Commissioning_Info(State.Project_Path, *Info);
    } else {
        Saved = Failure(Info.Error());
    }
    if (!Saved) {
        Svc.Msgs.Error(State.Text(Msg_Info_Not_Saved) + Saved.Error());
        return;
    }
    done(Modal_Ok);
}

} // namespace vo
