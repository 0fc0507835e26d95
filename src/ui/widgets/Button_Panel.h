#pragma once

#include <QWidget>

class QPushButton;

namespace vo {

// The band at the bottom of a dialog with its OK and Cancel buttons (110 × 28, 16 from the left
// edge, or from the right one after Align_Right). OK is the default button: Return and Enter
// press it unless another button has the focus.
class Button_Panel final : public QWidget {
    Q_OBJECT
public:
    explicit Button_Panel(QWidget* Parent);
    void Align_Right();
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace vo
