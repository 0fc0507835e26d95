#pragma once

#include <QWidget>

class QPushButton;

namespace vo {

// The band at the bottom of a dialog with its OK and Cancel buttons (110 × 28 at 16 and 134).
class Button_Panel final : public QWidget {
    Q_OBJECT
public:
    explicit Button_Panel(QWidget* Parent);
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace vo
