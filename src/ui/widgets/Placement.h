#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace vo {

// The windows place their elements by position, as laid out; these make one such element.
QLabel* Place_Label(QWidget* Parent, const QString& Name, int Left, int Top, const QString& Text = {});
// A push button that never takes Enter for itself: Enter belongs to the window's own rule.
QPushButton* Place_Button(QWidget* Parent, const QString& Name, QRect Geometry);

// The layout of a window made of full-width bands stacked from the top, without margins or gaps.
QVBoxLayout* Band_Layout(QWidget* Window);

} // namespace vo
