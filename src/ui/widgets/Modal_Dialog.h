#pragma once

#include <QDialog>

namespace vo {

// Modal results as every caller reads them.
inline constexpr int Modal_Ok = 1;
inline constexpr int Modal_Cancel = 2;

// A dialog created once and shown modally many times; closing it any way but OK is Cancel.
class Modal_Dialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    void reject() override { done(Modal_Cancel); }
};

} // namespace vo
