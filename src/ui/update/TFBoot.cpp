#include "TFBoot.h"

#include "Change_Summary_View.h"
#include "Messages.h"
#include "Services.h"
#include "history/Update_History.h"
#include "link/Link_Test_Window.h"
#include "params/Par_Gen_File.h"
#include "shell/Shared_State.h"
#include "update/Address_Checker.h"
#include "update/Ip_Address.h"
#include "update/Port_List_Watch.h"
#include "widgets/Ipv4_Row.h"
#include "widgets/Placement.h"
#include "widgets/Standard_Icon.h"
#include "widgets/Title_Panel.h"
#include "widgets/Window_Style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace vo {

namespace {

constexpr int Client_Width = 449;

// Messages of the dialog (ids of Lang_Strings).
constexpr int Msg_Chosen_Port_Gone = 1081;
constexpr int Msg_Port_Vanished = 1082;
constexpr int Msg_Checking_Address = 1046; // status, %1 the address
constexpr int Msg_No_Answer_From = 1047;   // under "Device Not Found!", %1 the address
constexpr int Msg_Details = 1048;          // the button that shows the updater's output
constexpr int Msg_Link_Test = 1100;        // offered after a successful update
constexpr int Msg_Configured_IP = 1049;    // %1 the address the configuration gives the device
constexpr int Msg_Read_Back_On = 95;
constexpr int Msg_Read_Back_Off = 96;

// The result area: at least two lines of large type; the output when shown.
constexpr int Result_Min_Height = 44;
constexpr int Output_Height = 120;

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

// The address the configuration gives the device, when its parameters say one.
QString Configured_Address(const Shared_State& State) {
    Par_Gen Set;
    if (!Load_Par_Gen(State.ParGen_File, Set))
        return QString();
    return Join_IP_Address(Set.Ethernet_IP1, Set.Ethernet_IP2, Set.Ethernet_IP3, Set.Ethernet_IP4);
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
    // What the project adds stands between the inputs and the buttons, which stay at the bottom.
    P_Port_Details = Add_Panel(QStringLiteral("P_Port_Details"), 22);
    L_Port_Details = Place_Label(P_Port_Details, QStringLiteral("L_Port_Details"), 35, 2);
    L_Port_Details->setFixedWidth(Client_Width - 35 - 16);
    P_Changes = Add_Panel(QStringLiteral("P_Changes"), 0);
    L_Changes = new Change_Summary_View(P_Changes);
    L_Changes->setGeometry(16, 4, Client_Width - 32, 0);
    P_Result = Add_Panel(QStringLiteral("P_Result"), Result_Min_Height);
    P_Button = Add_Panel(QStringLiteral("P_Button"), 40);
    Build_IP_Address(P_IP_Address);
    Build_Eth_Search(P_Eth_Search);
    Build_Serial(P_Serial);
    Build_Options(P_Options);
    Build_Result(P_Result);
    Build_Buttons(P_Button);
    Order_Tab_Keys();
    Timer_Poll = new QTimer(this);
    Timer_Poll->setObjectName(QStringLiteral("Timer_Poll"));
    Timer_Poll->setInterval(Program_Look_Interval);
    connect(Timer_Poll, &QTimer::timeout, this, &TFBoot::Timer_PollTimer);
    Checker = new Address_Checker(Svc.Echo, this);
    connect(Checker, &Address_Checker::Finished, this, &TFBoot::Address_Checked);
    Session = std::make_unique<Update_Session>(State, Svc.Runner, Svc.Ports);
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
    L_Configured_IP = Place_Label(Panel, QStringLiteral("L_Configured_IP"), 256, 27);
    L_Configured_IP->setFixedWidth(Client_Width - 256 - 16);
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

void TFBoot::Build_Result(QWidget* Panel) {
    L_Update_State = new QLabel(Panel);
    L_Update_State->setObjectName(QStringLiteral("L_Update_State"));
    L_Update_State->setWordWrap(true);
    L_Update_State->setTextFormat(Qt::PlainText);
    QFont Large = L_Update_State->font();
    Large.setPixelSize(14);
    Large.setBold(true);
    L_Update_State->setFont(Large);
    L_Update_Meaning = new QLabel(Panel);
    L_Update_Meaning->setObjectName(QStringLiteral("L_Update_Meaning"));
    L_Update_Meaning->setWordWrap(true);
    L_Update_Meaning->setTextFormat(Qt::PlainText);
    Btn_Details = Place_Button(Panel, QStringLiteral("Btn_Details"), {Client_Width - 16 - 92, 0, 92, 26});
    Btn_Details->setCheckable(true);
    Btn_Details->hide();
    E_Output = new QPlainTextEdit(this);
    E_Output->setObjectName(QStringLiteral("E_Output"));
    E_Output->setReadOnly(true);
    E_Output->setFixedSize(Client_Width, Output_Height);
    E_Output->hide();
    // Under the result, above the buttons.
    static_cast<QVBoxLayout*>(layout())->insertWidget(layout()->indexOf(P_Button), E_Output);
    connect(Btn_Details, &QPushButton::toggled, this, [this](bool Shown) {
        E_Output->setVisible(Shown);
        Fit_Height();
    });
    Place_Result();
}

// The result's lines take the height their words need, however long and in whatever language:
// the state at the top, then what it means beside Details.
void TFBoot::Place_Result() {
    constexpr int Margin = 16;
    const int Width = Client_Width - 2 * Margin;
    const auto Height_Of = [](QLabel* Label, int Label_Width) {
        return Label->text().isEmpty() ? 0 : Label->heightForWidth(Label_Width);
    };
    const int State_Height = Height_Of(L_Update_State, Width);
    L_Update_State->setGeometry(Margin, 4, Width, State_Height);
    const int Meaning_Top = 4 + State_Height + 4;
    const int Meaning_Width = Width - Btn_Details->width() - 8;
    L_Update_Meaning->setGeometry(Margin, Meaning_Top, Meaning_Width,
                                  Height_Of(L_Update_Meaning, Meaning_Width));
    Btn_Details->move(Client_Width - Margin - Btn_Details->width(), Meaning_Top);
    const int Details_Bottom = Btn_Details->isVisibleTo(this) ? Btn_Details->geometry().bottom() : 0;
    P_Result->setFixedHeight(
        std::max({Result_Min_Height, L_Update_Meaning->geometry().bottom() + 6, Details_Bottom + 6}));
}

void TFBoot::Build_Buttons(QWidget* Panel) {
    Btn_Cancel = Place_Button(Panel, QStringLiteral("Btn_Cancel"), {16, 6, 110, 28});
    Btn_Cancel->setIcon(Standard_Icon(QStyle::SP_DialogCancelButton));
    Btn_Update = Place_Button(Panel, QStringLiteral("Btn_Update"), {132, 6, 228, 28});
    Btn_Update->setIcon(Standard_Icon(QStyle::SP_ArrowUp));
    // Return and Enter start the update unless another button has the focus.
    Btn_Update->setDefault(true);
    // Offered once an update succeeded: the next step on site is to see traffic pass.
    Btn_Link_Test =
        Place_Button(Panel, QStringLiteral("Btn_Link_Test"), {366, 6, Client_Width - 366 - 16, 28});
    Btn_Link_Test->hide();
    connect(Btn_Link_Test, &QPushButton::clicked, this, [this] {
        Link_Test_Asked = true;
        Modal_Dialog::reject();
    });
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFBoot::reject);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);
}

// Tab runs from the top down as the panels stand, then from Update to Cancel.
void TFBoot::Order_Tab_Keys() {
    QList<QWidget*> Order;
    for (int Part = 0; Part < Ipv4_Row::Byte_Count; ++Part)
        Order << E_IP->Byte(Part);
    Order << Btn_Search << ACG_List_Devices << CB_Find_All_Velorin << CB_COM_Port << Btn_COM_List
          << CB_Update_Options << CB_Update_Option_Read_Back << Btn_Details << E_Output << Btn_Update
          << Btn_Cancel;
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
    Btn_Details->setText(State.Text(Msg_Details));
    Btn_Link_Test->setText(State.Text(Msg_Link_Test));
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
    if (Ethernet)
        Offer_Address();
    CB_Update_Options->setCurrentIndex(State.Update_Option_Index);
    CB_Update_Option_Read_Back->setChecked(State.Read_Back_Enabled);
    if (!Ethernet) {
        update_ComPort();
        if (!Ports_Watch) {
            Ports_Watch = new Port_List_Watch(Svc.Ports, this);
            connect(Ports_Watch, &Port_List_Watch::Changed, this, &TFBoot::Follow_Ports);
        }
    }
    // The end of the last update stays in view while it runs or until another is started; a
    // dialog opened for another configuration starts clean.
    if (!Updater_Running() && !Checker->Running()) {
        Show_Result(QString());
        Show_Output(QString());
    }
    Show_Changes();
    Set_Busy(Updater_Running() || Checker->Running());
    (Ethernet ? static_cast<QWidget*>(E_IP->Byte(0)) : CB_COM_Port)->setFocus();
    Modal_Dialog::showEvent(Event);
}

// Nothing is watched while the dialog is closed.
void TFBoot::hideEvent(QHideEvent* Event) {
    delete Ports_Watch;
    Ports_Watch = nullptr;
    Modal_Dialog::hideEvent(Event);
}

// The address this configuration was last updated at, else the last address of any update: the
// device of another configuration is offered only when this one has none. Its own configured
// address stands beside the fields.
void TFBoot::Offer_Address() {
    const QString Offered = Last_Update_Address(State.Project_Path).value_or(State.Last_IP_Address);
    QString Parts[4];
    if (!Offered.isEmpty() && Split_IP_Address(Offered, Parts[0], Parts[1], Parts[2], Parts[3])) {
        for (int Part = 0; Part < Ipv4_Row::Byte_Count; ++Part)
            E_IP->Byte(Part)->setText(Parts[Part]);
    }
    const QString Configured = Configured_Address(State);
    L_Configured_IP->setText(Configured.isEmpty() ? QString()
                                                  : State.Text(Msg_Configured_IP).arg(Configured));
    L_Configured_IP->setToolTip(L_Configured_IP->text());
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
    if (Checker->Running() || Updater_Running())
        return;
    // The last update's end gives way to this one's course.
    Show_Result(QString());
    Show_Output(QString());
    // The inputs as they are at the click: nothing typed later reaches this update.
    Launch_Info Request;
    Request.Ethernet = Form_Type == Form_Ethernet;
    Request.Choice = {CB_Update_Options->currentIndex(), CB_Update_Option_Read_Back->isChecked()};
    if (!Request.Ethernet) {
        Request.Target = CB_COM_Port->currentText();
        const int Index = CB_COM_Port->currentIndex();
        if (Index >= 0 && Index < Listed_Ports.size())
            Request.Adapter = Adapter_Of(Listed_Ports.at(Index));
        if (Serial_Port_Fit(Request))
            Launch(Request);
        return;
    }
    Request.Target = Join_IP_Address(E_IP->Byte(0)->text(), E_IP->Byte(1)->text(), E_IP->Byte(2)->text(),
                                     E_IP->Byte(3)->text());
    if (const std::optional<Launch_Refusal> Refusal = Session->Check(Request)) {
        Show_Result(Refusal->Text, QString(), -1);
        Svc.Msgs.Error(Refusal->Text);
        return;
    }
    // The check runs off the window thread, with every input off so that what is checked is what
    // is launched, and a second click cannot start a second check.
    Pending = Request;
    Set_Busy(true);
    Show_Result(State.Text(Msg_Checking_Address).arg(Request.Target));
    Show_Output(QString());
    Checker->Start(Request.Target, Ping_Budget_Ms);
}

bool TFBoot::Serial_Port_Fit(const Launch_Info& Request) {
    // The adapter may have gone since the list was made, whether or not the system said so.
    if (Request.Target.isEmpty() && !Vanished_Port.isEmpty()) {
        Svc.Msgs.Error(State.Text(Msg_Port_Vanished).arg(Vanished_Port));
        return false;
    }
    if (Request.Target.isEmpty()) {
        Svc.Msgs.Error(State.Text(Msg_No_Port_Chosen).arg(Shown_Path(Serial_Updater_Path(State.Exe_Dir))));
        return false;
    }
    const std::optional<Launch_Refusal> Refusal = Session->Check(Request);
    if (!Refusal)
        return true;
    if (Refusal->Reason == Launch_Refusal::Kind::Port_Missing) {
        Follow_Ports();
        Svc.Msgs.Error(State.Text(Msg_Port_Vanished).arg(Request.Target));
        return false;
    }
    if (Refusal->May_Go_On())
        return Svc.Msgs.Confirm(Refusal->Question);
    Show_Result(Refusal->Text, QString(), -1);
    Svc.Msgs.Error(Refusal->Text);
    return false;
}

void TFBoot::Address_Checked(const QString& Address, const Ping_Check& Check) {
    ping_res = Check.ping_res;
    Set_Busy(false);
    // Closed meanwhile: nothing is launched that the user no longer sees.
    if (!isVisible()) {
        Show_Result(QString());
        return;
    }
    if (Check.Found) {
        Launch(Pending);
        return;
    }
    const Ping_Report Report = Ping_Report_Of(Check, State);
    QString Text = Report.Text;
    if (Ping_Message(Check) == Msg_Device_Not_Found)
        Text += u'\n' + State.Text(Msg_No_Answer_From).arg(Address);
    Show_Result(Text, QString(), -1);
    if (Report.Warning)
        Svc.Msgs.Warning(Text);
    else
        Svc.Msgs.Error(Text);
}

void TFBoot::Launch(const Launch_Info& Request) {
    const Status Started = Session->Launch(Request, Program_Output::Kept);
    Tell_Record_Error();
    if (!Started) {
        Show_Result(Started.Error(), QString(), -1);
        Show_Changes();
        Svc.Msgs.Error(Started.Error());
        return;
    }
    Left_Running = false;
    Close_When_Ended = false;
    Limit_At_Ms = Wait_Limit_Ms.count();
    Set_Busy(true);
    Btn_Link_Test->hide();
    Show_Output(QString());
    Show_Result(State.Text(Msg_Updater_Running).arg(Updater_Name_Of(Session->Launched().Updater)).arg(0));
    Timer_Poll->start();
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

void TFBoot::Timer_PollTimer() {
    if (!Updater_Running()) {
        Timer_Poll->stop();
        return;
    }
    if (Session->Ended_Within(std::chrono::milliseconds::zero())) {
        Finish();
        return;
    }
    if (Left_Running)
        return;
    const qint64 Elapsed = Session->Elapsed_Ms();
    if (Elapsed >= Limit_At_Ms) {
        Ask_At_Limit();
        return;
    }
    if (!Close_When_Ended)
        Show_Result(State.Text(Msg_Updater_Running)
                        .arg(Updater_Name_Of(Session->Launched().Updater))
                        .arg(Whole_Seconds(Elapsed)));
}

void TFBoot::Ask_At_Limit() {
    // The question waits for the user; the updater's end is looked for again after the answer.
    Timer_Poll->stop();
    const QString Updater = Session->Launched().Updater;
    const bool Wait_Further = Svc.Msgs.Confirm(
        State.Text(Msg_Updater_At_Limit).arg(Shown_Path(Updater)).arg(Whole_Seconds(Session->Elapsed_Ms())));
    if (Wait_Further) {
        Limit_At_Ms = Session->Elapsed_Ms() + Wait_Limit_Ms.count();
    } else {
        // Left running, as the wait always did at its limit; still watched, so that no second update
        // starts before it ends, and its end then completes the record and the result area.
        Left_Running = true;
        Session->Leave_Running();
        Tell_Record_Error();
        Show_Result(State.Text(Msg_Updater_Left_Running).arg(Updater_Name_Of(Updater)), QString(), -1);
        Show_Changes();
        if (Close_When_Ended) {
            Close_When_Ended = false;
            Modal_Dialog::reject();
        }
    }
    Timer_Poll->start();
}

void TFBoot::Finish() {
    Timer_Poll->stop();
    const bool Reported = !Left_Running;
    Left_Running = false;
    Set_Busy(false);
    const Run_Result& Result = Session->Outcome();
    const QString Updater = Session->Launched().Updater;
    const bool Succeeded = Session->End() == Update_End::Succeeded;
    const QString Text = End_Words(Result, Updater_Name_Of(Updater), State);
    const QString Meaning =
        Succeeded ? State.Text(Msg_Success_Means)
                        .arg(Whole_Seconds(Session->Elapsed_Ms()))
                        .arg(State.Text(Session->Launched().Choice.Read_Back ? Msg_Read_Back_On
                                                                             : Msg_Read_Back_Off))
                  : QString();
    Show_Result(Text, Meaning, Succeeded ? 1 : -1);
    Btn_Link_Test->setVisible(Succeeded && Link_Test_Available());
    Show_Output(Session->Output());
    Show_Changes();
    Tell_Record_Error();
    if (Reported && !Succeeded)
        Svc.Msgs.Error(End_Words(Result, Shown_Path(Updater), State));
    if (Close_When_Ended) {
        Close_When_Ended = false;
        Modal_Dialog::reject();
    }
    // Told once the dialog is closed or not: the main window keeps it when nobody sees it here.
    Q_EMIT Run_Ended(Meaning.isEmpty() ? Text : Text + u'\n' + Meaning, Succeeded);
}

void TFBoot::reject() {
    // No box that could outlive the updater: the result area says it, and the dialog closes at the end.
    if (Updater_Running() && !Left_Running) {
        Close_When_Ended = true;
        Show_Result(State.Text(Msg_Updater_Closes_Later).arg(Updater_Name_Of(Session->Launched().Updater)));
        return;
    }
    Modal_Dialog::reject();
}

bool TFBoot::Updater_Running() const {
    return Session->Running();
}

QString TFBoot::Still_Running_Text() const {
    return State.Text(Msg_Updater_Left_Running).arg(Shown_Path(Session->Launched().Updater));
}

void TFBoot::Show_Result(const QString& Text, const QString& Meaning, int Tone) {
    L_Update_State->setText(Text);
    L_Update_State->setToolTip(Text);
    L_Update_Meaning->setText(Meaning);
    L_Update_Meaning->setToolTip(Meaning);
    const char* Colour = Tone > 0 ? "#1b6e20" : Tone < 0 ? "#b00020" : "#333333";
    L_Update_State->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(Colour)));
    Place_Result();
    Fit_Height();
}

void TFBoot::Show_Output(const QString& Output) {
    E_Output->setPlainText(Output);
    Btn_Details->setVisible(!Output.isEmpty());
    if (Output.isEmpty())
        Btn_Details->setChecked(false);
    Place_Result();
    Fit_Height();
}

void TFBoot::Tell_Record_Error() {
    if (!Session->Record_Error().isEmpty())
        Svc.Msgs.Error(State.Text(Msg_History_Not_Written) + Session->Record_Error());
}

void TFBoot::Show_Changes() {
    L_Changes->Refresh(State);
    L_Changes->setFixedHeight(L_Changes->heightForWidth(L_Changes->width()));
    P_Changes->setFixedHeight(L_Changes->height() + 8);
    Fit_Height();
}

void TFBoot::Fit_Height() {
    const bool Ethernet = Form_Type == Form_Ethernet;
    int Height = P_Title->height() + (Ethernet ? P_IP_Address->height() : P_Serial->height()) +
                 P_Options->height() + (Ethernet ? 0 : P_Port_Details->height()) + P_Changes->height() +
                 P_Result->height() + P_Button->height();
    if (E_Output->isVisibleTo(this))
        Height += E_Output->height();
    setFixedSize(Client_Width, Height);
}

} // namespace vo
