#pragma once

#include "history/History_File.h"
#include "util/Result.h"
#include "widgets/Modal_Dialog.h"

#include <functional>

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace vo {

struct Shared_State;
struct Services;
struct Par_Gen;

// The update history of the open configuration: its records, newest first, below the current
// configuration; the differences between any two of them, the restore of a record's parameters
// and the commissioning report.
class TFHistory final : public Modal_Dialog {
    Q_OBJECT
public:
    TFHistory(Shared_State& App_State, const Services& App_Services, QWidget* Parent);
    void Set_Lang();

    // Where the report goes, or "" to write none; asks the user unless a test answers.
    std::function<QString()> Ask_Report_Path;

    QTreeWidget* Record_List() const { return LV_Records; }
    QPlainTextEdit* Result_Text() const { return M_Result; }

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Reload();
    void Selection_Changed();
    // The record's id behind an entry; "" for the current configuration.
    QStringList Selected_Ids() const;
    Result<Par_Gen> Load(const QString& Id) const;
    void Compare();
    void Restore();
    void Save_Report();

    Shared_State& State;
    const Services& Svc;
    History Read;
    QTreeWidget* LV_Records = nullptr;
    QPlainTextEdit* M_Result = nullptr;
    QPushButton* Btn_Compare = nullptr;
    QPushButton* Btn_Restore = nullptr;
    QPushButton* Btn_Report = nullptr;
    QPushButton* Btn_Close = nullptr;
};

} // namespace vo
