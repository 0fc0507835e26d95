#include "Click_Label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace vo {

Click_Label::Click_Label(const QString& Object_Name, QWidget* Parent) : QLabel(Parent) {
    setObjectName(Object_Name);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void Click_Label::mouseReleaseEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        Q_EMIT Clicked();
    QLabel::mouseReleaseEvent(Event);
}

void Click_Label::keyPressEvent(QKeyEvent* Event) {
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Event->accept();
        Q_EMIT Clicked();
        return;
    default:
        QLabel::keyPressEvent(Event);
    }
}

void Click_Label::paintEvent(QPaintEvent* Event) {
    QLabel::paintEvent(Event);
    if (!hasFocus())
        return;
    QStylePainter Painter(this);
    QStyleOptionFocusRect Option;
    Option.initFrom(this);
    Painter.drawPrimitive(QStyle::PE_FrameFocusRect, Option);
}

} // namespace vo
