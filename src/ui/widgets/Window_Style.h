#pragma once

class QWidget;
class QLabel;
class QString;

namespace vo {

// The look every window shares: the warm paper background and Verdana 11 pixels.
void Apply_Window_Style(QWidget* Window);

// Grey label text; Pixel_Size 0 keeps the window's size.
void Style_Grey_Label(QLabel* Label, bool Bold, int Pixel_Size = 0);

// Sets a label placed by position and lets it take the size of its new text.
void Set_Caption(QLabel* Label, const QString& Text);

} // namespace vo
