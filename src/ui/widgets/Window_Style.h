#pragma once

#include <QString>

class QWidget;
class QLabel;

namespace vo {

// The look every window shares: the warm paper background and Verdana 11 pixels.
void Apply_Window_Style(QWidget* Window);

// Grey label text; Pixel_Size 0 keeps the window's size.
void Style_Grey_Label(QLabel* Label, bool Bold, int Pixel_Size = 0);

// Sets a label placed by position and lets it take the size of its new text.
void Set_Caption(QLabel* Label, const QString& Text);

// As Set_Caption, but a text wider than Max_Width is cut short with "…" and shown whole in the
// hint. With Link set the label shows a link to it.
void Set_Caption_Within(QLabel* Label, const QString& Text, int Max_Width, const QString& Link = {});

} // namespace vo
