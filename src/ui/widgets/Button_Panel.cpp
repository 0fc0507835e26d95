#include "Button_Panel.h"

#include "Placement.h"
#include "Standard_Icon.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

namespace vo {

namespace {

QPushButton* Add_Button(QWidget* Parent, const QString& Name, QStyle::StandardPixmap Icon) {
    QPushButton* Button = Place_Button(Parent, Name, {0, 0, 110, 28});
    Button->setFixedSize(110, 28);
    Button->setIcon(Standard_Icon(Icon));
    return Button;
}

} // namespace

Button_Panel::Button_Panel(QWidget* Parent)
    : QWidget(Parent), Btn_OK(Add_Button(this, QStringLiteral("Btn_OK"), QStyle::SP_DialogOkButton)),
      Btn_Cancel(Add_Button(this, QStringLiteral("Btn_Cancel"), QStyle::SP_DialogCancelButton)) {
    setObjectName(QStringLiteral("P_Button"));
    setFixedHeight(40);
    Btn_OK->setDefault(true);
    auto* Row = new QHBoxLayout(this);
    Row->setContentsMargins(16, 6, 16, 6);
    Row->setSpacing(8);
    Row->addWidget(Btn_OK);
    Row->addWidget(Btn_Cancel);
    Row->addStretch(1);
}

void Button_Panel::Align_Right() {
    auto* Row = static_cast<QHBoxLayout*>(layout());
    delete Row->takeAt(Row->count() - 1);
    Row->insertStretch(0, 1);
}

} // namespace vo
