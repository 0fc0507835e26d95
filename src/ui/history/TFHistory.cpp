#include "TFHistory.h"

#include "Commissioning_Report.h"
#include "Messages.h"
#include "Services.h"
#include "history/Built_Images.h"
#include "history/Config_Diff.h"
#include "history/Restore.h"
#include "params/Par_Gen_File.h"
#include "shell/Shared_State.h"
#include "widgets/Placement.h"
#include "widgets/Window_Style.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace vo {

namespace {

// Message ids of the window.
constexpr int Msg_Title = 70;
constexpr int Msg_Compare = 72;
constexpr int Msg_Restore = 73;
constexpr int Msg_Report = 74;
constexpr int Msg_Close = 75;
constexpr int Msg_Current = 76;
constexpr int Msg_Equal = 77;
constexpr int Msg_Confirm_Restore = 78;
constexpr int Msg_Problems = 80;
constexpr int Msg_Snapshot = 94;

constexpr int Width = 720;
constexpr int Height = 480;

} // namespace

TFHistory::TFHistory(Shared_State& App_State, const Services& App_Services, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), Svc(App_Services) {
    setObjectName(QStringLiteral("TFHistory"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    Apply_Window_Style(this);
    setFixedSize(Width, Height);
    LV_Records = new QTreeWidget(this);
    LV_Records->setObjectName(QStringLiteral("LV_Records"));
    LV_Records->setGeometry(12, 12, Width - 24, 250);
    LV_Records->setColumnCount(4);
    LV_Records->setRootIsDecorated(false);
    LV_Records->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LV_Records->header()->setStretchLastSection(true);
    M_Result = new QPlainTextEdit(this);
    M_Result->setObjectName(QStringLiteral("M_Result"));
    M_Result->setReadOnly(true);
    M_Result->setGeometry(12, 270, Width - 24, 156);
    Btn_Compare = Place_Button(this, QStringLiteral("Btn_Compare"), {12, 438, 130, 30});
    Btn_Restore = Place_Button(this, QStringLiteral("Btn_Restore"), {148, 438, 130, 30});
    Btn_Report = Place_Button(this, QStringLiteral("Btn_Report"), {284, 438, 130, 30});
    Btn_Close = Place_Button(this, QStringLiteral("Btn_Close"), {Width - 142, 438, 130, 30});
    connect(LV_Records, &QTreeWidget::itemSelectionChanged, this, &TFHistory::Selection_Changed);
    connect(Btn_Compare, &QPushButton::clicked, this, &TFHistory::Compare);
    connect(Btn_Restore, &QPushButton::clicked, this, &TFHistory::Restore);
    connect(Btn_Report, &QPushButton::clicked, this, &TFHistory::Save_Report);
    connect(Btn_Close, &QPushButton::clicked, this, [this] { done(Modal_Cancel); });
    Ask_Report_Path = [this] {
        return QFileDialog::getSaveFileName(this, this->State.Text(Msg_Report), QString(),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    Set_Lang();
}

void TFHistory::Set_Lang() {
    setWindowTitle(State.Text(Msg_Title) +
                   (State.Project_Name.isEmpty() ? QString() : QStringLiteral(" - ") + State.Project_Name));
    LV_Records->setHeaderLabels({State.Text(Msg_Snapshot), State.Text(Msg_Record_Time),
                                 State.Text(Msg_Record_Target), State.Text(Msg_Record_Outcome)});
    Btn_Compare->setText(State.Text(Msg_Compare));
    Btn_Restore->setText(State.Text(Msg_Restore));
    Btn_Report->setText(State.Text(Msg_Report));
    Btn_Close->setText(State.Text(Msg_Close));
}

void TFHistory::showEvent(QShowEvent* Event) {
    Set_Lang();
    Reload();
    Modal_Dialog::showEvent(Event);
}

void TFHistory::Reload() {
    Read = Read_History(State.Project_Path);
    LV_Records->clear();
    M_Result->clear();
    auto* Current = new QTreeWidgetItem(LV_Records, {State.Text(Msg_Current)});
    Current->setData(0, Qt::UserRole, QString());
    // The images in bin/ were built from other parameters (a restore of old, a hand edit): said
    // beside the current configuration rather than left to the checksums.
    QStringList Problems;
    if (const Result<Config_Files> Files = Read_Config_Files(State.Project_Path, false);
        Files && Images_Differ(Compare_Built_Images(State.ParGen_File, *Files))) {
        Current->setText(3, State.Text(Msg_Images_Not_Of_Parameters));
        Current->setToolTip(3, Current->text(3));
        Problems.append(State.Text(Msg_Images_Not_Of_Parameters));
    }
    for (auto It = Read.Records.crbegin(); It != Read.Records.crend(); ++It) {
        const Snapshot_Check Check = Check_Snapshot(State.Project_Path, *It);
        QString Outcome = Outcome_Words(*It, State);
        if (Check.State != Snapshot_State::Intact)
            Outcome += QStringLiteral(" [%1 %2]")
                           .arg(State_Name(Check.State), Check.Detail)
                           .replace(QStringLiteral(" ]"), QStringLiteral("]"));
        auto* Item = new QTreeWidgetItem(LV_Records, {It->Id, It->Time, It->Target, Outcome});
        Item->setData(0, Qt::UserRole, It->Id);
    }
    for (int Column = 0; Column < 3; ++Column)
        LV_Records->resizeColumnToContents(Column);
    if (!Read.Error_Text.isEmpty())
        Problems.append(Read.Error_Text);
    for (const History_Problem& Problem : Read.Problems)
        Problems.append(QStringLiteral("%1: %2").arg(Problem.Line).arg(Problem.Reason));
    if (!Problems.isEmpty())
        M_Result->setPlainText(State.Text(Msg_Problems) + u'\n' + Problems.join(u'\n'));
    Selection_Changed();
}

QStringList TFHistory::Selected_Ids() const {
    // In list order, newest first.
    QStringList Ids;
    for (int Row = 0; Row < LV_Records->topLevelItemCount(); ++Row)
        if (const QTreeWidgetItem* Item = LV_Records->topLevelItem(Row); Item->isSelected())
            Ids.append(Item->data(0, Qt::UserRole).toString());
    return Ids;
}

void TFHistory::Selection_Changed() {
    const QStringList Ids = Selected_Ids();
    Btn_Compare->setEnabled(Ids.size() == 2);
    Btn_Restore->setEnabled(Ids.size() == 1 && !Ids.first().isEmpty());
}

Result<Par_Gen> TFHistory::Load(const QString& Id) const {
    Par_Gen Set;
    Snapshot_Check Check;
    const Status Loaded = Id.isEmpty()
                              ? Load_Par_Gen(State.ParGen_File, Set)
                              : Load_Snapshot_Par_Gen(State.Project_Path, *Read.Find(Id), Set, Check);
    if (!Loaded)
        return Failure(Loaded.Error());
    return Set;
}

void TFHistory::Compare() {
    const QStringList Ids = Selected_Ids();
    if (Ids.size() != 2)
        return;
    // The older entry (lower in the list) is the one changed from.
    const Result<Par_Gen> Older = Load(Ids[1]);
    const Result<Par_Gen> Newer = Older ? Load(Ids[0]) : Older;
    if (!Newer) {
        M_Result->setPlainText(Newer.Error());
        return;
    }
    QStringList Lines;
    for (const Diff_Line& Line : Diff_Par_Gen(*Older, *Newer, State))
        Lines.append(Diff_Text(Line));
    M_Result->setPlainText(Lines.isEmpty() ? State.Text(Msg_Equal) : Lines.join(u'\n'));
}

void TFHistory::Restore() {
    const QStringList Ids = Selected_Ids();
    if (Ids.size() != 1 || Ids.first().isEmpty() || !Svc.Msgs.Confirm(State.Text(Msg_Confirm_Restore)))
        return;
    if (const Result<QString> Restored = Restore_Snapshot(State.Project_Path, State.ParGen_File, Ids.first());
        !Restored) {
        Svc.Msgs.Error(State.Text(Msg_Restore_Failed) + Restored.Error());
        return;
    }
    Reload();
}

void TFHistory::Save_Report() {
    const QString Path = Ask_Report_Path();
    if (Path.isEmpty())
        return;
    if (const Status Written = Write_Report(State, Path); !Written)
        Svc.Msgs.Error(State.Text(Msg_Report_Not_Written) + Written.Error());
}

} // namespace vo
