#include "Category_Panel.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace vo {

Category_Panel::Category_Panel(const QString& Object_Name, QWidget* Parent)
    : QWidget(Parent), Header(new QToolButton(this)), Body(new QWidget(this)) {
    setObjectName(Object_Name);
    Header->setObjectName(Object_Name + QStringLiteral("_Header"));
    Header->setCheckable(true);
    Header->setChecked(true);
    Header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Header->setArrowType(Qt::DownArrow);
    Header->setAutoRaise(true);
    Header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont Bold = Header->font();
    Bold.setBold(true);
    Header->setFont(Bold);
    Header->setFixedHeight(24);
    Body->setObjectName(Object_Name + QStringLiteral("_Content"));

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(Header);
    Layout->addWidget(Body, 1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(Header, &QToolButton::toggled, this, [this](bool Open) { Set_Collapsed(!Open); });
}

void Category_Panel::Set_Caption(const QString& Caption) {
    Header->setText(Caption);
}

QString Category_Panel::Caption() const {
    return Header->text();
}

int Category_Panel::Header_Height() const {
    return Header->height();
}

void Category_Panel::Set_Content_Height(int Content_Height) {
    Body_Height = Content_Height;
    Update_Height();
}

void Category_Panel::Set_Collapsed(bool Collapsed) {
    Header->setChecked(!Collapsed);
    Header->setArrowType(Collapsed ? Qt::RightArrow : Qt::DownArrow);
    Body->setVisible(!Collapsed);
    Update_Height();
}

bool Category_Panel::Collapsed() const {
    return !Header->isChecked();
}

void Category_Panel::Update_Height() {
    setFixedHeight(Header_Height() + (Collapsed() ? 0 : Body_Height));
}

} // namespace vo
