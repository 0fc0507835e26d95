#pragma once

#include <QDialog>

namespace vo {

// Modal results as every caller reads them: Qt's own, so that a dialog closed by OK emits
// accepted() and one closed any other way emits rejected().
inline constexpr int Modal_Ok = QDialog::Accepted;
inline constexpr int Modal_Cancel = QDialog::Rejected;

// A dialog created once and shown modally many times; closing it any way but OK is Cancel.
class Modal_Dialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
};

} // namespace vo
