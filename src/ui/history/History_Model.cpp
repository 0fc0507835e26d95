#include "History_Model.h"

#include "history/Record_Words.h"
#include "shell/Shared_State.h"

#include <QTextDocument>
#include <algorithm>

namespace vo {

namespace {

// Message ids of the headings.
constexpr int Msg_Compare = 72;
constexpr int Msg_Current = 76;
constexpr int Msg_Kind = 1170;
constexpr int Msg_Option = 1171;
constexpr int Msg_Duration = 1172;
constexpr int Msg_Link_Test = 1100;
constexpr int Msg_Compare_Hint = 1181;

} // namespace

History_Model::History_Model(const Shared_State& App_State, QObject* Parent)
    : QAbstractTableModel(Parent), State(App_State) {}

void History_Model::Reload(const QString& Images_Problem) {
    beginResetModel();
    Lines = History_Index::Scan(State.Project_Path);
    Current_Problem = Images_Problem;
    Ticked_Lines.clear();
    Rows.clear();
    endResetModel();
}

int History_Model::rowCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : static_cast<int>(Lines.Count() + 1);
}

int History_Model::columnCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : Column_Count;
}

const History_Model::Row_Data& History_Model::Row_At(int Row) const {
    const qsizetype Line = Line_Of(Row);
    if (Row_Data* Kept = Rows.object(Line))
        return *Kept;
    auto* Read = new Row_Data{Lines.Record_At(Line)};
    Rows.insert(Line, Read);
    return *Read;
}

const Update_Record* History_Model::Record(int Row) const {
    if (Row <= 0 || Row > Lines.Count())
        return nullptr;
    const Row_Data& Data = Row_At(Row);
    return Data.Record ? &*Data.Record : nullptr;
}

QString History_Model::Problem(int Row) const {
    if (Row <= 0 || Row > Lines.Count())
        return {};
    return Row_At(Row).Record.Error();
}

QString History_Model::Text(int Row, int Column) const {
    if (Row == 0) {
        if (Column == Time_Column)
            return State.Text(Msg_Current).trimmed();
        return Column == Outcome_Column ? Current_Problem : QString();
    }
    const Update_Record* R = Record(Row);
    if (!R)
        return Column == Outcome_Column ? Problem(Row) : QString();
    switch (Column) {
    case Time_Column:
        return Local_Time_Text(R->Time);
    case Kind_Column:
        return Kind_Words(*R, State);
    case Target_Column:
        return R->Target;
    case Option_Column:
        return Option_Words(*R, State);
    case Outcome_Column: {
        const QString Result = Result_Words(*R, State);
        const QString Detail = Detail_Words(*R, State);
        if (Result.isEmpty() || R->Record_Kind == Update_Record::Kind::Link_Test)
            return Result.isEmpty() ? Detail : Result;
        return Detail.isEmpty() || R->Succeeded() ? Result : Result + QStringLiteral(" (") + Detail + u')';
    }
    case Duration_Column:
        return Duration_Words(*R);
    case Link_Column:
        return Link_Verdict_Words(*R, State);
    }
    return {};
}

QVariant History_Model::data(const QModelIndex& Index, int Role) const {
    if (!Index.isValid())
        return {};
    const int Row = Index.row();
    if (Role == Qt::CheckStateRole && Index.column() == Compare_Column && Row > 0)
        return Ticked_Lines.contains(Line_Of(Row)) ? Qt::Checked : Qt::Unchecked;
    if (Role == Qt::DisplayRole)
        return Text(Row, Index.column());
    // A tool tip that looks like markup is shown as markup: the history's texts are anyone's.
    if (Role == Qt::ToolTipRole)
        return Qt::convertFromPlainText(Text(Row, Index.column()));
    return {};
}

bool History_Model::setData(const QModelIndex& Index, const QVariant& Value, int Role) {
    if (Role != Qt::CheckStateRole || Index.column() != Compare_Column || Index.row() == 0)
        return false;
    const qsizetype Line = Line_Of(Index.row());
    QList<int> Changed{Index.row()};
    if (Value.value<Qt::CheckState>() == Qt::Checked) {
        if (Ticked_Lines.contains(Line))
            return true;
        // A third tick lets go of the first.
        if (Ticked_Lines.size() == 2)
            Changed.append(Row_Of(Ticked_Lines.takeFirst()));
        Ticked_Lines.append(Line);
    } else {
        Ticked_Lines.removeAll(Line);
    }
    for (const int Row : Changed)
        Q_EMIT dataChanged(index(Row, Compare_Column), index(Row, Compare_Column), {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags History_Model::flags(const QModelIndex& Index) const {
    Qt::ItemFlags Flags = QAbstractTableModel::flags(Index);
    if (Index.isValid() && Index.column() == Compare_Column && Index.row() > 0)
        Flags |= Qt::ItemIsUserCheckable;
    return Flags;
}

QVariant History_Model::headerData(int Section, Qt::Orientation Orientation, int Role) const {
    if (Orientation != Qt::Horizontal)
        return {};
    if (Role == Qt::ToolTipRole && Section == Compare_Column)
        return State.Text(Msg_Compare_Hint);
    if (Role != Qt::DisplayRole)
        return {};
    static constexpr int Ids[Column_Count] = {Msg_Compare,       Msg_Record_Time, Msg_Kind,
                                              Msg_Record_Target, Msg_Option,      Msg_Record_Outcome,
                                              Msg_Duration,      Msg_Link_Test};
    QString Heading = State.Text(Ids[Section]).trimmed();
    if (Section == Time_Column)
        Heading += QStringLiteral(" (") + Local_Zone_Text() + u')';
    return Heading;
}

} // namespace vo
