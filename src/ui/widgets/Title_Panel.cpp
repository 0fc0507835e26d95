#include "Title_Panel.h"

#include "Window_Style.h"

#include <QLabel>

namespace vo {

Title_Panel::Title_Panel(const QString& Software_Code, QWidget* Parent)
    : QWidget(Parent), L_SW_Code(new QLabel(Software_Code, this)), L_SW_Desc(new QLabel(this)) {
    setObjectName(QStringLiteral("P_Title"));
    setFixedHeight(69);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    Style_Grey_Label(L_SW_Code, false, 32);
    Style_Grey_Label(L_SW_Desc, true);
    L_SW_Code->move(16, 8);
    L_SW_Desc->move(16, 42);
    L_SW_Code->adjustSize();
}

} // namespace vo
