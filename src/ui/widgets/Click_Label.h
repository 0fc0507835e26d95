#pragma once

#include <QLabel>

namespace vo {

// A label that reacts to a click, with a hand cursor: web addresses, logos, flag pictures.
class Click_Label final : public QLabel {
    Q_OBJECT
public:
    Click_Label(const QString& Object_Name, QWidget* Parent);

Q_SIGNALS:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
};

} // namespace vo
