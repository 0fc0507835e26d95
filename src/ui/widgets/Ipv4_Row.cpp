#include "Ipv4_Row.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace vo {

namespace {

bool Can_Take_Focus(const QWidget* Field) {
    return Field->isEnabled() && Field->isVisible();
}

} // namespace

Ipv4_Row::Ipv4_Row(const QString& Name_Prefix, const Ipv4_Row_Shape& Shape, QWidget* Parent)
    : QWidget(Parent) {
    setObjectName(Name_Prefix + QStringLiteral("_Row"));
    const int Gap = Shape.Byte_Pitch - Shape.Byte_Width;
    for (int Index = 0; Index < Byte_Count; ++Index) {
        auto* Field = new QLineEdit(this);
        Field->setObjectName(Name_Prefix + QString::number(Index + 1));
        Field->setGeometry(Index * Shape.Byte_Pitch, 0, Shape.Byte_Width, Shape.Height);
        Field->installEventFilter(this);
        Bytes[static_cast<size_t>(Index)] = Field;
        if (Index + 1 < Byte_Count) {
            auto* Dot = new QLabel(QStringLiteral("."), this);
            Dot->adjustSize();
            Dot->move(Index * Shape.Byte_Pitch + Shape.Byte_Width + (Gap - Dot->width()) / 2, Shape.Dot_Top);
        }
    }
    setFixedSize((Byte_Count - 1) * Shape.Byte_Pitch + Shape.Byte_Width, Shape.Height);
}

bool Ipv4_Row::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(Event)->text() != u".")
        return QWidget::eventFilter(Watched, Event);
    const auto Found = std::find(Bytes.begin(), Bytes.end(), Watched);
    if (Found == Bytes.end())
        return QWidget::eventFilter(Watched, Event);
    QLineEdit* Target = Found + 1 != Bytes.end() ? *(Found + 1) : Next ? Next->Byte(0) : nullptr;
    if (Target && Can_Take_Focus(Target))
        Target->setFocus(Qt::TabFocusReason);
    return true;
}

} // namespace vo
