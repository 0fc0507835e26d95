#pragma once

#include "widgets/Modal_Dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vo {

struct Shared_State;
class Messages;
class Title_Panel;

// Asks for the name of a new configuration, creates its folder and opens it.
class TFNew_Project final : public Modal_Dialog {
    Q_OBJECT
public:
    TFNew_Project(Shared_State& App_State, Messages& Texts, QWidget* Parent);
    void Set_Lang();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Btn_OKClick();

    Shared_State& State;
    Messages& Msgs;
    Title_Panel* P_Title;
    QLabel* Label1;
    QLineEdit* E_New_Proj;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace vo
