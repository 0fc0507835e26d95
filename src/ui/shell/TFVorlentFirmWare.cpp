#include "TFVorlentFirmWare.h"

#include "Messages.h"
#include "Services.h"
#include "TFAbout.h"
#include "Url_Opener.h"
#include "options/TFSoftOptions.h"
#include "options/Version_Checker.h"
#include "params/TFParGen.h"
#include "shell/Settings_File.h"
#include "shell/Shared_State.h"
#include "shell/Software_Info.h"
#include "shell/Startup.h"
#include "update/TFBoot.h"
#include "update/Update_Preparation.h"
#include "util/Path_Join.h"
#include "widgets/Click_Label.h"
#include "widgets/Icon_Button.h"
#include "widgets/Modal_Dialog.h"
#include "widgets/Placement.h"
#include "widgets/Window_Style.h"
#include "workspace/TFNew_Project.h"
#include "workspace/TFOpenConf.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>

namespace vo {

namespace {

QLabel* Add_Grey_Label(QWidget* Parent, const QString& Name, int Left, int Top, bool Bold) {
    QLabel* Label = Place_Label(Parent, Name, Left, Top);
    Style_Grey_Label(Label, Bold);
    return Label;
}

QFrame* Add_Frame(QWidget* Parent, const QString& Name, QRect Geometry) {
    auto* Frame = new QFrame(Parent);
    Frame->setObjectName(Name);
    Frame->setGeometry(Geometry);
    Frame->setStyleSheet(QStringLiteral("QFrame { border: 1px solid silver; background: transparent; }"));
    return Frame;
}

} // namespace

TFVorlentFirmWare::TFVorlentFirmWare(Shared_State& State, const Services& Services)
    : State(State), Svc(Services), Checker(new Version_Checker(Services.Http, this)) {
    setObjectName(QStringLiteral("TFVorlentFirmWare"));
    Place_Elements();

    Timer_Update = new QTimer(this);
    Timer_Update->setObjectName(QStringLiteral("Timer_Update"));
    Timer_Update->setSingleShot(true);
    Timer_Update->setInterval(Schedule.Interval_Ms());
    connect(Timer_Update, &QTimer::timeout, this, &TFVorlentFirmWare::Timer_UpdateTimer);
    connect(Checker, &Version_Checker::Finished, this, &TFVorlentFirmWare::Show_Update_Check);
    Apply(Schedule.Set_Wanted(Update_Timer_Wanted(State)));

    setWindowTitle(State.Main_Caption);
    Set_Caption(L_SW_Code, State.Software_Code);
    Set_Caption(L_SW_Desc, State.Software_Description);
    Set_Lang();

    F_About = new TFAbout(State, Svc.Urls, this);
    F_New_Project = new TFNew_Project(State, Svc.Msgs, this);
    F_OpenConf = new TFOpenConf(State, this);
    F_SoftOptions = new TFSoftOptions(
        State, Svc, [this] { Change_Language(); }, this);
    F_ParGen = new TFParGen(State, Svc.Msgs, this);
    F_Boot = new TFBoot(State, Svc, this);
}

void TFVorlentFirmWare::Place_Elements() {
    Apply_Window_Style(this);
    L_SW_Code = Add_Grey_Label(this, QStringLiteral("L_SW_Code"), 16, 8, false);
    Style_Grey_Label(L_SW_Code, false, 32);
    L_SW_Desc = Add_Grey_Label(this, QStringLiteral("L_SW_Desc"), 16, 42, true);

    LL_Update = new QLabel(this);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->move(208, 19);
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this,
            [this](const QString& Link) { Svc.Urls.Open_Url(Link); });

    Btn_Info = Add_Button(QStringLiteral("Btn_Info"), QStyle::SP_MessageBoxInformation, {516, 8, 50, 50});
    Btn_Opz = Add_Button(QStringLiteral("Btn_Opz"), QStyle::SP_FileDialogDetailedView, {574, 8, 50, 50});
    Btn_Close = Add_Button(QStringLiteral("Btn_Close"), QStyle::SP_DialogCloseButton, {632, 8, 50, 50});

    Shape2 = Add_Frame(this, QStringLiteral("Shape2"), {80, 70, 348, 36});
    L_Name_Conf = Add_Grey_Label(this, QStringLiteral("L_Name_Conf"), 87, 75, false);
    L_Name_Conf_L2 = Add_Grey_Label(this, QStringLiteral("L_Name_Conf_L2"), 87, 88, false);
    L_Begin = Add_Grey_Label(this, QStringLiteral("L_Begin"), 16, 84, true);
    L_Step_1 = Add_Grey_Label(this, QStringLiteral("L_Step_1"), 16, 128, true);
    L_Step_2 = Add_Grey_Label(this, QStringLiteral("L_Step_2"), 16, 172, true);
    L_Step_3 = Add_Grey_Label(this, QStringLiteral("L_Step_3"), 16, 216, true);

    Btn_New = Add_Button(QStringLiteral("Btn_New"), QStyle::SP_FileIcon, {80, 112, 170, 36});
    Btn_Open = Add_Button(QStringLiteral("Btn_Open"), QStyle::SP_DialogOpenButton, {258, 112, 170, 36});
    Btn_Prm_Gen =
        Add_Button(QStringLiteral("Btn_Prm_Gen"), QStyle::SP_FileDialogContentsView, {80, 156, 170, 36});
    Btn_CreateBin = Add_Button(QStringLiteral("Btn_CreateBin"), QStyle::SP_ArrowUp, {80, 200, 170, 36});

    Shape1 = Add_Frame(this, QStringLiteral("Shape1"), {10, 251, 674, 1});

    auto* Velorin = new Click_Label(QStringLiteral("L_Velorin"), this);
    Style_Grey_Label(Velorin, true);
    Set_Caption(Velorin, Maker_Web_Address());
    // The address sits in the band under the line, right-aligned, so that it stays inside the window.
    Velorin->move(684 - Velorin->width(), 326);
    connect(Velorin, &Click_Label::Clicked, this, [this] { Svc.Urls.Open_Url(Home_Page_Url()); });
    L_Velorin = Velorin;

    setFixedSize(694, Btn_CreateBin->y() + 152);
}

Icon_Button* TFVorlentFirmWare::Add_Button(const QString& Name, QStyle::StandardPixmap Icon, QRect Geometry) {
    auto* Button = new Icon_Button(style()->standardIcon(Icon), Name, this);
    Button->setGeometry(Geometry);
    connect(Button, &QAbstractButton::clicked, this, [this, Button] { Btn_Click(Button); });
    return Button;
}

void TFVorlentFirmWare::Set_Lang() {
    Set_Caption(L_Begin, State.Text(0));
    Set_Caption(L_Step_1, State.Text(1));
    Set_Caption(L_Step_2, State.Text(2));
    Set_Caption(L_Step_3, State.Text(3));
    Btn_Info->setToolTip(State.Text(12));
    Btn_Opz->setToolTip(State.Text(13));
    Btn_Close->setToolTip(State.Text(14));
    Btn_New->setText(State.Text(15));
    Btn_New->setToolTip(State.Text(22));
    Btn_Open->setText(State.Text(16));
    Btn_Open->setToolTip(State.Text(23));
    Btn_Prm_Gen->setText(State.Text(20));
    Btn_Prm_Gen->setToolTip(State.Text(24));
    Btn_CreateBin->setText(State.Text(17));
    Btn_CreateBin->setToolTip(State.Text(26));
    Show_Configuration_Labels();
}

void TFVorlentFirmWare::Show_Configuration_Labels() {
    const bool Open = !State.Project_Name.isEmpty();
    Set_Caption(L_Name_Conf, Open ? State.Text(11) : State.Text(9));
    Set_Caption(L_Name_Conf_L2, Open ? State.Project_Name : State.Text(10));
}

void TFVorlentFirmWare::Change_Language() {
    Set_Lang();
    F_New_Project->Set_Lang();
    F_OpenConf->Set_Lang();
    F_SoftOptions->Set_Lang();
    F_Boot->Set_Lang();
    F_ParGen->Set_Lang();
}

void TFVorlentFirmWare::Btn_Click(QAbstractButton* Sender) {
    if (Sender == Btn_New) {
        Create_New_Project();
    } else if (Sender == Btn_Open) {
        Open_Project();
    } else if (Sender == Btn_Close) {
        close();
    } else if (Sender == Btn_Info) {
        F_About->exec();
    } else if (Sender == Btn_Opz) {
        Show_Options();
    } else if (!State.Project_Open()) {
        Svc.Msgs.Error(State.Text(18));
    } else if (Sender == Btn_Prm_Gen) {
        F_ParGen->exec();
    } else if (Sender == Btn_CreateBin) {
        Update_Device();
    }
}

void TFVorlentFirmWare::Update_Device() {
    // An updater left running past the wait still reads the images: they are not rewritten under it.
    if (F_Boot->Updater_Running()) {
        Svc.Msgs.Warning(F_Boot->Still_Running_Text());
        return;
    }
    const Update_Preparation Prepared = Prepare_Update(State);
    if (!Prepared.Ok) {
        Svc.Msgs.Error(Prepared.Error_Text);
        return;
    }
    F_Boot->Form_Type = Prepared.Form_Type;
    F_Boot->exec();
}

void TFVorlentFirmWare::Create_New_Project() {
    if (F_New_Project->exec() == Modal_Ok)
        Show_Configuration_Labels();
}

void TFVorlentFirmWare::Open_Project() {
    if (F_OpenConf->exec() != Modal_Ok)
        return;
    State.Project_Name = F_OpenConf->Name_Conf;
    State.Project_Path =
        State.Project_Name.isEmpty() ? QString() : Join_Path(State.Projects_Dir, State.Project_Name);
    Show_Configuration_Labels();
    Set_Files(State);
}

void TFVorlentFirmWare::Show_Options() {
    if (F_SoftOptions->exec() != Modal_Ok)
        return;
    Save_Setting();
    Apply(Schedule.Set_Wanted(Update_Timer_Wanted(State)));
}

void TFVorlentFirmWare::Apply(Timer_Action Action) {
    if (Action == Timer_Action::Start)
        Timer_Update->start(Schedule.Interval_Ms());
    else if (Action == Timer_Action::Stop)
        Timer_Update->stop();
}

void TFVorlentFirmWare::Timer_UpdateTimer() {
    if (!Schedule.Tick())
        return;
    Timer_Update->stop();
    Checker->Start(Svc.Version);
}

void TFVorlentFirmWare::Show_Update_Check(bool Newer) {
    if (Newer) {
        LL_Update->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(Download_Page_Url().toHtmlEscaped(), State.Text(19).toHtmlEscaped()));
        LL_Update->adjustSize();
    }
    LL_Update->setVisible(Newer);
    Apply(Schedule.Check_Finished());
}

void TFVorlentFirmWare::Save_Setting() {
    const Save_Status Status = Write_Settings(State);
    if (!Status)
        Svc.Msgs.Error(State.Text(Msg_Settings_Not_Saved) + Status.Error_Text);
}

void TFVorlentFirmWare::closeEvent(QCloseEvent* Event) {
    Save_Setting();
    Event->accept();
}

} // namespace vo
