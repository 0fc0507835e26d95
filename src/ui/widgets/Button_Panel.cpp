#include "Button_Panel.h"

#include "Placement.h"
#include "Standard_Icon.h"

#include <QPushButton>
#include <QStyle>

namespace vo {

namespace {

QPushButton* Add_Button(QWidget* Parent, const QString& Name, QStyle::StandardPixmap Icon, int Left) {
    QPushButton* Button = Place_Button(Parent, Name, {Left, 6, 110, 28});
    Button->setIcon(Standard_Icon(Icon));
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
