#pragma once

#include <QPushButton>

namespace vo {

// A push button with an icon beside its caption, or an icon alone when the caption is empty.
class Icon_Button final : public QPushButton {
    Q_OBJECT
public:
    Icon_Button(const QIcon& Icon, const QString& Object_Name, QWidget* Parent);
};

} // namespace vo
