#pragma once

#include "widgets/Modal_Dialog.h"

#include <array>
#include <chrono>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vo {

struct Shared_State;
struct Services;
struct Run_Result;
struct Launch_Capture;
struct Launch_Info;
class Title_Panel;
class Change_Summary_View;

// The update dialog: a serial port, or the device's address checked by echo requests, the update
// option and read back; its update button starts the updater and waits for it. It stays open after
// a launch until the user closes it.
class TFBoot final : public Modal_Dialog {
    Q_OBJECT
public:
    TFBoot(Shared_State& State, const Services& Services, QWidget* Parent);
    void Set_Lang();

    // 0 serial, 1 Ethernet; set by the main window before each showing.
    int Form_Type = 0;
    // The latest reply of the last address check: 0 none, 1 answered, 2 no answer.
    int ping_res = 0;
    // How long an address check may go on, and how long an updater may run before the wait ends.
    std::chrono::milliseconds Ping_Budget_Ms;
    std::chrono::milliseconds Wait_Limit_Ms;

protected:
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QWidget* Add_Panel(const QString& Name, int Height);
    void Build_IP_Address(QWidget* Panel);
    void Build_Serial(QWidget* Panel);
    void Build_Options(QWidget* Panel);
    void Build_Eth_Search(QWidget* Panel);
    void Build_Buttons(QWidget* Panel);
    void update_ComPort();
    void Btn_UpdateClick();
    bool Send_Ping();
    void Report_Launch(const Run_Result& Result);
    // Adds the attempt to the configuration's history; a failed write is told, the update stands.
    void Record_Attempt(const Launch_Capture& Capture, const Launch_Info& Info, const Run_Result& Result);
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
    std::array<QLineEdit*, 4> E_IP{};
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
    // Below the buttons, so that every other control keeps its place.
    QWidget* P_Changes = nullptr;
    Change_Summary_View* L_Changes = nullptr;
};

} // namespace vo
