#pragma once

#include <QLabel>

namespace vo {

struct Shared_State;

// What an update would change against the configuration's last successful update, in the words
// of the parameter dialog, shown before the user starts it.
class Change_Summary_View final : public QLabel {
    Q_OBJECT
public:
    explicit Change_Summary_View(QWidget* Parent);
    // Reads the history and the current parameters of the open configuration again.
    void Refresh(const Shared_State& State);
};

} // namespace vo
