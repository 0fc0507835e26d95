#pragma once

#include <QLabel>

namespace vo {

// A label that reacts to a click, with a hand cursor: web addresses, logos, flag pictures. One
// that takes the focus (the default) reacts to Return, Enter and Space as to a click, and shows
// a focus frame.
class Click_Label final : public QLabel {
    Q_OBJECT
public:
    Click_Label(const QString& Object_Name, QWidget* Parent);

Q_SIGNALS:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
};

} // namespace vo
