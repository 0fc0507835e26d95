#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace vo {

namespace {

QWidget* Owner() {
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

// A path in a message wraps as a whole word, never at its separators: each is joined to what
// follows by an invisible word joiner.
QString Whole_Paths(const QString& Text) {
    QString Shown = Text;
    for (const QChar Separator : {u'/', u'\\'})
        Shown.replace(Separator, QString(Separator) + QChar(0x2060));
    return Shown;
}

// The box with the text as plain text: a record id, a file name or a process name that looks like
// markup is shown as it is, never rendered.
QMessageBox::StandardButton Show_Box(QMessageBox::Icon Icon, const QString& Title, const QString& Text,
                                     QMessageBox::StandardButtons Buttons) {
    QMessageBox Box(Icon, Title, Whole_Paths(Text), Buttons, Owner());
    Box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(Box.exec());
}

} // namespace

void Box_Messages::Error(const QString& Text) {
    Show_Box(QMessageBox::Critical, Title, Text, QMessageBox::Ok);
}

void Box_Messages::Warning(const QString& Text) {
    Show_Box(QMessageBox::Warning, Title, Text, QMessageBox::Ok);
}

void Box_Messages::Information(const QString& Text) {
    Show_Box(QMessageBox::Information, Title, Text, QMessageBox::Ok);
}

bool Box_Messages::Confirm(const QString& Text) {
    return Show_Box(QMessageBox::Question, Title, Text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace vo
