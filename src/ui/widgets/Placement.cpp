#include "Placement.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vo {

QLabel* Place_Label(QWidget* Parent, const QString& Name, int Left, int Top, const QString& Text) {
    auto* Label = new QLabel(Text, Parent);
    Label->setObjectName(Name);
    Label->move(Left, Top);
    return Label;
}

QPushButton* Place_Button(QWidget* Parent, const QString& Name, QRect Geometry) {
    auto* Button = new QPushButton(Parent);
    Button->setObjectName(Name);
    Button->setGeometry(Geometry);
    Button->setAutoDefault(true);
    return Button;
}

void Chain_Tab_Order(const QList<QWidget*>& Order) {
    for (qsizetype Index = 1; Index < Order.size(); ++Index)
        QWidget::setTabOrder(Order[Index - 1], Order[Index]);
}

QVBoxLayout* Band_Layout(QWidget* Window) {
    auto* Layout = new QVBoxLayout(Window);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    return Layout;
}

} // namespace vo
