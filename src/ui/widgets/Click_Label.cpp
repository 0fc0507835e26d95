#include "Click_Label.h"

#include <QMouseEvent>

namespace vo {

Click_Label::Click_Label(const QString& Object_Name, QWidget* Parent) : QLabel(Parent) {
    setObjectName(Object_Name);
    setCursor(Qt::PointingHandCursor);
}

void Click_Label::mouseReleaseEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        Q_EMIT Clicked();
    QLabel::mouseReleaseEvent(Event);
}

} // namespace vo
