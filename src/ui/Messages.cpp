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

} // namespace

void Box_Messages::Error(const QString& Text) {
    QMessageBox::critical(Owner(), Title, Whole_Paths(Text));
}

void Box_Messages::Warning(const QString& Text) {
    QMessageBox::warning(Owner(), Title, Whole_Paths(Text));
}

void Box_Messages::Information(const QString& Text) {
    QMessageBox::information(Owner(), Title, Whole_Paths(Text));
}

bool Box_Messages::Confirm(const QString& Text) {
    return QMessageBox::question(Owner(), Title, Whole_Paths(Text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace vo
