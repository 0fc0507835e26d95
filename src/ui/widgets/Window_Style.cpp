#include "Window_Style.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace vo {

void Apply_Window_Style(QWidget* Window) {
    QPalette Palette = Window->palette();
    Palette.setColor(QPalette::Window, QColor(248, 247, 237));
    Window->setPalette(Palette);
    Window->setAutoFillBackground(true);
    QFont Font(QStringLiteral("Verdana"));
    Font.setPixelSize(11);
    Window->setFont(Font);
}

void Style_Grey_Label(QLabel* Label, bool Bold, int Pixel_Size) {
    QPalette Palette = Label->palette();
    Palette.setColor(QPalette::WindowText, QColor(96, 96, 96));
    Label->setPalette(Palette);
    QFont Font = Label->font();
    Font.setBold(Bold);
    if (Pixel_Size > 0)
        Font.setPixelSize(Pixel_Size);
    Label->setFont(Font);
}

void Set_Caption(QLabel* Label, const QString& Text) {
    Label->setText(Text);
    Label->adjustSize();
}

} // namespace vo
