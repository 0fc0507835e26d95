#include "TFNew_Project.h"

#include "Messages.h"
#include "shell/Shared_State.h"
#include "widgets/Button_Panel.h"
#include "widgets/Placement.h"
#include "widgets/Title_Panel.h"
#include "widgets/Window_Style.h"
#include "workspace/Workspace.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vo {

TFNew_Project::TFNew_Project(Shared_State& App_State, Messages& Texts, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), Msgs(Texts),
      P_Title(new Title_Panel(App_State.Software_Code, this)), Label1(new QLabel(this)),
      E_New_Proj(new QLineEdit(this)), Btn_OK(nullptr), Btn_Cancel(nullptr) {
    setObjectName(QStringLiteral("TFNew_Project"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    Apply_Window_Style(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    auto* P_Button = new Button_Panel(this);
    Btn_OK = P_Button->Btn_OK;
    Btn_Cancel = P_Button->Btn_Cancel;

    auto* Body = new QVBoxLayout;
    Body->setContentsMargins(16, 8, 16, 8);
    Body->addWidget(Label1);
    Body->addWidget(E_New_Proj);
    auto* Layout = Band_Layout(this);
    Layout->addWidget(P_Title);
    Layout->addLayout(Body);
    Layout->addStretch();
    Layout->addWidget(P_Button);

    connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFNew_Project::reject);
    setFixedSize(331, 162);
    Set_Lang();
}

void TFNew_Project::Set_Lang() {
    setWindowTitle(State.Text(100));
    Set_Caption(P_Title->L_SW_Desc, State.Text(101));
    Label1->setText(State.Text(102));
    Btn_OK->setText(State.Text(103));
    Btn_Cancel->setText(State.Text(104));
    E_New_Proj->setToolTip(State.Text(108));
    Btn_OK->setToolTip(State.Text(109));
    Btn_Cancel->setToolTip(State.Text(110));
}

void TFNew_Project::showEvent(QShowEvent* Event) {
    E_New_Proj->clear();
    E_New_Proj->setFocus();
    Modal_Dialog::showEvent(Event);
}

void TFNew_Project::Btn_OKClick() {
    if (const int Message = Create_Configuration(State, E_New_Proj->text())) {
        Msgs.Error(State.Text(Message));
        return;
    }
    done(Modal_Ok);
}

} // namespace vo
