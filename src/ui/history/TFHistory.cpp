#include "TFHistory.h"

#include "Commissioning_Report.h"
#include "History_Model.h"
#include "Messages.h"
#include "Services.h"
#include "TFCommissioning.h"
#include "Url_Opener.h"
#include "history/Built_Images.h"
#include "history/Config_Diff.h"
#include "history/Record_Words.h"
#include "history/Restore.h"
#include "params/Par_Gen_File.h"
#include "shell/Shared_State.h"
#include "util/Path_Join.h"
#include "widgets/Placement.h"
#include "widgets/Window_Style.h"

#include <QCheckBox>
#include <QDate>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QUrl>

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
constexpr int Msg_Commissioning = 1150;
constexpr int Msg_Option = 1171;
constexpr int Msg_Duration = 1172;
constexpr int Msg_Compare_Hint = 1181;
constexpr int Msg_Changes_Since = 1182;
constexpr int Msg_No_Changes_Since = 1183;
constexpr int Msg_Adapter = 1184;
constexpr int Msg_Open_Report = 1185;
constexpr int Msg_Compared_With = 1186;
constexpr int Msg_Not_Opened = 1187;
constexpr int Msg_User = 1188;
constexpr int Msg_Commissioning_Hint = 1190;

constexpr int Width = 1000;
constexpr int Height = 600;

QString Label(const Shared_State& State, int Id) {
    return State.Text(Id).trimmed() + QStringLiteral(": ");
}

} // namespace

TFHistory::TFHistory(Shared_State& App_State, const Services& App_Services, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), Svc(App_Services) {
    setObjectName(QStringLiteral("TFHistory"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    Apply_Window_Style(this);
    setFixedSize(Width, Height);
    Model = new History_Model(State, this);
    LV_Records = new QTreeView(this);
    LV_Records->setObjectName(QStringLiteral("LV_Records"));
    LV_Records->setGeometry(12, 12, Width - 24, 300);
    LV_Records->setModel(Model);
    LV_Records->setRootIsDecorated(false);
    LV_Records->setUniformRowHeights(true);
    LV_Records->setAllColumnsShowFocus(true);
    LV_Records->setSelectionMode(QAbstractItemView::SingleSelection);
    LV_Records->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV_Records->header()->setStretchLastSection(true);
    LV_Records->installEventFilter(this);
    M_Result = new QPlainTextEdit(this);
    M_Result->setObjectName(QStringLiteral("M_Result"));
    M_Result->setReadOnly(true);
    M_Result->setTabChangesFocus(true);
    M_Result->setGeometry(12, 320, Width - 24, Height - 320 - 54);
    const int Button_Top = Height - 42;
    Btn_Compare = Place_Button(this, QStringLiteral("Btn_Compare"), {12, Button_Top, 120, 30});
    Btn_Restore = Place_Button(this, QStringLiteral("Btn_Restore"), {138, Button_Top, 120, 30});
    Btn_Report = Place_Button(this, QStringLiteral("Btn_Report"), {264, Button_Top, 120, 30});
    CB_Open_Report = new QCheckBox(this);
    CB_Open_Report->setObjectName(QStringLiteral("CB_Open_Report"));
    CB_Open_Report->setGeometry(392, Button_Top, 230, 30);
    Btn_Commissioning =
        Place_Button(this, QStringLiteral("Btn_Commissioning"), {Width - 282, Button_Top, 160, 30});
    Btn_Close = Place_Button(this, QStringLiteral("Btn_Close"), {Width - 112, Button_Top, 100, 30});
    setTabOrder(LV_Records, M_Result);
    Chain_Tab_Order(
        {M_Result, Btn_Compare, Btn_Restore, Btn_Report, CB_Open_Report, Btn_Commissioning, Btn_Close});
    F_Commissioning = new TFCommissioning(State, Svc, this);
    connect(LV_Records->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFHistory::Selection_Changed);
    // A tick changes what Compare compares: the text below goes back to the selection's details.
    connect(Model, &QAbstractItemModel::dataChanged, this, &TFHistory::Selection_Changed);
    connect(Btn_Compare, &QPushButton::clicked, this, &TFHistory::Compare);
    connect(Btn_Restore, &QPushButton::clicked, this, &TFHistory::Restore);
    connect(Btn_Report, &QPushButton::clicked, this, &TFHistory::Save_Report);
    connect(Btn_Commissioning, &QPushButton::clicked, this, &TFHistory::Edit_Commissioning);
    connect(Btn_Close, &QPushButton::clicked, this, [this] { done(Modal_Cancel); });
    Ask_Report_Path = [this](const QString& Default) {
        return QFileDialog::getSaveFileName(this, this->State.Text(Msg_Report), Default,
                                            QStringLiteral("PDF (*.pdf)"));
    };
    Set_Lang();
}

void TFHistory::Set_Lang() {
    setWindowTitle(State.Text(Msg_Title) +
                   (State.Project_Name.isEmpty() ? QString() : QStringLiteral(" - ") + State.Project_Name));
    Btn_Compare->setText(State.Text(Msg_Compare));
    Btn_Compare->setToolTip(State.Text(Msg_Compare_Hint));
    LV_Records->setToolTip(State.Text(Msg_Compare_Hint));
    Btn_Restore->setText(State.Text(Msg_Restore));
    Btn_Report->setText(State.Text(Msg_Report));
    CB_Open_Report->setText(State.Text(Msg_Open_Report));
    Btn_Commissioning->setText(State.Text(Msg_Commissioning));
    Btn_Commissioning->setToolTip(State.Text(Msg_Commissioning_Hint));
    Btn_Close->setText(State.Text(Msg_Close));
}

void TFHistory::showEvent(QShowEvent* Event) {
    Set_Lang();
    Reload();
    Modal_Dialog::showEvent(Event);
    LV_Records->setFocus();
}

bool TFHistory::eventFilter(QObject* Watched, QEvent* Event) {
    // Tab wrapping round to the list keeps the chosen row in sight.
    if (Watched == LV_Records && Event->type() == QEvent::FocusIn)
        LV_Records->scrollTo(LV_Records->currentIndex());
    return Modal_Dialog::eventFilter(Watched, Event);
}

void TFHistory::Reload() {
    // The images in bin were built from other parameters (a restore of old, a hand edit): said beside
    // the current configuration rather than left to the checksums.
    QString Images_Problem;
    if (const Result<Config_Files> Files = Read_Config_Files(State.Project_Path, false);
        Files && Images_Differ(Compare_Built_Images(State.ParGen_File, *Files)))
        Images_Problem = State.Text(Msg_Images_Not_Of_Parameters);
    Model->Reload(Images_Problem);
    // Widths of their own, never fitted to the rows, which would read every record of a long history;
    // a heading longer in this language widens its column.
    const int Widths[History_Model::Column_Count] = {64, 150, 130, 95, 140, 150, 60, 100};
    const QFontMetrics Metrics(LV_Records->header()->font());
    for (int Column = 0; Column < History_Model::Column_Count; ++Column)
        LV_Records->setColumnWidth(
            Column, std::max(Widths[Column],
                             Metrics.horizontalAdvance(
                                 Model->headerData(Column, Qt::Horizontal, Qt::DisplayRole).toString()) +
                                 16));
    // The check box's column is the current one, so that Space ticks a record.
    LV_Records->setCurrentIndex(Model->index(0, History_Model::Compare_Column));
    Selection_Changed();
}

int TFHistory::Selected_Row() const {
    const QModelIndexList Rows = LV_Records->selectionModel()->selectedRows();
    return Rows.isEmpty() ? -1 : Rows.first().row();
}

void TFHistory::Update_Buttons() {
    const bool Record = Model->Record(Selected_Row()) != nullptr;
    Btn_Compare->setEnabled(Model->Ticked().size() == 2 || Record);
    // A snapshot without its parameters cannot be restored: said in the details, not after a question.
    Btn_Restore->setEnabled(Record && Selected_Snapshot.State != Snapshot_State::Removed &&
                            Selected_Snapshot.State != Snapshot_State::Missing_Files);
}

void TFHistory::Selection_Changed() {
    const int Row = Selected_Row();
    const Update_Record* Record = Model->Record(Row);
    Selected_Snapshot = Record ? Check_Snapshot(State.Project_Path, *Record) : Snapshot_Check{};
    Update_Buttons();
    M_Result->setPlainText(Row < 0 ? QString() : Record_Details(Row));
}

Result<Par_Gen> TFHistory::Load(qsizetype Line) const {
    Par_Gen Set;
    Snapshot_Check Check;
    const Update_Record* Record = Line < 0 ? nullptr : Model->Record(Model->Row_Of(Line));
    if (Line >= 0 && !Record)
        return Failure(Model->Problem(Model->Row_Of(Line)));
    const Status Loaded = Record ? Load_Snapshot_Par_Gen(State.Project_Path, *Record, Set, Check)
                                 : Load_Par_Gen(State.ParGen_File, Set);
    if (!Loaded)
        return Failure(Loaded.Error());
    return Set;
}

QString TFHistory::Row_Name(qsizetype Line) const {
    const Update_Record* Record = Line < 0 ? nullptr : Model->Record(Model->Row_Of(Line));
    if (!Record)
        return State.Text(Msg_Current).trimmed();
    return Kind_Words(*Record, State) + u' ' + Local_Time_Text(Record->Time);
}

Result<QString> TFHistory::Changes_Text(qsizetype Older, qsizetype Newer) const {
    const Result<Par_Gen> Before = Load(Older);
    const Result<Par_Gen> After = Before ? Load(Newer) : Before;
    if (!After)
        return Failure(After.Error());
    const QList<Diff_Line> Lines = Diff_Par_Gen(*Before, *After, State);
    QStringList Text;
    for (const Diff_Line& Line : Lines)
        Text.append(QStringLiteral("  ") + Diff_Text(Line));
    return Text.join(u'\n');
}

QString TFHistory::Record_Details(int Row) const {
    const qsizetype Line = Model->Line_Of(Row);
    QStringList Text;
    const Update_Record* R = Model->Record(Row);
    if (Row > 0 && !R)
        return Model->Problem(Row);
    Text.append(Row_Name(Line));
    if (R) {
        Text.append(QStringLiteral("%1, %2")
                        .arg(Result_Words(*R, State), Detail_Words(*R, State))
                        .remove(QRegularExpression(QStringLiteral("^, |, $"))));
        Text.append(Label(State, Msg_Record_Target) + R->Target);
        if (const QString Adapter = Adapter_Words(R->Adapter); !Adapter.isEmpty())
            Text.append(Label(State, Msg_Adapter) + Adapter);
        if (const QString Option = Option_Words(*R, State); !Option.isEmpty())
            Text.append(Label(State, Msg_Option) + Option);
        if (const QString Duration = Duration_Words(*R); !Duration.isEmpty())
            Text.append(Label(State, Msg_Duration) + Duration);
        Text.append(Label(State, Msg_User) +
                    QStringLiteral("%1@%2, %3").arg(R->User, R->Host, R->Program_Version));
        Text.append(Label(State, Msg_Snapshot) + R->Id + QStringLiteral(" (") +
                    QStringLiteral("%1 %2")
                        .arg(State_Name(Selected_Snapshot.State), Selected_Snapshot.Detail)
                        .trimmed() +
                    u')');
        Text.append(QStringLiteral("SHA-256: ParGen.xml %1\n         bank.bin   %2\n         bankK.bin  %3")
                        .arg(R->Sums.ParGen, R->Sums.Bank, R->Sums.BankK));
    } else {
        const QString& Problem =
            Model->data(Model->index(0, History_Model::Outcome_Column), Qt::DisplayRole).toString();
        if (!Problem.isEmpty())
            Text.append(Problem);
        QStringList Problems;
        if (!Model->Index().Error_Text.isEmpty())
            Problems.append(Model->Index().Error_Text);
        if (!Problems.isEmpty())
            Text.append(State.Text(Msg_Problems) + Problems.join(u'\n'));
    }
    // The record before this one in the file (the newest for the current configuration).
    qsizetype Before = (Line < 0 ? Model->Index().Count() : Line) - 1;
    while (Before >= 0 && !Model->Record(Model->Row_Of(Before)))
        --Before;
    if (Before >= 0) {
        const Result<QString> Changes = Changes_Text(Before, Line);
        if (!Changes)
            Text.append(Changes.Error());
        else
            Text.append(Changes->isEmpty() ? State.Text(Msg_No_Changes_Since).trimmed()
                                           : State.Text(Msg_Changes_Since).trimmed() + u'\n' + *Changes);
    }
    return Text.join(u'\n');
}

void TFHistory::Compare() {
    const QList<qsizetype> Ticked = Model->Ticked();
    qsizetype Older = -1;
    qsizetype Newer = -1;
    if (Ticked.size() == 2) {
        Older = std::min(Ticked[0], Ticked[1]);
        Newer = std::max(Ticked[0], Ticked[1]);
    } else if (const int Row = Selected_Row(); Model->Record(Row)) {
        Older = Model->Line_Of(Row);
    } else {
        return;
    }
    const Result<QString> Changes = Changes_Text(Older, Newer);
    const QString Heading = State.Text(Msg_Compared_With).trimmed().arg(Row_Name(Newer), Row_Name(Older));
    if (!Changes)
        M_Result->setPlainText(Heading + u'\n' + Changes.Error());
    else
        M_Result->setPlainText(
            Heading + u'\n' +
            (Changes->isEmpty() ? QStringLiteral("  ") + State.Text(Msg_Equal).trimmed() : *Changes));
}

void TFHistory::Restore() {
    const Update_Record* Record = Model->Record(Selected_Row());
    if (!Record || !Svc.Msgs.Confirm(State.Text(Msg_Confirm_Restore)))
        return;
    if (const Result<QString> Restored = Restore_Snapshot(State.Project_Path, State.ParGen_File, Record->Id);
        !Restored) {
        Svc.Msgs.Error(State.Text(Msg_Restore_Failed) + Restored.Error());
        return;
    }
    Reload();
}

QString TFHistory::Default_Report_Path() const {
    return Join_Path(State.Project_Path, State.Project_Name + u'-' +
                                             QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                                             QStringLiteral(".pdf"));
}

void TFHistory::Save_Report() {
    QString Path = Ask_Report_Path(Default_Report_Path());
    if (Path.isEmpty())
        return;
    if (!Path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        Path += QStringLiteral(".pdf");
    if (const Status Written = Write_Report(State, Path); !Written) {
        Svc.Msgs.Error(State.Text(Msg_Report_Not_Written) + Written.Error());
        return;
    }
    if (CB_Open_Report->isChecked() && !Svc.Urls.Open_Url(QUrl::fromLocalFile(Path).toString()))
        Svc.Msgs.Error(State.Text(Msg_Not_Opened) + Path);
}

void TFHistory::Edit_Commissioning() {
    if (F_Commissioning->Load())
        F_Commissioning->exec();
}

} // namespace vo
