// KIVO Log Viewer
#include "ui/picks/picktable.h"

#include "log/logsession.h"
#include "picks/picktype.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

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

QTableView *tableView(QAbstractItemModel *model, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->hide();
    return view;
}

// Whether the event is a key event of one of the keys.
bool isKey(QEvent *event, std::initializer_list<int> keys)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

PickTable::PickTable(LogSession &session, QWidget *parent)
    : QDockWidget(QStringLiteral("Picks"), parent)
    , m_session(session)
    , m_model(session.picks())
    , m_candidateModel(session)
{
    setObjectName(QStringLiteral("PickTable"));
    auto *body = new QWidget(this);
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QHBoxLayout;
    m_filter = new QComboBox(body);
    m_filter->setObjectName(QStringLiteral("PickFilter"));
    m_filter->addItems({QStringLiteral("Picks"), QStringLiteral("Candidates")});
    bar->addWidget(m_filter);
    m_acceptAll = new QPushButton(QStringLiteral("Accept All &Above..."), body);
    m_acceptAll->setObjectName(QStringLiteral("AcceptAllAbove"));
    m_acceptAll->hide();
    bar->addWidget(m_acceptAll);
    bar->addStretch(1);
    column->addLayout(bar);
    m_pages = new QStackedWidget(body);
    column->addWidget(m_pages, 1);

    m_view = tableView(&m_model, m_pages);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_view->setItemDelegateForColumn(PickTableModel::Type, new TypeDelegate(m_view));
    m_view->installEventFilter(this);
    m_pages->addWidget(m_view);
    m_candidateView = tableView(&m_candidateModel, m_pages);
    m_candidateView->setObjectName(QStringLiteral("CandidateView"));
    m_candidateView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_candidateView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_candidateView->installEventFilter(this);
    m_pages->addWidget(m_candidateView);
    setWidget(body);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_selecting && current.isValid())
                    emit pickChosen(m_session.picks().id(current.row()));
            });
    connect(m_candidateView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    emit candidateChosen(current.row());
            });
    connect(m_filter, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_pages->setCurrentIndex(index);
        m_acceptAll->setVisible(index == 1);
    });
    connect(m_acceptAll, &QPushButton::clicked, this, &PickTable::acceptAllAbove);
}

void PickTable::showCandidates(bool candidates)
{
    m_filter->setCurrentIndex(candidates ? 1 : 0);
}

bool PickTable::candidatesShown() const
{
    return m_filter->currentIndex() == 1;
}

void PickTable::acceptCurrent()
{
    m_session.candidates().accept(m_candidateView->currentIndex().row(), m_session.picks());
}

void PickTable::rejectCurrent()
{
    m_session.candidates().reject(m_candidateView->currentIndex().row());
}

void PickTable::acceptAllAbove()
{
    bool ok = false;
    const double confidence = QInputDialog::getDouble(
        this, QStringLiteral("Accept All Above"),
        QStringLiteral("Accept every candidate of at least this confidence:"), 0.5, 0.0, 1.0, 2,
        &ok);
    if (ok)
        m_session.candidates().acceptAllAbove(confidence, m_session.picks());
}

void PickTable::select(std::optional<PickId> id)
{
    const QScopedValueRollback<bool> selecting(m_selecting, true);
    const int row = id ? m_session.picks().row(*id) : -1;
    if (row < 0) {
        m_view->clearSelection();
        return;
    }
    m_view->selectRow(row);
    m_view->scrollTo(m_model.index(row, 0));
}

bool PickTable::candidateKey(QEvent *event)
{
    // The keys act on the candidate table, before the window's shortcuts take them; but Enter
    // finishes a pick being made.
    if (m_picking && isKey(event, {Qt::Key_Return, Qt::Key_Enter}))
        return false;
    if (event->type() == QEvent::ShortcutOverride &&
        isKey(event, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete})) {
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    if (isKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
        acceptCurrent();
        return true;
    }
    if (isKey(event, {Qt::Key_Delete})) {
        rejectCurrent();
        return true;
    }
    return false;
}

bool PickTable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_candidateView && candidateKey(event))
        return true;
    if (watched == m_view && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        // Keys typed while a cell is edited go to its editor, not here.
        emit deleteRequested();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace kivo
