#include "Icon_Button.h"

namespace vo {

Icon_Button::Icon_Button(const QIcon& Icon, const QString& Object_Name, QWidget* Parent)
    : QPushButton(Parent) {
    setObjectName(Object_Name);
    setIcon(Icon);
    setIconSize(QSize(24, 24));
    // Return and Enter press the focused button, in the main window as in a dialog.
    setAutoDefault(true);
    setCursor(Qt::PointingHandCursor);
}

} // namespace vo
