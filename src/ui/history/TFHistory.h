#pragma once

#include "history/Snapshot.h"
#include "util/Result.h"
#include "widgets/Modal_Dialog.h"

#include <functional>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QTreeView;

namespace vo {

struct Shared_State;
struct Services;
struct Par_Gen;
class History_Model;
class TFCommissioning;

// The update history of the open configuration: the current configuration, then its records newest
// first, in words; the details of the selected one with what changed since the record before it; the
// comparison of two ticked records, or of the selected one with the current parameters; the restore
// of a record's parameters, the commissioning data and the commissioning report.
class TFHistory final : public Modal_Dialog {
    Q_OBJECT
public:
    TFHistory(Shared_State& App_State, const Services& App_Services, QWidget* Parent);
    void Set_Lang();

    // Where the report goes, or "" to write none; asks the user unless a test answers. Default: the
    // configuration's folder and name with the date.
    std::function<QString(const QString& Default)> Ask_Report_Path;

    QTreeView* Record_List() const { return LV_Records; }
    History_Model* Records() const { return Model; }
    QPlainTextEdit* Result_Text() const { return M_Result; }
    TFCommissioning* Commissioning_Dialog() const { return F_Commissioning; }

    // "Plant 1-20261211.pdf" in the configuration's folder.
    QString Default_Report_Path() const;

protected:
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Reload();
    void Selection_Changed();
    void Update_Buttons();
    int Selected_Row() const;
    // The parameters of a history line's snapshot, or the current ones for -1.
    Result<Par_Gen> Load(qsizetype Line) const;
    QString Row_Name(qsizetype Line) const;
    QString Record_Details(int Row) const;
    // The changes from the older line's parameters to the newer's, one indented line each.
    Result<QString> Changes_Text(qsizetype Older, qsizetype Newer) const;
    void Compare();
    void Restore();
    void Save_Report();
    void Edit_Commissioning();

    Shared_State& State;
    const Services& Svc;
    History_Model* Model = nullptr;
    Snapshot_Check Selected_Snapshot; // of the selected record
    TFCommissioning* F_Commissioning = nullptr;
    QTreeView* LV_Records = nullptr;
    QPlainTextEdit* M_Result = nullptr;
    QPushButton* Btn_Compare = nullptr;
    QPushButton* Btn_Restore = nullptr;
    QPushButton* Btn_Report = nullptr;
    QCheckBox* CB_Open_Report = nullptr;
    QPushButton* Btn_Commissioning = nullptr;
    QPushButton* Btn_Close = nullptr;
};

} // namespace vo
