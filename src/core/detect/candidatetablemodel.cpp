// KIVO Log Viewer
#include "detect/candidatetablemodel.h"

#include "kivoerror.h"
#include "log/logsession.h"

#include <optional>

namespace kivo {

CandidateTableModel::CandidateTableModel(LogSession &session, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
{
    CandidateSet &set = session.candidates();
    connect(&set, &CandidateSet::aboutToRemove, this,
            [this](int row) { beginRemoveRows({}, row, row); });
    connect(&set, &CandidateSet::removed, this, [this](int row) {
        m_values.removeAt(row);
        endRemoveRows();
    });
    connect(&set, &CandidateSet::aboutToReset, this, [this] { beginResetModel(); });
    connect(&set, &CandidateSet::resetDone, this, [this] {
        derive();
        endResetModel();
    });
    // The dips depend on the diameter, which the user may give after the search.
    connect(&session, &LogSession::fallbackDiameterChanged, this, [this] {
        derive();
        if (rowCount() > 0)
            emit dataChanged(index(0, TrueDip), index(rowCount() - 1, TrueDipAzimuth));
    });
    derive();
}

void CandidateTableModel::derive()
{
    m_values.clear();
    PickCalculator *calculator = m_session.pickCalculator();
    for (const Pick &pick : m_session.candidates().candidates()) {
        PickValues values;
        try {
            if (calculator)
                values = calculator->values(pick);
        } catch (const KivoError &) {
            // The orientation cannot be read now: the dips stay empty, as the picks' do.
        }
        m_values.append(values);
    }
}

int CandidateTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_values.size());
}

int CandidateTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CandidateTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Pick &pick = m_session.candidates().candidate(index.row());
    const PickValues &values = m_values[index.row()];
    std::optional<double> value;
    int decimals = 1;
    switch (index.column()) {
    case Depth:
        value = pick.trace.depth;
        decimals = 3;
        break;
    case TrueDip:
        value = values.trueDip;
        break;
    case TrueDipAzimuth:
        value = values.trueDipAzimuth;
        break;
    case Confidence:
        value = pick.confidence;
        decimals = 2;
        break;
    default:
        break;
    }
    if (!value)
        return {};
    if (role == Qt::UserRole)
        return *value;
    if (role == Qt::DisplayRole)
        return QString::number(*value, 'f', decimals);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CandidateTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Depth:
        return tr("Depth");
    case TrueDip:
        return tr("Dip");
    case TrueDipAzimuth:
        return tr("Dip Direction");
    case Confidence:
        return tr("Confidence");
    default:
        return {};
    }
}

} // namespace kivo
