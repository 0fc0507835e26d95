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

void Set_Caption_Within(QLabel* Label, const QString& Text, int Max_Width, const QString& Link) {
    const QString Shown = Label->fontMetrics().elidedText(Text, Qt::ElideRight, Max_Width);
    Label->setToolTip(Shown == Text ? QString() : Text);
    if (Link.isEmpty())
        Set_Caption(Label, Shown);
    else
        Set_Caption(Label,
                    QStringLiteral("<a href=\"%1\">%2</a>").arg(Link.toHtmlEscaped(), Shown.toHtmlEscaped()));
    if (Label->width() > Max_Width)
        Label->resize(Max_Width, Label->height());
}

} // namespace vo
