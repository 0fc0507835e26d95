#include "TFBoot.h"

#include "Change_Summary_View.h"
#include "Messages.h"
#include "Services.h"
#include "history/Update_History.h"
#include "platform/Process_Runner.h"
#include "shell/Shared_State.h"
#include "update/Address_Check.h"
#include "update/Com_Ports.h"
#include "update/Device_Type.h"
#include "update/Ip_Address.h"
#include "update/Port_List_Watch.h"
#include "update/Update_Steps.h"
#include "update/Updater_Launch.h"
#include "widgets/Ipv4_Row.h"
#include "widgets/Placement.h"
#include "widgets/Standard_Icon.h"
#include "widgets/Title_Panel.h"
#include "widgets/Window_Style.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vo {

namespace {

constexpr int Client_Width = 449;

// Message when the chosen port went away before the update (id of Lang_Strings).
constexpr int Msg_Chosen_Port_Gone = 1081;
constexpr int Msg_Port_Vanished = 1082;

qint64 Whole_Seconds(qint64 Ms) {
    return Ms / 1000;
}

// The status line names the updater by its file; messages by its full path.
QString Updater_Name_Of(const QString& Path) {
    return QFileInfo(Path).fileName();
}

QString Shown_Path(const QString& Path) {
    return QDir::toNativeSeparators(Path);
}

} // namespace

TFBoot::TFBoot(Shared_State& App_State, const Services& App_Services, QWidget* Parent)
    : Modal_Dialog(Parent), Ping_Budget_Ms(Ping_Budget), Wait_Limit_Ms(Updater_Wait_Limit), State(App_State),
      Svc(App_Services), P_Title(new Title_Panel(App_State.Software_Code, this)) {
    setObjectName(QStringLiteral("TFBoot"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    Apply_Window_Style(this);
    auto* Layout = Band_Layout(this);
    Layout->addWidget(P_Title);
    P_IP_Address = Add_Panel(QStringLiteral("P_IP_Address"), 49);
    P_Eth_Search = Add_Panel(QStringLiteral("P_Eth_Search"), 184);
    P_Serial = Add_Panel(QStringLiteral("P_Serial"), 51);
    P_Options = Add_Panel(QStringLiteral("P_Options"), 72);
    P_Button = Add_Panel(QStringLiteral("P_Button"), 40);
    Build_IP_Address(P_IP_Address);
    Build_Eth_Search(P_Eth_Search);
    Build_Serial(P_Serial);
    Build_Options(P_Options);
    Build_Buttons(P_Button);
    Order_Tab_Keys();
    // The right of the title holds the state of the update, beside the software code.
    L_Update_State = new QLabel(P_Title);
    L_Update_State->setObjectName(QStringLiteral("L_Update_State"));
    L_Update_State->setGeometry(170, 6, Client_Width - 170 - 16, 34);
    L_Update_State->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    L_Update_State->setWordWrap(true);
    Timer_Poll = new QTimer(this);
    Timer_Poll->setObjectName(QStringLiteral("Timer_Poll"));
    Timer_Poll->setInterval(Program_Look_Interval);
    connect(Timer_Poll, &QTimer::timeout, this, &TFBoot::Timer_PollTimer);
    P_Port_Details = Add_Panel(QStringLiteral("P_Port_Details"), 22);
    L_Port_Details = Place_Label(P_Port_Details, QStringLiteral("L_Port_Details"), 35, 2);
    L_Port_Details->setFixedWidth(Client_Width - 35 - 16);
    P_Changes = Add_Panel(QStringLiteral("P_Changes"), 0);
    L_Changes = new Change_Summary_View(P_Changes);
    L_Changes->setGeometry(16, 4, Client_Width - 32, 0);
    Set_Lang();
}

// A running updater is left running: its process is reaped by the runner when it ends.
TFBoot::~TFBoot() = default;

QWidget* TFBoot::Add_Panel(const QString& Name, int Height) {
    auto* Panel = new QWidget(this);
    Panel->setObjectName(Name);
    Panel->setFixedSize(Client_Width, Height);
    layout()->addWidget(Panel);
    return Panel;
}

void TFBoot::Build_IP_Address(QWidget* Panel) {
    L_IP_Address = Place_Label(Panel, QStringLiteral("L_IP_Address"), 16, 4);
    E_IP = new Ipv4_Row(QStringLiteral("E_IP"), {41, 56, 21, 8}, Panel);
    E_IP->move(35, 23);
    for (int Part = 0; Part < Ipv4_Row::Byte_Count; ++Part)
        E_IP->Byte(Part)->setText(QStringLiteral("0"));
}

void TFBoot::Build_Serial(QWidget* Panel) {
    L_COM_Port = Place_Label(Panel, QStringLiteral("L_COM_Port"), 16, 4);
    CB_COM_Port = new QComboBox(Panel);
    CB_COM_Port->setObjectName(QStringLiteral("CB_COM_Port"));
    CB_COM_Port->setGeometry(35, 23, 342, 22);
    Btn_COM_List = Place_Button(Panel, QStringLiteral("Btn_COM_List"), {383, 18, 34, 28});
    Btn_COM_List->setIcon(Standard_Icon(QStyle::SP_BrowserReload));
    connect(Btn_COM_List, &QPushButton::clicked, this, &TFBoot::update_ComPort);
    connect(CB_COM_Port, &QComboBox::activated, this, &TFBoot::Remember_Choice);
    connect(CB_COM_Port, &QComboBox::currentIndexChanged, this, &TFBoot::Show_Port_Details);
}

void TFBoot::Build_Options(QWidget* Panel) {
    L_Update_Option = Place_Label(Panel, QStringLiteral("L_Update_Option"), 16, 4);
    CB_Update_Options = new QComboBox(Panel);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Options->setGeometry(35, 23, 382, 22);
    CB_Update_Option_Read_Back = new QCheckBox(Panel);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    CB_Update_Option_Read_Back->setGeometry(16, 50, 401, 18);
}

void TFBoot::Build_Eth_Search(QWidget* Panel) {
    // The device search is laid out but has no action: the panel is never shown.
    L_List_Device = Place_Label(Panel, QStringLiteral("L_List_Device"), 16, 4);
    Btn_Search = Place_Button(Panel, QStringLiteral("Btn_Search"), {323, 0, 110, 28});
    ACG_List_Devices = new QTreeWidget(Panel);
    ACG_List_Devices->setObjectName(QStringLiteral("ACG_List_Devices"));
    ACG_List_Devices->setColumnCount(2);
    ACG_List_Devices->setGeometry(16, 32, 417, 120);
    CB_Find_All_Velorin = new QCheckBox(Panel);
    CB_Find_All_Velorin->setObjectName(QStringLiteral("CB_Find_All_Velorin"));
    CB_Find_All_Velorin->setGeometry(16, 158, 417, 18);
    CB_Find_All_Velorin->setChecked(true);
}

void TFBoot::Build_Buttons(QWidget* Panel) {
    Btn_Cancel = Place_Button(Panel, QStringLiteral("Btn_Cancel"), {16, 6, 110, 28});
    Btn_Cancel->setIcon(Standard_Icon(QStyle::SP_DialogCancelButton));
    Btn_Update = Place_Button(Panel, QStringLiteral("Btn_Update"), {132, 6, 228, 28});
    Btn_Update->setIcon(Standard_Icon(QStyle::SP_ArrowUp));
    // Return and Enter start the update unless another button has the focus.
    Btn_Update->setDefault(true);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFBoot::reject);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);
}

// Tab runs from the top down as the panels stand, then from Update to Cancel.
void TFBoot::Order_Tab_Keys() {
    QList<QWidget*> Order;
    for (int Part = 0; Part < Ipv4_Row::Byte_Count; ++Part)
        Order << E_IP->Byte(Part);
    Order << Btn_Search << ACG_List_Devices << CB_Find_All_Velorin << CB_COM_Port << Btn_COM_List
          << CB_Update_Options << CB_Update_Option_Read_Back << Btn_Update << Btn_Cancel;
    Chain_Tab_Order(Order);
}

void TFBoot::Set_Lang() {
    const bool Ethernet = Form_Type == Form_Ethernet;
    setWindowTitle(State.Text(Ethernet ? 1002 : 1000));
    Set_Caption(P_Title->L_SW_Desc, State.Text(Ethernet ? 1003 : 1001));
    Set_Caption(L_IP_Address, State.Text(1006));
    for (int Part = 0; Part < Ipv4_Row::Byte_Count; ++Part)
        E_IP->Byte(Part)->setToolTip(State.Text(1021 + Part));
    Set_Caption(L_COM_Port, State.Text(1070));
    Btn_COM_List->setToolTip(State.Text(1071));
    Set_Caption(L_Update_Option, State.Text(1014));
    CB_Update_Options->clear();
    CB_Update_Options->addItems({State.Text(1015), State.Text(1016), State.Text(1017)});
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Options->setToolTip(State.Text(1032));
    CB_Update_Option_Read_Back->setText(State.Text(1018));
    CB_Update_Option_Read_Back->setToolTip(State.Text(1033));
    Btn_Cancel->setText(State.Text(1019));
    Btn_Cancel->setToolTip(State.Text(1034));
    Btn_Update->setText(State.Text(1020));
    Btn_Update->setToolTip(State.Text(1035));
    Set_Caption(L_List_Device, State.Text(1009));
    Btn_Search->setText(State.Text(1010));
    Btn_Search->setToolTip(State.Text(1029));
    ACG_List_Devices->setHeaderLabels({State.Text(1011), State.Text(1012)});
    ACG_List_Devices->setToolTip(State.Text(1030));
    CB_Find_All_Velorin->setText(State.Text(1013));
    CB_Find_All_Velorin->setToolTip(State.Text(1031));
    QList<Com_Port> Reworded;
    for (const Com_Port& Port : std::as_const(Listed_Ports))
        Reworded.append(Com_Port_Of(Port.Info, State));
    const int Chosen = CB_COM_Port->currentIndex();
    Fill_Port_List(std::move(Reworded));
    CB_COM_Port->setCurrentIndex(Chosen);
    Show_Port_Details();
}

void TFBoot::showEvent(QShowEvent* Event) {
    Set_Lang();
    Set_Caption(P_Title->L_SW_Code, State.Software_Code);
    const bool Ethernet = Form_Type == Form_Ethernet;
    P_Eth_Search->hide();
    P_IP_Address->setVisible(Ethernet);
    P_Serial->setVisible(!Ethernet);
    P_Options->show();
    P_Port_Details->setVisible(!Ethernet);
    Show_Changes();
    if (Ethernet) {
        QString Parts[4];
        if (!State.Last_IP_Address.isEmpty() &&
            Split_IP_Address(State.Last_IP_Address, Parts[0], Parts[1], Parts[2], Parts[3])) {
            for (int Part = 0; Part < Ipv4_Row::Byte_Count; ++Part)
                E_IP->Byte(Part)->setText(Parts[Part]);
        }
    }
    CB_Update_Options->setCurrentIndex(State.Update_Option_Index);
    CB_Update_Option_Read_Back->setChecked(State.Read_Back_Enabled);
    if (!Ethernet) {
        update_ComPort();
        if (!Ports_Watch) {
            Ports_Watch = new Port_List_Watch(Svc.Ports, this);
            connect(Ports_Watch, &Port_List_Watch::Changed, this, &TFBoot::Follow_Ports);
        }
    }
    if (!Updater)
        Show_State(QString());
    Set_Busy(Updater != nullptr);
    (Ethernet ? static_cast<QWidget*>(E_IP->Byte(0)) : CB_COM_Port)->setFocus();
    Modal_Dialog::showEvent(Event);
}

// Nothing is watched while the dialog is closed.
void TFBoot::hideEvent(QHideEvent* Event) {
    delete Ports_Watch;
    Ports_Watch = nullptr;
    Modal_Dialog::hideEvent(Event);
}

void TFBoot::update_ComPort() {
    Fill_Port_List(Describe_Com_Ports(Svc.Ports, State));
    CB_COM_Port->setCurrentIndex(CB_COM_Port->count() > 0 ? 0 : -1);
    Remember_Choice();
}

void TFBoot::Follow_Ports() {
    Fill_Port_List(Describe_Com_Ports(Svc.Ports, State));
    const int Chosen = Index_Of_Choice();
    if (Chosen >= 0) {
        Vanished_Port.clear();
        CB_COM_Port->setCurrentIndex(Chosen);
    } else if (!Chosen_Port.isEmpty()) {
        // Never another port in its place: the update would go to a device the user did not choose.
        Vanished_Port = Chosen_Port;
        CB_COM_Port->setCurrentIndex(-1);
    } else {
        CB_COM_Port->setCurrentIndex(CB_COM_Port->count() > 0 ? 0 : -1);
        Remember_Choice();
    }
    Show_Port_Details();
}

void TFBoot::Fill_Port_List(QList<Com_Port> Ports) {
    Listed_Ports = std::move(Ports);
    const QSignalBlocker Quiet(CB_COM_Port);
    CB_COM_Port->clear();
    for (const Com_Port& Port : std::as_const(Listed_Ports)) {
        CB_COM_Port->addItem(Port.Name);
        CB_COM_Port->setItemData(CB_COM_Port->count() - 1, Port_Hint(Port, State), Qt::ToolTipRole);
    }
}

void TFBoot::Remember_Choice() {
    const int Index = CB_COM_Port->currentIndex();
    Chosen_Port = Index >= 0 ? Listed_Ports.at(Index).Name : QString();
    Chosen_Stable_Name = Index >= 0 ? Listed_Ports.at(Index).Stable_Name : QString();
    Vanished_Port.clear();
    Show_Port_Details();
}

int TFBoot::Index_Of_Choice() const {
    for (int Index = 0; Index < Listed_Ports.size(); ++Index) {
        const Com_Port& Port = Listed_Ports.at(Index);
        if (Chosen_Stable_Name.isEmpty() ? Port.Name == Chosen_Port : Port.Stable_Name == Chosen_Stable_Name)
            return Index;
    }
    return -1;
}

void TFBoot::Show_Port_Details() {
    const int Index = CB_COM_Port->currentIndex();
    QString Text;
    QString Hint;
    if (Index >= 0 && Index < Listed_Ports.size()) {
        const Com_Port& Port = Listed_Ports.at(Index);
        Text = Port.Details.isEmpty() ? Port.State : Port.Details + QStringLiteral(" \u2014 ") + Port.State;
        Hint = Port_Hint(Port, State);
    } else if (!Vanished_Port.isEmpty()) {
        Text = State.Text(Msg_Chosen_Port_Gone).arg(Vanished_Port);
        Hint = Text;
    }
    L_Port_Details->setText(
        L_Port_Details->fontMetrics().elidedText(Text, Qt::ElideRight, L_Port_Details->width()));
    // The list itself keeps no hint; its entries carry theirs.
    L_Port_Details->setToolTip(Hint);
}

void TFBoot::Btn_UpdateClick() {
    // A click queued while an update was under way finds the dialog busy and does nothing.
    if (Checking || Updater)
        return;
    // The inputs as they are at the click: nothing typed later reaches this update.
    const Update_Choice Choice{CB_Update_Options->currentIndex(), CB_Update_Option_Read_Back->isChecked()};
    if (Form_Type != Form_Ethernet) {
        const QString Port = CB_COM_Port->currentText();
        // The adapter may have gone since the list was made, whether or not the system said so.
        if (Port.isEmpty() && !Vanished_Port.isEmpty()) {
            Svc.Msgs.Error(State.Text(Msg_Port_Vanished).arg(Vanished_Port));
            return;
        }
        if (!Port.isEmpty() &&
            Svc.Ports.Status_Of(Port.toStdString()).Port_State == Port_Status::State::Gone) {
            Follow_Ports();
            Svc.Msgs.Error(State.Text(Msg_Port_Vanished).arg(Port));
            return;
        }
        if (Port.isEmpty()) {
            Svc.Msgs.Error(
                State.Text(Msg_No_Port_Chosen).arg(Shown_Path(Serial_Updater_Path(State.Exe_Dir))));
            return;
        }
        const Launch_Capture Files = Capture_Launch(State.Project_Path);
        const int Index = CB_COM_Port->currentIndex();
        const QJsonObject Adapter =
            Index < Listed_Ports.size() ? Adapter_Of(Listed_Ports.at(Index)) : QJsonObject();
        Watch(Begin_Serial_Launch(State, Svc.Runner, Port, Choice), Files,
              {false, Port, Choice, Serial_Updater_Path(State.Exe_Dir), Adapter});
        return;
    }
    const QString Address = Join_IP_Address(E_IP->Byte(0)->text(), E_IP->Byte(1)->text(),
                                            E_IP->Byte(2)->text(), E_IP->Byte(3)->text());
    // The check keeps the window painting, with every input off so that what is checked is what is
    // launched, and a second click cannot start a second check inside the first.
    Checking = true;
    Set_Busy(true);
    const bool Found = Send_Ping(Address);
    Checking = false;
    Set_Busy(false);
    if (!Found)
        return;
    const Launch_Capture Files = Capture_Launch(State.Project_Path);
    Watch(Begin_Ethernet_Launch(State, Svc.Runner, Address, Choice), Files,
          {true, Address, Choice, Ethernet_Updater_Path(State.Exe_Dir)});
}

bool TFBoot::Send_Ping(const QString& Address) {
    const Ping_Check Check = vo::Send_Ping(
        Svc.Echo, Address, [] { QApplication::processEvents(); }, Ping_Budget_Ms);
    ping_res = Check.ping_res;
    if (!isVisible())
        return false;
    if (Check.Found)
        return true;
    const Ping_Report Report = Ping_Report_Of(Check, State);
    if (Report.Warning)
        Svc.Msgs.Warning(Report.Text);
    else
        Svc.Msgs.Error(Report.Text);
    return false;
}

void TFBoot::Set_Busy(bool Busy) {
    // The dialog holds the focus while its inputs are off: Qt would pass it on to Cancel, and the
    // next Return meant for Update would close the dialog.
    if (Busy && focusWidget() != Btn_Cancel)
        setFocus(Qt::OtherFocusReason);
    else if (!Busy && hasFocus())
        Btn_Update->setFocus(Qt::OtherFocusReason);
    for (QWidget* Input : {P_IP_Address, P_Serial, P_Options, static_cast<QWidget*>(Btn_Update)})
        Input->setEnabled(!Busy);
    if (Busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void TFBoot::Watch(Updater_Start Start, const Launch_Capture& Files, const Launch_Info& Launched) {
    Capture = Files;
    Info = Launched;
    Start_Result& Started = Start.Started;
    if (!Started.Program) {
        Svc.Msgs.Error(State.Text(Msg_Updater_Not_Started) + QString::fromStdString(Started.Error_Text));
        Run_Result Not_Started;
        Not_Started.Error_Text = Started.Error_Text;
        Record_Attempt(Not_Started);
        return;
    }
    Updater = std::move(Started.Program);
    Held_Update_Lock = std::move(Start.Lock);
    Updater_Path = Launched.Updater;
    Left_Running = false;
    Close_When_Ended = false;
    Run_Clock.start();
    Limit_At_Ms = Wait_Limit_Ms.count();
    Set_Busy(true);
    Show_State(State.Text(Msg_Updater_Running).arg(Updater_Name_Of(Updater_Path)).arg(0));
    Timer_Poll->start();
}

void TFBoot::Timer_PollTimer() {
    if (!Updater) {
        Timer_Poll->stop();
        return;
    }
    if (Updater->Ended_Within(std::chrono::milliseconds::zero())) {
        Finish(Ended_Result(*Updater));
        return;
    }
    if (Left_Running)
        return;
    const qint64 Elapsed = Run_Clock.elapsed();
    if (Elapsed >= Limit_At_Ms) {
        Ask_At_Limit();
        return;
    }
    Show_State(
        State.Text(Msg_Updater_Running).arg(Updater_Name_Of(Updater_Path)).arg(Whole_Seconds(Elapsed)));
}

void TFBoot::Ask_At_Limit() {
    // The question waits for the user; the updater's end is looked for again after the answer.
    Timer_Poll->stop();
    const bool Wait_Further = Svc.Msgs.Confirm(State.Text(Msg_Updater_At_Limit)
                                                   .arg(Shown_Path(Updater_Path))
                                                   .arg(Whole_Seconds(Run_Clock.elapsed())));
    if (Wait_Further) {
        Limit_At_Ms = Run_Clock.elapsed() + Wait_Limit_Ms.count();
    } else {
        // Left running, as the wait always did at its limit; still watched, so that no second update
        // starts before it ends, but its end then shows only in the state line.
        Left_Running = true;
        Show_State(State.Text(Msg_Updater_Left_Running).arg(Updater_Name_Of(Updater_Path)));
        Run_Result Still_Running;
        Still_Running.Outcome = Run_Result::State::Still_Running;
        Still_Running.Process_Id = Updater->Id();
        Record_Attempt(Still_Running);
        if (Close_When_Ended) {
            Close_When_Ended = false;
            Modal_Dialog::reject();
        }
    }
    Timer_Poll->start();
}

void TFBoot::Finish(const Run_Result& Result) {
    Timer_Poll->stop();
    const bool Reported = !Left_Running;
    const QString Path = Updater_Path;
    Updater.reset();
    Held_Update_Lock.reset();
    Left_Running = false;
    Set_Busy(false);
    const auto Failure = [&](const QString& Updater_Named) {
        if (Result.Term_Signal != 0)
            return State.Text(Msg_Updater_Killed).arg(Updater_Named).arg(Result.Term_Signal);
        if (Result.Exit_Code != 0)
            return State.Text(Msg_Updater_Failed).arg(Updater_Named).arg(Result.Exit_Code);
        return QString();
    };
    const QString Failed = Failure(Updater_Name_Of(Path));
    Show_State(Failed.isEmpty() ? State.Text(Msg_Updater_Succeeded).arg(Updater_Name_Of(Path)) : Failed);
    if (Reported && !Failed.isEmpty())
        Svc.Msgs.Error(Failure(Shown_Path(Path)));
    // An updater left running at the limit was recorded then, as the command line records it.
    if (Reported)
        Record_Attempt(Result);
    if (Close_When_Ended) {
        Close_When_Ended = false;
        Modal_Dialog::reject();
    }
}

void TFBoot::reject() {
    if (Updater && !Left_Running) {
        Svc.Msgs.Information(State.Text(Msg_Updater_Closes_Later).arg(Shown_Path(Updater_Path)));
        Close_When_Ended = true;
        return;
    }
    Modal_Dialog::reject();
}

QString TFBoot::Still_Running_Text() const {
    return State.Text(Msg_Updater_Left_Running).arg(Shown_Path(Updater_Path));
}

void TFBoot::Show_State(const QString& Text) {
    L_Update_State->setText(Text);
    L_Update_State->setToolTip(Text);
}

void TFBoot::Record_Attempt(const Run_Result& Result) {
    if (const Status Saved = Record_Update(Capture, Info, Result); !Saved)
        Svc.Msgs.Error(State.Text(Msg_History_Not_Written) + Saved.Error());
    Show_Changes();
}

void TFBoot::Show_Changes() {
    L_Changes->Refresh(State);
    L_Changes->setFixedHeight(L_Changes->heightForWidth(L_Changes->width()));
    P_Changes->setFixedHeight(L_Changes->height() + 8);
    const bool Ethernet = Form_Type == Form_Ethernet;
    const int Height = P_Title->height() + (Ethernet ? P_IP_Address->height() : P_Serial->height()) +
                       P_Options->height() + P_Button->height() + (Ethernet ? 0 : P_Port_Details->height()) +
                       P_Changes->height();
    setFixedSize(Client_Width, Height);
}

} // namespace vo
