#include "TFOpenConf.h"

#include "shell/Shared_State.h"
#include "widgets/Button_Panel.h"
#include "widgets/Placement.h"
#include "widgets/Title_Panel.h"
#include "widgets/Window_Style.h"
#include "workspace/Workspace.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vo {

TFOpenConf::TFOpenConf(const Shared_State& App_State, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), P_Title(new Title_Panel(App_State.Software_Code, this)),
      Label1(new QLabel(this)), ListBox1(new QListWidget(this)), Btn_OK(nullptr), Btn_Cancel(nullptr) {
    setObjectName(QStringLiteral("TFOpenConf"));
    Apply_Window_Style(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    auto* P_Button = new Button_Panel(this);
    Btn_OK = P_Button->Btn_OK;
    Btn_Cancel = P_Button->Btn_Cancel;

    auto* Body = new QVBoxLayout;
    Body->setContentsMargins(16, 8, 16, 8);
    Body->addWidget(Label1);
    Body->addWidget(ListBox1, 1);
    auto* Layout = Band_Layout(this);
    Layout->addWidget(P_Title);
    Layout->addLayout(Body, 1);
    Layout->addWidget(P_Button);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &TFOpenConf::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TFOpenConf::accept);
    connect(Btn_OK, &QPushButton::clicked, this, &TFOpenConf::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFOpenConf::reject);
    resize(377, 351);
    Set_Lang();
}

void TFOpenConf::Set_Lang() {
    setWindowTitle(State.Text(200));
    Set_Caption(P_Title->L_SW_Desc, State.Text(201));
    Label1->setText(State.Text(202));
    Btn_OK->setText(State.Text(203));
    Btn_Cancel->setText(State.Text(204));
    ListBox1->setToolTip(State.Text(205));
    Btn_OK->setToolTip(State.Text(206));
    Btn_Cancel->setToolTip(State.Text(207));
}

void TFOpenConf::showEvent(QShowEvent* Event) {
    SL = Load_Existing_Configuration(State.Projects_Dir);
    const QSignalBlocker Quiet(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(SL);
    int Row = Search_Open_Conf(SL, Open_Configuration_Name(State));
    if (Row < 0 && !SL.isEmpty())
        Row = 0;
    ListBox1->setCurrentRow(Row);
    Name_Conf = Row < 0 ? QString() : SL[Row];
    Modal_Dialog::showEvent(Event);
}

void TFOpenConf::ListBox1Click(int Row) {
    if (Row >= 0 && Row < SL.size())
        Name_Conf = SL[Row];
}

} // namespace vo
