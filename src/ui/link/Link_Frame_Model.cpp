#include "Link_Frame_Model.h"

#include "shell/Shared_State.h"

#include <QBrush>
#include <QColor>

namespace vo {

namespace {

// Headings of the columns (ids of Lang_Strings), in column order.
constexpr int Headings[] = {1133, 1134, 1135, 1136, 1137, 1138, 1139};
// About one screen refresh.
constexpr int Batch_Ms = 16;
// A run of days keeps its newest frames; the oldest go a slice at a time.
constexpr std::size_t Frames_Kept = 500000;
constexpr std::size_t Frames_Dropped_At_Once = 50000;

QString Ms(qint64 Us) {
    return QString::number(static_cast<double>(Us) / 1000.0, 'f', 1);
}

} // namespace

Link_Frame_Model::Link_Frame_Model(const Shared_State& App_State, QObject* Parent)
    : QAbstractTableModel(Parent), State(App_State) {
    Batch.setSingleShot(true);
    connect(&Batch, &QTimer::timeout, this, &Link_Frame_Model::Flush);
}

void Link_Frame_Model::Add(const Link_Frame& Frame) {
    Waiting.push_back(Frame);
    if (Batch.isActive())
        return;
    const qint64 Since = Since_Flush.isValid() ? Since_Flush.elapsed() : Batch_Ms;
    if (Since >= Batch_Ms)
        Flush();
    else
        Batch.start(static_cast<int>(Batch_Ms - Since));
}

void Link_Frame_Model::Flush() {
    Batch.stop();
    if (Waiting.empty())
        return;
    Since_Flush.start();
    const int First = static_cast<int>(Shown.size());
    beginInsertRows({}, First, First + static_cast<int>(Waiting.size()) - 1);
    Shown.insert(Shown.end(), std::make_move_iterator(Waiting.begin()),
                 std::make_move_iterator(Waiting.end()));
    Waiting.clear();
    endInsertRows();
    if (Shown.size() > Frames_Kept) {
        beginRemoveRows({}, 0, static_cast<int>(Frames_Dropped_At_Once) - 1);
        Shown.erase(Shown.begin(), Shown.begin() + static_cast<std::ptrdiff_t>(Frames_Dropped_At_Once));
        endRemoveRows();
    }
}

void Link_Frame_Model::Clear() {
    beginResetModel();
    Shown.clear();
    Waiting.clear();
    endResetModel();
}

QList<Link_Frame> Link_Frame_Model::Frames() const {
    QList<Link_Frame> All(Shown.begin(), Shown.end());
    All.append(QList<Link_Frame>(Waiting.begin(), Waiting.end()));
    return All;
}

int Link_Frame_Model::rowCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : static_cast<int>(Shown.size());
}

int Link_Frame_Model::columnCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : static_cast<int>(std::size(Headings));
}

QVariant Link_Frame_Model::data(const QModelIndex& Index, int Role) const {
    if (!Index.isValid() || Index.row() >= rowCount())
        return {};
    const Link_Frame& F = Shown[static_cast<std::size_t>(Index.row())];
    if (Role == Qt::ForegroundRole && F.Kind != Line_Chunk::Kind::Frame)
        return QBrush(QColor(0xb0, 0x00, 0x20));
    if (Role == Qt::TextAlignmentRole && (Index.column() == 0 || Index.column() == 6))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (Role != Qt::DisplayRole)
        return {};
    switch (Index.column()) {
    case 0:
        return Ms(F.Time_Us);
    case 1:
        return Side_Name(F.Side);
    case 2:
        return F.Dir == Link_Frame::Direction::Sent ? QStringLiteral("→") : QStringLiteral("←");
    case 3:
        return Raw_Text(F);
    case 4:
        return Meaning_Text(F);
    case 5:
        return Check_Name(F);
    default:
        return F.Latency_Us >= 0 ? Ms(F.Latency_Us) : QString();
    }
}

QVariant Link_Frame_Model::headerData(int Section, Qt::Orientation Orientation, int Role) const {
    if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole || Section < 0 ||
        Section >= static_cast<int>(std::size(Headings)))
        return {};
    return State.Text(Headings[Section]);
}

} // namespace vo
