#pragma once

#include "widgets/Modal_Dialog.h"

#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace vo {

struct Shared_State;
class Title_Panel;

// Lists the configuration folders and lets the user choose one; the main window opens it.
class TFOpenConf final : public Modal_Dialog {
    Q_OBJECT
public:
    TFOpenConf(const Shared_State& App_State, QWidget* Parent);
    void Set_Lang();

    // The folder names found at the last showing.
    QStringList SL;
    // The chosen configuration; "" when the list was empty.
    QString Name_Conf;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void ListBox1Click(int Row);

    const Shared_State& State;
    Title_Panel* P_Title;
    QLabel* Label1;
    QListWidget* ListBox1;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace vo
