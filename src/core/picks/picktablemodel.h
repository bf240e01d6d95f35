// KIVO Log Viewer
#pragma once

#include <QAbstractTableModel>

namespace kivo {

class PickSet;

// The pick table: one row per pick of a PickSet, in its depth order. Type and Comment are
// edited in place, through the set's undo stack. Qt::UserRole gives the unformatted number.
class PickTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Depth,
        Type,
        ApparentDip,
        ApparentDipAzimuth,
        TrueDip,
        TrueDipAzimuth,
        Diameter,
        Comment,
        ColumnCount
    };

    explicit PickTableModel(PickSet &set, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    PickSet &m_set;
};

} // namespace kivo
