#pragma once

#include <QScrollArea>

namespace vo {

class Category_Panel;

// A scrolling stack of category panels: hidden panels close their gap, and the mouse wheel
// anywhere over the group scrolls it by the system's lines per notch.
class Category_Group final : public QScrollArea {
    Q_OBJECT
public:
    Category_Group(const QString& Object_Name, QWidget* Parent);

    void Add_Panel(Category_Panel* Added);
    // Routes the wheel over Root's descendants inside the group to the group's scrolling, so an
    // input under the pointer never takes the wheel for itself.
    void Watch_Wheel(QWidget* Root);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QWidget* Stack;
};

} // namespace vo
