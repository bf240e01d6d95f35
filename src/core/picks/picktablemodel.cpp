// KIVO Log Viewer
#include "picks/picktablemodel.h"

#include "picks/pickset.h"

#include <optional>

namespace kivo {

namespace {

std::optional<double> number(const Pick &pick, const PickValues &values, int column)
{
    switch (column) {
    case PickTableModel::Depth:
        return pick.trace.depth;
    case PickTableModel::ApparentDip:
        return values.apparentDip;
    case PickTableModel::ApparentDipAzimuth:
        return values.apparentDipAzimuth;
    case PickTableModel::TrueDip:
        return values.trueDip;
    case PickTableModel::TrueDipAzimuth:
        return values.trueDipAzimuth;
    case PickTableModel::Diameter:
        return values.diameter;
    default:
        return std::nullopt;
    }
}

} // namespace

PickTableModel::PickTableModel(PickSet &set, QObject *parent)
    : QAbstractTableModel(parent)
    , m_set(set)
{
    const QModelIndex top;
    connect(&set, &PickSet::aboutToInsert, this,
            [this, top](int row) { beginInsertRows(top, row, row); });
    connect(&set, &PickSet::inserted, this, [this] { endInsertRows(); });
    connect(&set, &PickSet::aboutToRemove, this,
            [this, top](int row) { beginRemoveRows(top, row, row); });
    connect(&set, &PickSet::removed, this, [this] { endRemoveRows(); });
    // Qt names the destination as the row it goes before, counted before the move.
    connect(&set, &PickSet::aboutToMove, this, [this, top](int from, int to) {
        beginMoveRows(top, from, from, top, to > from ? to + 1 : to);
    });
    connect(&set, &PickSet::moved, this, [this] { endMoveRows(); });
    connect(&set, &PickSet::pickChanged, this,
            [this](int row) { emit dataChanged(index(row, 0), index(row, ColumnCount - 1)); });
    connect(&set, &PickSet::aboutToReset, this, [this] { beginResetModel(); });
    connect(&set, &PickSet::resetDone, this, [this] { endResetModel(); });
}

int PickTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_set.count();
}

int PickTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PickTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_set.count())
        return {};
    const Pick &pick = m_set.pick(index.row());
    if (index.column() == Type || index.column() == Comment) {
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return {};
        return index.column() == Type ? pick.type : pick.comment;
    }
    const std::optional<double> value = number(pick, m_set.values(index.row()), index.column());
    if (!value)
        return {};
    if (role == Qt::UserRole)
        return *value;
    if (role == Qt::DisplayRole)
        return QString::number(*value, 'f', index.column() == Depth ? 3 : 1);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PickTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Depth:
        return tr("Depth");
    case Type:
        return tr("Type");
    case ApparentDip:
        return tr("Apparent Dip");
    case ApparentDipAzimuth:
        return tr("Apparent Azimuth");
    case TrueDip:
        return tr("True Dip");
    case TrueDipAzimuth:
        return tr("True Azimuth");
    case Diameter:
        return tr("Diameter");
    case Comment:
        return tr("Comment");
    default:
        return {};
    }
}

Qt::ItemFlags PickTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && (index.column() == Type || index.column() == Comment))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool PickTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_set.count())
        return false;
    const PickId id = m_set.id(index.row());
    if (index.column() == Type) {
        const QString type = value.toString().trimmed();
        m_set.retype(id, type.isEmpty() ? QStringLiteral("other") : type);
        return true;
    }
    if (index.column() == Comment) {
        m_set.setComment(id, value.toString());
        return true;
    }
    return false;
}

} // namespace kivo
