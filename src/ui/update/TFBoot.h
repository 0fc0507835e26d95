#pragma once

#include "history/Update_History.h"
#include "update/Address_Check.h"
#include "update/Com_Ports.h"
#include "update/Device_Type.h"
#include "update/Updater_Launch.h"
#include "widgets/Modal_Dialog.h"

#include <QElapsedTimer>
#include <chrono>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace vo {

struct Shared_State;
struct Services;
struct Run_Result;
class Running_Program;
class Title_Panel;
class Change_Summary_View;
class Ipv4_Row;
class Port_List_Watch;

// The update dialog: a serial port, or the device's address checked by echo requests, the update
// option and read back; its update button starts the updater and watches it without holding up the
// window. It stays open after a launch until the user closes it.
//
// One update at a time: from the click to the updater's end every input and the update button are
// off, the inputs are taken once at the click, and closing while the updater runs waits for its end.
// The updater is never stopped by the dialog; every way it ends is reported.
class TFBoot final : public Modal_Dialog {
    Q_OBJECT
public:
    TFBoot(Shared_State& App_State, const Services& App_Services, QWidget* Parent);
    ~TFBoot() override;
    void Set_Lang();

    // True from the start of an updater until it has been seen to end, whether the dialog still
    // waits for it or the user left it running.
    bool Updater_Running() const { return Updater != nullptr; }
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

protected:
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

private:
    QWidget* Add_Panel(const QString& Name, int Height);
    void Build_IP_Address(QWidget* Panel);
    void Build_Serial(QWidget* Panel);
    void Build_Options(QWidget* Panel);
    void Build_Eth_Search(QWidget* Panel);
    void Build_Buttons(QWidget* Panel);
    void Order_Tab_Keys();
    void update_ComPort();
    // Lists the ports again after the system told of a change, keeping the user's choice.
    void Follow_Ports();
    void Fill_Port_List(QList<Com_Port> Ports);
    void Remember_Choice();
    int Index_Of_Choice() const;
    void Show_Port_Details();
    void Btn_UpdateClick();
    bool Send_Ping(const QString& Address);
    void Set_Busy(bool Busy);
    void Watch(Updater_Start Start, const Launch_Capture& Capture, const Launch_Info& Info);
    void Timer_PollTimer();
    void Ask_At_Limit();
    void Finish(const Run_Result& Result);
    void Show_State(const QString& Text);
    // Adds the attempt to the configuration's history; a failed write is told, the update stands.
    void Record_Attempt(const Run_Result& Result);
    // Reads the change summary again and fits the window's height to it.
    void Show_Changes();

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
    // What the dialog is doing: the running updater's state, or how the last one ended.
    QLabel* L_Update_State = nullptr;

    // The address check runs, started by the update button.
    bool Checking = false;
    // The updater started by the last launch, until it has been seen to end.
    std::unique_ptr<Running_Program> Updater;
    // The program's update lock, held until the updater has been seen to end, even past the limit.
    std::unique_ptr<Writer_Lock> Held_Update_Lock;
    QString Updater_Path;
    QTimer* Timer_Poll = nullptr;
    QElapsedTimer Run_Clock;
    // When the wait next reaches its limit, in ms of Run_Clock.
    qint64 Limit_At_Ms = 0;
    bool Left_Running = false;
    // The user closed the dialog while the updater ran: it closes when the updater ends.
    bool Close_When_Ended = false;
    // The files and the inputs as launched, for the history record of the attempt.
    Launch_Capture Capture;
    Launch_Info Info;
    // The chosen port's details and state, below the buttons so that every other control keeps its
    // place; each entry of the list has them as its hint too.
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
    // Below the buttons, so that every other control keeps its place.
    QWidget* P_Changes = nullptr;
    Change_Summary_View* L_Changes = nullptr;
};

} // namespace vo
