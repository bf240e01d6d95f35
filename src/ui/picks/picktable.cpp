// KIVO Log Viewer
#include "ui/picks/picktable.h"

#include "picks/picktype.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QTableView>

namespace kivo {

namespace {

// The type column's editor: the offered types, or any text typed.
class TypeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *box = new QComboBox(parent);
        box->setEditable(true);
        box->addItems(pickTypes());
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<QComboBox *>(editor)->setCurrentText(index.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText());
    }
};

} // namespace

PickTable::PickTable(PickSet &picks, QWidget *parent)
    : QDockWidget(QStringLiteral("Picks"), parent)
    , m_picks(picks)
    , m_model(picks)
{
    setObjectName(QStringLiteral("PickTable"));
    m_view = new QTableView(this);
    m_view->setModel(&m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_view->setItemDelegateForColumn(PickTableModel::Type, new TypeDelegate(m_view));
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->verticalHeader()->hide();
    m_view->installEventFilter(this);
    setWidget(m_view);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_selecting && current.isValid())
                    emit pickChosen(m_picks.id(current.row()));
            });
}

void PickTable::select(std::optional<PickId> id)
{
    const QScopedValueRollback<bool> selecting(m_selecting, true);
    const int row = id ? m_picks.row(*id) : -1;
    if (row < 0) {
        m_view->clearSelection();
        return;
    }
    m_view->selectRow(row);
    m_view->scrollTo(m_model.index(row, 0));
}

bool PickTable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        // Keys typed while a cell is edited go to its editor, not here.
        emit deleteRequested();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace kivo
