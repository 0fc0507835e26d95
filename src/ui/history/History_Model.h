#pragma once

#include "history/History_Index.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QList>

namespace vo {

struct Shared_State;

// The history window's list: the current configuration on top, then the records newest first. A row's
// record is read from the file when the view first asks for it and a few thousand are kept, so a
// history of 100 000 records costs the index and the rows in sight. Column 0 holds the check boxes
// that choose two records to compare.
class History_Model final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Columns {
        Compare_Column,
        Time_Column,
        Kind_Column,
        Target_Column,
        Option_Column,
        Outcome_Column,
        Duration_Column,
        Link_Column,
        Column_Count
    };

    explicit History_Model(const Shared_State& App_State, QObject* Parent = nullptr);

    // Scans the open configuration's history again; the checks are cleared.
    void Reload(const QString& Images_Problem);

    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role) const override;
    bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;

    const History_Index& Index() const { return Lines; }
    // The line of the history behind a row; -1 for the current configuration.
    qsizetype Line_Of(int Row) const { return Row == 0 ? -1 : Lines.Count() - Row; }
    int Row_Of(qsizetype Line) const { return static_cast<int>(Line < 0 ? 0 : Lines.Count() - Line); }
    // The record of a row, read or kept; null for the current configuration or a line that is none.
    const Update_Record* Record(int Row) const;
    // Why a row's line is no record; "" for a record.
    QString Problem(int Row) const;

    // The ticked rows' lines, oldest first; at most two, the earlier tick untouched by a third.
    QList<qsizetype> Ticked() const { return Ticked_Lines; }

private:
    struct Row_Data {
        Result<Update_Record> Record = Failure{};
    };
    const Row_Data& Row_At(int Row) const;
    QString Text(int Row, int Column) const;

    const Shared_State& State;
    History_Index Lines;
    QString Current_Problem;
    QList<qsizetype> Ticked_Lines;
    mutable QCache<qsizetype, Row_Data> Rows{4000};
};

} // namespace vo
