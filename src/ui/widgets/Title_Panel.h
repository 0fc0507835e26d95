#pragma once

#include <QWidget>

class QLabel;

namespace vo {

// The band at the top of each dialog: the software code in large type and a description.
class Title_Panel final : public QWidget {
    Q_OBJECT
public:
    Title_Panel(const QString& Software_Code, QWidget* Parent);
    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
};

} // namespace vo
