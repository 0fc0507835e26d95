#pragma once

#include "link/Link_Frame.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QTimer>
#include <vector>

namespace vo {

struct Shared_State;

// The frames of a run as a table, the newest 500 000 of them. A frame after a pause shows at once; frames
// that come in faster than a screen changes are shown in batches; the words of a row are made only when it is
// painted.
class Link_Frame_Model final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit Link_Frame_Model(const Shared_State& App_State, QObject* Parent = nullptr);

    void Add(const Link_Frame& Frame);
    void Clear();
    // Shows what came in since the last batch.
    void Flush();
    QList<Link_Frame> Frames() const;

    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;

private:
    const Shared_State& State;
    std::vector<Link_Frame> Shown;
    std::vector<Link_Frame> Waiting;
    QTimer Batch;
    QElapsedTimer Since_Flush;
};

} // namespace vo
