#include "Button_Panel.h"

#include <QPushButton>
#include <QStyle>

namespace vo {

namespace {

QPushButton* Add_Button(QWidget* Parent, const QString& Name, QStyle::StandardPixmap Icon, int Left) {
    auto* Button = new QPushButton(Parent->style()->standardIcon(Icon), QString(), Parent);
    Button->setObjectName(Name);
    Button->setGeometry(Left, 6, 110, 28);
    // Enter belongs to the window's own rule (an edit box may claim it), never to a default button.
    Button->setAutoDefault(false);
    return Button;
}

} // namespace

Button_Panel::Button_Panel(QWidget* Parent)
    : QWidget(Parent), Btn_OK(Add_Button(this, QStringLiteral("Btn_OK"), QStyle::SP_DialogOkButton, 16)),
      Btn_Cancel(Add_Button(this, QStringLiteral("Btn_Cancel"), QStyle::SP_DialogCancelButton, 134)) {
    setObjectName(QStringLiteral("P_Button"));
    setFixedHeight(40);
}

} // namespace vo
