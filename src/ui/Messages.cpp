#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace vo {

namespace {

QWidget* Owner() {
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

} // namespace

void Box_Messages::Error(const QString& Text) {
    QMessageBox::critical(Owner(), Title, Text);
}

void Box_Messages::Warning(const QString& Text) {
    QMessageBox::warning(Owner(), Title, Text);
}

void Box_Messages::Information(const QString& Text) {
    QMessageBox::information(Owner(), Title, Text);
}

bool Box_Messages::Confirm(const QString& Text) {
    return QMessageBox::question(Owner(), Title, Text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace vo
