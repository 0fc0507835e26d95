#pragma once

#include "options/Language_List.h"
#include "widgets/Modal_Dialog.h"

#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace vo {

struct Shared_State;
struct Services;
class Click_Label;
class Title_Panel;
class Version_Checker;

// The software options: the language (applied to every window at once), the internet options
// with the version check, and the table options. OK stores the choices in the shared state.
class TFSoftOptions final : public Modal_Dialog {
    Q_OBJECT
public:
    // Relabel re-labels every window after a language was loaded.
    TFSoftOptions(Shared_State& App_State, const Services& App_Services, std::function<void()> Relabel,
                  QWidget* Parent);
    void Set_Lang();

    QStringList SL_Languages;
    int Show_Page = 1;
    QString Language_In_Use;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    // One language on the page: its flag and its name, both chosen by a click; the name also by
    // the keyboard.
    struct Language_Slot {
        Click_Label* Flag;
        Click_Label* Name;
    };

    void Build_Language_Page(QWidget* Page);
    void Build_Connection_Page(QWidget* Page);
    void Build_Settings_Page(QWidget* Page);
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Btn_PrevClick();
    void Btn_NextClick();
    void LangClick(int Slot_Index);
    void Update_CheckBox();
    void Btn_Check_UpdateClick();
    void Show_Check_Result(bool Newer);
    void Put_Check_Result();
    void Order_Tab_Keys();
    void Btn_OKClick();

    Shared_State& State;
    const Services& Svc;
    std::function<void()> Change_Language;
    Version_Checker* Checker;
    Title_Panel* P_Title;
    QTabWidget* PC_Options;
    QWidget* TS_Language;
    QWidget* TS_Con_Options;
    QWidget* TS_Soft_Settings;
    QLabel* L_Sel_Lang = nullptr;
    QLabel* L_Page_Lang = nullptr;
    std::array<Language_Slot, Languages_Per_Page> Slots{};
    QPushButton* Btn_Prev = nullptr;
    QPushButton* Btn_Next = nullptr;
    QCheckBox* CB_En_Con = nullptr;
    QCheckBox* CB_Update = nullptr;
    QPushButton* Btn_Check_Update = nullptr;
    QLabel* LL_Check_Update = nullptr;
    // The answer of the last check made from this dialog, shown until it closes.
    std::optional<bool> Check_Newer;
    QCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    QCheckBox* CB_DoubleClick_Auto_Size = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
};

} // namespace vo
