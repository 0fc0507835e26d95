#include "Category_Group.h"

#include "Category_Panel.h"

#include <QApplication>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace vo {

Category_Group::Category_Group(const QString& Object_Name, QWidget* Parent)
    : QScrollArea(Parent), Stack(new QWidget) {
    setObjectName(Object_Name);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::NoFrame);
    verticalScrollBar()->setTracking(true);
    verticalScrollBar()->setSingleStep(20);
    auto* Layout = new QVBoxLayout(Stack);
    Layout->setContentsMargins(4, 4, 4, 4);
    Layout->setSpacing(4);
    Layout->addStretch(1);
    setWidget(Stack);
    viewport()->setAutoFillBackground(false);
    Stack->setAutoFillBackground(false);
}

void Category_Group::Add_Panel(Category_Panel* Added) {
    auto* Layout = static_cast<QVBoxLayout*>(Stack->layout());
    Layout->insertWidget(Layout->count() - 1, Added);
}

void Category_Group::Watch_Wheel(QWidget* Root) {
    Root->installEventFilter(this);
    for (QWidget* Child : Root->findChildren<QWidget*>())
        Child->installEventFilter(this);
}

bool Category_Group::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() != QEvent::Wheel)
        return QScrollArea::eventFilter(Watched, Event);
    auto* Wheel = static_cast<QWheelEvent*>(Event);
    const QPoint Local = viewport()->mapFromGlobal(Wheel->globalPosition().toPoint());
    if (!viewport()->rect().contains(Local))
        return false;
    const auto Action = Wheel->angleDelta().y() > 0 ? QAbstractSlider::SliderSingleStepSub
                                                    : QAbstractSlider::SliderSingleStepAdd;
    for (int Line = 0; Line < QApplication::wheelScrollLines(); ++Line)
        verticalScrollBar()->triggerAction(Action);
    Wheel->accept();
    return true;
}

} // namespace vo
