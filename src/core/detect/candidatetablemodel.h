// KIVO Log Viewer
#pragma once

#include "picks/pick.h"

#include <QAbstractTableModel>
#include <QList>

namespace kivo {

class LogSession;

// The candidates of the open log as a table, in their depth order: Depth, true dip and dip
// direction (as the log's picks derive them) and Confidence. Read only; Qt::UserRole gives the
// unformatted number. Rows follow the candidate set as candidates are accepted or rejected, and
// the dips the diameter the session falls back on.
class CandidateTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Depth, TrueDip, TrueDipAzimuth, Confidence, ColumnCount };

    explicit CandidateTableModel(LogSession &session, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void derive();

    LogSession &m_session;
    QList<PickValues> m_values; // one a candidate, derived when the set or diameter changes
};

} // namespace kivo
