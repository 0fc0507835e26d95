#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace vo {

// The windows place their elements by position, as laid out; these make one such element.
QLabel* Place_Label(QWidget* Parent, const QString& Name, int Left, int Top, const QString& Text = {});
// A push button that Return or Enter presses while it has the focus.
QPushButton* Place_Button(QWidget* Parent, const QString& Name, QRect Geometry);

// Tab moves through Order from first to last and back from the first to the last.
void Chain_Tab_Order(const QList<QWidget*>& Order);

// The layout of a window made of full-width bands stacked from the top, without margins or gaps.
QVBoxLayout* Band_Layout(QWidget* Window);

} // namespace vo
