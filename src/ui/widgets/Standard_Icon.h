#pragma once

#include <QIcon>
#include <QStyle>

namespace vo {

// The application style's icon Which, made once and shared by every button that shows it: each
// icon the style makes decodes its pictures anew when first painted.
QIcon Standard_Icon(QStyle::StandardPixmap Which);

} // namespace vo
