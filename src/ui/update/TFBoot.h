#pragma once

#include "update/Address_Check.h"
#include "update/Com_Ports.h"
#include "update/Device_Type.h"
#include "update/Update_Session.h"
#include "widgets/Modal_Dialog.h"

#include <chrono>
#include <memory>
#include <utility>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace vo {

struct Shared_State;
struct Services;
class Title_Panel;
class Change_Summary_View;
class Ipv4_Row;
class Port_List_Watch;
class Address_Checker;

// The update dialog: a serial port, or the device's address checked by echo requests, the update
// option and read back; its update button starts the updater and watches it without holding up the
// window. It stays open after a launch until the user closes it.
//
// One update at a time: from the click to the updater's end every input and the update button are
// off, the inputs are taken once at the click, and closing while the updater runs waits for its end.
// The updater is never stopped by the dialog; every way it ends is shown in the result area, which
// keeps it until the next update.
class TFBoot final : public Modal_Dialog {
    Q_OBJECT
public:
    TFBoot(Shared_State& App_State, const Services& App_Services, QWidget* Parent);
    ~TFBoot() override;
    void Set_Lang();

    // True from the start of an updater until it has been seen to end, whether the dialog still
    // waits for it or the user left it running.
    bool Updater_Running() const;
    // The message that says so, naming the updater.
    QString Still_Running_Text() const;

    void reject() override;

    // Set by the main window before each showing.
    Update_Mode Form_Type = Form_Serial;
    // The latest reply of the last address check.
    Ping_Reply ping_res = Ping_Reply::None;
    // How long an address check may go on, and how long an updater may run before the wait ends.
    std::chrono::milliseconds Ping_Budget_Ms;
    std::chrono::milliseconds Wait_Limit_Ms;

    // True once after the user chose the link test that a successful update offers.
    bool Take_Link_Test_Asked() { return std::exchange(Link_Test_Asked, false); }

Q_SIGNALS:
    // An updater's end, in the words of the result area, and whether it succeeded: the main window
    // keeps it in view when the dialog was closed before.
    void Run_Ended(const QString& Text, bool Succeeded);

protected:
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

private:
    QWidget* Add_Panel(const QString& Name, int Height);
    void Build_IP_Address(QWidget* Panel);
    void Build_Serial(QWidget* Panel);
    void Build_Options(QWidget* Panel);
    void Build_Eth_Search(QWidget* Panel);
    void Build_Result(QWidget* Panel);
    void Build_Buttons(QWidget* Panel);
    void Order_Tab_Keys();
    void Offer_Address();
    void update_ComPort();
    // Lists the ports again after the system told of a change, keeping the user's choice.
    void Follow_Ports();
    void Fill_Port_List(QList<Com_Port> Ports);
    void Remember_Choice();
    int Index_Of_Choice() const;
    void Show_Port_Details();
    void Btn_UpdateClick();
    // The serial checks at the click: a chosen port that is there and free, or the user's leave.
    bool Serial_Port_Fit(const Launch_Info& Request);
    void Address_Checked(const QString& Address, const Ping_Check& Check);
    void Launch(const Launch_Info& Request);
    void Set_Busy(bool Busy);
    void Timer_PollTimer();
    void Ask_At_Limit();
    void Finish();
    // The result area: the first line large, the second what it means, the updater's output
    // behind Details. Tone: 0 neutral, 1 success, -1 failure.
    void Show_Result(const QString& Text, const QString& Meaning = QString(), int Tone = 0);
    void Show_Output(const QString& Output);
    void Place_Result();
    void Tell_Record_Error();
    // Reads the change summary again and fits the window's height to what it shows.
    void Show_Changes();
    void Fit_Height();

    Shared_State& State;
    const Services& Svc;
    Title_Panel* P_Title;
    QWidget* P_IP_Address = nullptr;
    QWidget* P_Serial = nullptr;
    QWidget* P_Options = nullptr;
    QWidget* P_Eth_Search = nullptr;
    QWidget* P_Button = nullptr;
    QLabel* L_IP_Address = nullptr;
    Ipv4_Row* E_IP = nullptr;
    // The address the configuration gives the device, beside the fields.
    QLabel* L_Configured_IP = nullptr;
    QLabel* L_COM_Port = nullptr;
    QComboBox* CB_COM_Port = nullptr;
    QPushButton* Btn_COM_List = nullptr;
    QLabel* L_Update_Option = nullptr;
    QComboBox* CB_Update_Options = nullptr;
    QCheckBox* CB_Update_Option_Read_Back = nullptr;
    QLabel* L_List_Device = nullptr;
    QPushButton* Btn_Search = nullptr;
    QCheckBox* CB_Find_All_Velorin = nullptr;
    QTreeWidget* ACG_List_Devices = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    QPushButton* Btn_Update = nullptr;
    // The result area above the buttons: what the dialog is doing, or how the last update ended.
    QWidget* P_Result = nullptr;
    QLabel* L_Update_State = nullptr;
    QLabel* L_Update_Meaning = nullptr;
    QPushButton* Btn_Details = nullptr;
    QPushButton* Btn_Link_Test = nullptr;
    bool Link_Test_Asked = false;
    QPlainTextEdit* E_Output = nullptr;

    // The address check started by the update button, and the launch it leads to.
    Address_Checker* Checker = nullptr;
    Launch_Info Pending;
    // The update from its checks to its record; its updater until it has been seen to end.
    std::unique_ptr<Update_Session> Session;
    QTimer* Timer_Poll = nullptr;
    // When the wait next reaches its limit, in ms since the launch.
    qint64 Limit_At_Ms = 0;
    bool Left_Running = false;
    // The user closed the dialog while the updater ran: it closes when the updater ends.
    bool Close_When_Ended = false;
    // The chosen port's details and state; each entry of the list has them as its hint too.
    QWidget* P_Port_Details = nullptr;
    QLabel* L_Port_Details = nullptr;
    QList<Com_Port> Listed_Ports;
    // The port the user chose, known by its stable name where it has one: the system may give its
    // number to another adapter.
    QString Chosen_Port;
    QString Chosen_Stable_Name;
    // The chosen port, when it went away while the dialog was open.
    QString Vanished_Port;
    // While the dialog shows in serial mode.
    Port_List_Watch* Ports_Watch = nullptr;
    QWidget* P_Changes = nullptr;
    Change_Summary_View* L_Changes = nullptr;
};

} // namespace vo
