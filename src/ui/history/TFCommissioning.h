#pragma once

#include "widgets/Modal_Dialog.h"

#include <QList>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vo {

struct Shared_State;
struct Services;

// The commissioning data of the open configuration (customer, site, plant tag, serial number,
// technician, notes): read when shown, saved under the configuration's lock on OK.
class TFCommissioning final : public Modal_Dialog {
    Q_OBJECT
public:
    TFCommissioning(const Shared_State& App_State, const Services& App_Services, QWidget* Parent);

    // Reads the data into the fields; false (and the reason shown) when it cannot be read.
    bool Load();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Save();
    QStringList Typed_Texts() const;

    const Shared_State& State;
    const Services& Svc;
    QList<QLineEdit*> Lines;  // the one-line fields, in their order
    QStringList Loaded_Texts; // every field as Load found it
    QPlainTextEdit* M_Notes = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
};

} // namespace vo
