#pragma once

#include <QWidget>

class QToolButton;

namespace vo {

// A captioned panel whose content can be folded away by a click on its header. The rows of the
// content are placed by position; the owner sets the content height from its lowest shown input.
class Category_Panel final : public QWidget {
    Q_OBJECT
public:
    Category_Panel(const QString& Object_Name, QWidget* Parent);

    void Set_Caption(const QString& Caption);
    QString Caption() const;
    QWidget* Content() const { return Body; }
    // The header folds the panel on a click or the space key; it takes the focus in tab order.
    QToolButton* Header_Button() const { return Header; }
    int Header_Height() const;
    // Height of the panel: header + Content_Height, or the header alone while folded.
    void Set_Content_Height(int Content_Height);
    void Set_Collapsed(bool Collapsed);
    bool Collapsed() const;

private:
    void Update_Height();

    QToolButton* Header;
    QWidget* Body;
    int Body_Height = 0;
};

} // namespace vo
