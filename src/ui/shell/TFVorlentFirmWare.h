#pragma once

#include "shell/Update_Schedule.h"

#include <QStyle>
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace vo {

struct Shared_State;
struct Services;
class Icon_Button;
class Version_Checker;
class TFSoftOptions;
class TFAbout;
class TFNew_Project;
class TFOpenConf;
class TFParGen;
class TFBoot;
class TFHistory;

// A new message of the main window (id of Lang_Strings): the reason follows it.
inline constexpr int Msg_Settings_Not_Saved = 61;

// The main window: leads through the steps, opens the dialogs, refuses the configuration steps
// while no configuration is open, and writes the settings file when it closes.
class TFVorlentFirmWare final : public QWidget {
    Q_OBJECT
public:
    // The shared state must have been started up (Start_Up) before the window is created.
    TFVorlentFirmWare(Shared_State& App_State, const Services& App_Services);

    void Set_Lang();
    void Change_Language();
    void Save_Setting();
    // The update timer fired: check for a newer version, off the window thread.
    void Timer_UpdateTimer();

    // The dialogs, each made when it is first needed and kept to the end; made later than the
    // main window, a dialog labels itself from the texts then loaded, as a language change would.
    TFAbout* About_Box();
    TFNew_Project* New_Project_Dialog();
    TFOpenConf* Open_Dialog();
    TFParGen* Par_Gen_Dialog();
    TFSoftOptions* Options_Dialog();
    TFBoot* Update_Dialog();
    TFHistory* History_Window();
    QDialog* Link_Test_Window();
    QTimer* Update_Timer() const { return Timer_Update; }
    Version_Checker* Update_Checker() const { return Checker; }

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    void Place_Elements();
    Icon_Button* Add_Button(const QString& Name, QStyle::StandardPixmap Icon, QRect Geometry);
    void Order_Tab_Keys();
    void Create_New_Project();
    void Open_Project();
    void Show_Configuration_Labels();
    // The configuration steps run only while a configuration is open.
    bool Project_Valid();
    void Btn_Prm_GenClick();
    void Btn_CreateBinClick();
    void Btn_HistoryClick();
    void Btn_Link_TestClick();
    void Update_Device();
    // An update ended while its dialog was closed: its end stays in view under the steps.
    void Show_Run_End(const QString& Text, bool Succeeded);
    void Show_Options();
    void Apply(Timer_Action Action);
    void Show_Update_Check(bool Newer);
    void Put_Update_Link();

    Shared_State& State;
    const Services& Svc;
    Update_Schedule Schedule;
    Version_Checker* Checker = nullptr;
    // The last check found a newer version: the link shows, in the language of the moment.
    bool Newer_Version = false;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* LL_Update = nullptr;
    Icon_Button* Btn_Info = nullptr;
    Icon_Button* Btn_Opz = nullptr;
    Icon_Button* Btn_Close = nullptr;
    QFrame* Shape2 = nullptr;
    QLabel* L_Name_Conf = nullptr;
    QLabel* L_Name_Conf_L2 = nullptr;
    QLabel* L_Begin = nullptr;
    QLabel* L_Step_1 = nullptr;
    QLabel* L_Step_2 = nullptr;
    QLabel* L_Step_3 = nullptr;
    Icon_Button* Btn_New = nullptr;
    Icon_Button* Btn_Open = nullptr;
    Icon_Button* Btn_Prm_Gen = nullptr;
    Icon_Button* Btn_CreateBin = nullptr;
    // Beside the update step, in the space the steps leave free.
    Icon_Button* Btn_History = nullptr;
    Icon_Button* Btn_Link_Test = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* L_Last_Update = nullptr;
    QLabel* L_Velorin = nullptr;
    QTimer* Timer_Update = nullptr;

    TFAbout* F_About = nullptr;
    TFNew_Project* F_New_Project = nullptr;
    TFOpenConf* F_OpenConf = nullptr;
    TFSoftOptions* F_SoftOptions = nullptr;
    TFParGen* F_ParGen = nullptr;
    TFBoot* F_Boot = nullptr;
    TFHistory* F_History = nullptr;
    QDialog* F_Link_Test = nullptr;
};

} // namespace vo
