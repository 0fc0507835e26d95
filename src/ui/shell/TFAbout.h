#pragma once

#include "widgets/Modal_Dialog.h"

class QLabel;
class QPushButton;

namespace vo {

struct Shared_State;
class Url_Opener;
class Click_Label;

// The about box: fixed texts, not translated.
class TFAbout final : public Modal_Dialog {
    Q_OBJECT
public:
    TFAbout(const Shared_State& App_State, Url_Opener& Opener, QWidget* Parent);

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Label4Click();

    const Shared_State& State;
    Url_Opener& Urls;
    Click_Label* Image2;
    QLabel* Label2;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label12;
    Click_Label* Label4;
    QPushButton* LbButton1;
};

} // namespace vo
