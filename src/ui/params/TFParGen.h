#pragma once

#include "params/Par_Gen.h"
#include "params/Par_Gen_Check.h"
#include "widgets/Modal_Dialog.h"

#include <QHash>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vo {

struct Shared_State;
class Messages;
class Title_Panel;
class Category_Group;
class Category_Panel;
class Ipv4_Row;

// The communication parameters of the open configuration: loaded at every showing, checked and
// saved on OK, discarded on Cancel. Each change of a control goes into the held parameter set
// through the rules of core, as vo40913-cli set applies it, and the controls and the panels shown
// follow the held set.
class TFParGen final : public Modal_Dialog {
    Q_OBJECT
public:
    TFParGen(const Shared_State& App_State, Messages& Texts, QWidget* Parent);
    void Set_Lang();

    // Loads ParGen_File into the controls and shows the dialog; a file that cannot be read is
    // reported and the dialog stays closed (Cancel).
    int exec() override;

    // The values the dialog holds, and what it shows of them.
    Par_Gen Held_Values() const { return Values; }
    Par_Gen_View Shown() const;

private:
    struct Side_Rows {
        QComboBox* Serial;
        QComboBox* Baudrate;
        QComboBox* Parity;
        QComboBox* DataBits;
        QComboBox* StopBits;
        QLineEdit* TimeOut;
        std::array<QLabel*, 6> Labels;
    };

    void Build_Panels();
    Side_Rows Build_Side(Category_Panel* Panel, const QString& Side);
    void Build_Ethernet();
    void Order_TAB_Panels_40913();
    void Caption_Panels();
    void Order_Tab_Keys();
    void Put_Values();
    void Put_Lists();
    void On_Choice(const Par_Field& Field, int Entry);
    void Move_GroupBoxs();
    void Btn_OKClick();

    Par_Gen Values;

    const Shared_State& State;
    Messages& Msgs;
    Title_Panel* P_Title;
    Category_Group* Group;
    Category_Panel* CP_Device_Type;
    Category_Panel* CP_Operation_Mode;
    Category_Panel* CP_Modbus_RTU;
    Category_Panel* CP_Modbus_ASCII;
    Category_Panel* CP_Ethernet;
    QLabel* L_Device_Type_Type = nullptr;
    QComboBox* CB_Device_Type_Type = nullptr;
    QComboBox* CB_Operation_Mode_Mode = nullptr;
    Side_Rows RTU{};
    Side_Rows ASCII{};
    QLabel* L_Ethernet_IP = nullptr;
    QLabel* L_Ethernet_SM = nullptr;
    QCheckBox* CB_Ethernet_En_GAT = nullptr;
    // IP Address, SubNet Mask and Gateway, in the order of the "." key.
    std::array<Ipv4_Row*, 3> Address_Rows{};
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    // The input of each list and text element of the parameter set.
    QHash<QString, QComboBox*> Lists;
    QHash<QString, QLineEdit*> Edits;
};

} // namespace vo
