#include "TFVorlentFirmWare.h"

#include "Messages.h"
#include "Services.h"
#include "TFAbout.h"
#include "Url_Opener.h"
#include "history/TFHistory.h"
#include "link/Link_Test_Window.h"
#include "options/Qt_Texts.h"
#include "options/TFSoftOptions.h"
#include "options/Version_Checker.h"
#include "params/TFParGen.h"
#include "shell/Settings_File.h"
#include "shell/Shared_State.h"
#include "shell/Software_Info.h"
#include "shell/Startup.h"
#include "update/TFBoot.h"
#include "update/Update_Preparation.h"
#include "widgets/Click_Label.h"
#include "widgets/Icon_Button.h"
#include "widgets/Modal_Dialog.h"
#include "widgets/Placement.h"
#include "widgets/Standard_Icon.h"
#include "widgets/Window_Style.h"
#include "workspace/TFNew_Project.h"
#include "workspace/TFOpenConf.h"
#include "workspace/Workspace.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QTimer>

namespace vo {

namespace {

// The new-version link ends before the Info button; the configuration's name inside its frame.
constexpr int Link_Max_Width = 516 - 208 - 8;
constexpr int Name_Max_Width = 348 - 2 * 7;

QLabel* Add_Grey_Label(QWidget* Parent, const QString& Name, int Left, int Top, bool Bold) {
    QLabel* Label = Place_Label(Parent, Name, Left, Top);
    Style_Grey_Label(Label, Bold);
    return Label;
}

// A silver outline without fill, drawn by the frame itself: a style sheet would give the frame a
// style of its own to make and polish at every start.
QFrame* Add_Frame(QWidget* Parent, const QString& Name, QRect Geometry) {
    auto* Frame = new QFrame(Parent);
    Frame->setObjectName(Name);
    Frame->setGeometry(Geometry);
    Frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    Frame->setLineWidth(1);
    QPalette Palette = Frame->palette();
    Palette.setColor(QPalette::WindowText, QColor(192, 192, 192));
    Frame->setPalette(Palette);
    return Frame;
}

} // namespace

TFVorlentFirmWare::TFVorlentFirmWare(Shared_State& App_State, const Services& App_Services)
    : State(App_State), Svc(App_Services), Checker(new Version_Checker(App_Services.Http, this)) {
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
    Follow_Qt_Texts(State.Language_Name);
    Set_Lang();
    Order_Tab_Keys();
}

TFAbout* TFVorlentFirmWare::About_Box() {
    if (!F_About)
        F_About = new TFAbout(State, Svc.Urls, this);
    return F_About;
}

TFNew_Project* TFVorlentFirmWare::New_Project_Dialog() {
    if (!F_New_Project)
        F_New_Project = new TFNew_Project(State, Svc.Msgs, this);
    return F_New_Project;
}

TFOpenConf* TFVorlentFirmWare::Open_Dialog() {
    if (!F_OpenConf)
        F_OpenConf = new TFOpenConf(State, this);
    return F_OpenConf;
}

TFSoftOptions* TFVorlentFirmWare::Options_Dialog() {
    if (!F_SoftOptions)
        F_SoftOptions = new TFSoftOptions(
            State, Svc, [this] { Change_Language(); }, this);
    return F_SoftOptions;
}

TFParGen* TFVorlentFirmWare::Par_Gen_Dialog() {
    if (!F_ParGen)
        F_ParGen = new TFParGen(State, Svc.Msgs, this);
    return F_ParGen;
}

TFBoot* TFVorlentFirmWare::Update_Dialog() {
    if (!F_Boot) {
        F_Boot = new TFBoot(State, Svc, this);
        connect(F_Boot, &TFBoot::Run_Ended, this, &TFVorlentFirmWare::Show_Run_End);
    }
    return F_Boot;
}

QDialog* TFVorlentFirmWare::Link_Test_Window() {
    if (!F_Link_Test)
        F_Link_Test = Make_Link_Test_Window(State, Svc, this);
    return F_Link_Test;
}

TFHistory* TFVorlentFirmWare::History_Window() {
    if (!F_History)
        F_History = new TFHistory(State, Svc, this);
    return F_History;
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
    LL_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
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
    Btn_History =
        Add_Button(QStringLiteral("Btn_History"), QStyle::SP_FileDialogInfoView, {258, 200, 170, 36});
    Btn_Link_Test = Add_Button(QStringLiteral("Btn_Link_Test"), QStyle::SP_MediaPlay, {436, 200, 170, 36});

    Shape1 = Add_Frame(this, QStringLiteral("Shape1"), {10, 251, 674, 1});
    // Under the steps: how an update ended whose dialog was closed while it ran.
    L_Last_Update = new QLabel(this);
    L_Last_Update->setObjectName(QStringLiteral("L_Last_Update"));
    L_Last_Update->setGeometry(16, 260, 662, 56);
    L_Last_Update->setWordWrap(true);
    L_Last_Update->setTextFormat(Qt::PlainText);
    L_Last_Update->hide();

    auto* Velorin = new Click_Label(QStringLiteral("L_Velorin"), this);
    Style_Grey_Label(Velorin, true);
    Set_Caption(Velorin, Maker_Web_Address());
    // The address sits in the band under the line, right-aligned, so that it stays inside the window.
    Velorin->move(684 - Velorin->width(), 326);
    connect(Velorin, &Click_Label::Clicked, this, [this] { Svc.Urls.Open_Url(Home_Page_Url()); });
    L_Velorin = Velorin;

    setFixedSize(694, Btn_CreateBin->y() + 152);

    connect(Btn_New, &QPushButton::clicked, this, &TFVorlentFirmWare::Create_New_Project);
    connect(Btn_Open, &QPushButton::clicked, this, &TFVorlentFirmWare::Open_Project);
    connect(Btn_Close, &QPushButton::clicked, this, &TFVorlentFirmWare::close);
    connect(Btn_Info, &QPushButton::clicked, this, [this] { About_Box()->exec(); });
    connect(Btn_Opz, &QPushButton::clicked, this, &TFVorlentFirmWare::Show_Options);
    connect(Btn_Prm_Gen, &QPushButton::clicked, this, &TFVorlentFirmWare::Btn_Prm_GenClick);
    connect(Btn_CreateBin, &QPushButton::clicked, this, &TFVorlentFirmWare::Btn_CreateBinClick);
    connect(Btn_History, &QPushButton::clicked, this, &TFVorlentFirmWare::Btn_HistoryClick);
    connect(Btn_Link_Test, &QPushButton::clicked, this, &TFVorlentFirmWare::Btn_Link_TestClick);
}

Icon_Button* TFVorlentFirmWare::Add_Button(const QString& Name, QStyle::StandardPixmap Icon, QRect Geometry) {
    auto* Button = new Icon_Button(Standard_Icon(Icon), Name, this);
    Button->setGeometry(Geometry);
    return Button;
}

// The steps come first, in their order, then the web address under them, the new-version link and
// the buttons at the top right.
void TFVorlentFirmWare::Order_Tab_Keys() {
    Chain_Tab_Order({Btn_New, Btn_Open, Btn_Prm_Gen, Btn_CreateBin, Btn_History, Btn_Link_Test, L_Velorin,
                     LL_Update, Btn_Info, Btn_Opz, Btn_Close});
    Btn_New->setFocus();
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
    Btn_History->setText(State.Text(70));
    Btn_History->setToolTip(State.Text(71));
    Btn_Link_Test->setText(State.Text(1100));
    Btn_Link_Test->setToolTip(State.Text(1101));
    Show_Configuration_Labels();
    Put_Update_Link();
}

void TFVorlentFirmWare::Show_Configuration_Labels() {
    const bool Open = !State.Project_Name.isEmpty();
    Set_Caption(L_Name_Conf, Open ? State.Text(11) : State.Text(9));
    Set_Caption_Within(L_Name_Conf_L2, Open ? State.Project_Name : State.Text(10), Name_Max_Width);
}

void TFVorlentFirmWare::Change_Language() {
    Set_Lang();
    // A dialog not yet made takes the new texts when it is made.
    if (F_New_Project)
        F_New_Project->Set_Lang();
    if (F_OpenConf)
        F_OpenConf->Set_Lang();
    if (F_SoftOptions)
        F_SoftOptions->Set_Lang();
    if (F_Boot)
        F_Boot->Set_Lang();
    if (F_ParGen)
        F_ParGen->Set_Lang();
    if (F_History)
        F_History->Set_Lang();
}

bool TFVorlentFirmWare::Project_Valid() {
    if (State.Project_Open())
        return true;
    Svc.Msgs.Error(State.Text(18));
    return false;
}

void TFVorlentFirmWare::Btn_Prm_GenClick() {
    if (Project_Valid())
        Par_Gen_Dialog()->exec();
}

void TFVorlentFirmWare::Btn_CreateBinClick() {
    if (Project_Valid())
        Update_Device();
}

void TFVorlentFirmWare::Btn_HistoryClick() {
    if (Project_Valid())
        History_Window()->exec();
}

void TFVorlentFirmWare::Btn_Link_TestClick() {
    if (Project_Valid() && Link_Test_Window())
        Link_Test_Window()->exec();
}

void TFVorlentFirmWare::Update_Device() {
    // An updater left running past the wait still reads the images: they are not rewritten under it.
    if (F_Boot && F_Boot->Updater_Running()) {
        Svc.Msgs.Warning(F_Boot->Still_Running_Text());
        return;
    }
    const Result<Update_Mode> Prepared = Prepare_Update(State);
    if (!Prepared) {
        Svc.Msgs.Error(Prepared.Error());
        return;
    }
    TFBoot* const Dialog = Update_Dialog();
    Dialog->Form_Type = *Prepared;
    // Seen: the dialog shows the next update's course itself.
    L_Last_Update->hide();
    Dialog->exec();
    // Offered after a successful update: the dialog closed to make way for it.
    if (Dialog->Take_Link_Test_Asked() && Link_Test_Window())
        Link_Test_Window()->exec();
}

void TFVorlentFirmWare::Show_Run_End(const QString& Text, bool Succeeded) {
    if (F_Boot && F_Boot->isVisible())
        return;
    L_Last_Update->setText(Text);
    L_Last_Update->setStyleSheet(Succeeded ? QStringLiteral("color: #1b6e20; font-weight: bold;")
                                           : QStringLiteral("color: #b00020; font-weight: bold;"));
    L_Last_Update->show();
}

void TFVorlentFirmWare::Create_New_Project() {
    if (New_Project_Dialog()->exec() == Modal_Ok)
        Show_Configuration_Labels();
}

void TFVorlentFirmWare::Open_Project() {
    TFOpenConf* const Dialog = Open_Dialog();
    if (Dialog->exec() != Modal_Ok)
        return;
    Open_Configuration(State, Dialog->Name_Conf);
    Show_Configuration_Labels();
}

void TFVorlentFirmWare::Show_Options() {
    if (Options_Dialog()->exec() != Modal_Ok)
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
    Newer_Version = Newer;
    Put_Update_Link();
    Apply(Schedule.Check_Finished());
}

void TFVorlentFirmWare::Put_Update_Link() {
    if (Newer_Version)
        Set_Caption_Within(LL_Update, State.Text(19), Link_Max_Width, Download_Page_Url());
    LL_Update->setVisible(Newer_Version);
}

void TFVorlentFirmWare::Save_Setting() {
    const Status Saved = Write_Settings(State);
    if (!Saved)
        Svc.Msgs.Error(State.Text(Msg_Settings_Not_Saved) + Saved.Error());
}

void TFVorlentFirmWare::closeEvent(QCloseEvent* Event) {
    Save_Setting();
    Event->accept();
}

} // namespace vo
