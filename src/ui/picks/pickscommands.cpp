// KIVO Log Viewer
#include "ui/picks/pickscommands.h"

#include "display/logview.h"
#include "kivoerror.h"
#include "log/logsession.h"
#include "picks/boreholediameter.h"
#include "shell/errorreport.h"
#include "ui/common/messages.h"
#include "ui/display/tdxdraw.h"
#include "ui/picks/detectcommand.h"
#include "ui/picks/picktable.h"
#include "ui/picks/picktool.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/opencommand.h"
#include "ui/viewer/tform1.h"

#include <QAction>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QUndoStack>

namespace kivo {

PicksCommands::PicksCommands(TForm1 &form)
    : m_form(form)
    , m_keeper(form.session().picks())
{
    LogSession &session = form.session();
    m_tool = new PickTool(
        session, form.displayArea(), [this] { return rowDepths(); }, this);
    m_tool->askDiameter = [this](double depth) {
        return askDiameter(depth);
    };
    m_table = new PickTable(session, &form);
    m_table->hide();
    form.addDockWidget(Qt::RightDockWidgetArea, m_table);
    m_detect = new DetectCommand(
        form, [this] { return rowDepths(); }, this);

    connect(&session, &LogSession::logOpened, this, &PicksCommands::logOpened);
    connect(&session, &LogSession::logClosed, this, [this] { m_keeper.close(); });
    connect(m_tool, &PickTool::selectionChanged, m_table, &PickTable::select);
    connect(m_tool, &PickTool::pickingChanged, m_table, &PickTable::setPicking);
    connect(m_table, &PickTable::pickChosen, this, &PicksCommands::pickChosen);
    connect(m_table, &PickTable::deleteRequested, this, &PicksCommands::DeletePick1Click);
    connect(m_table, &PickTable::candidateChosen, this, &PicksCommands::candidateChosen);
    connect(m_detect, &DetectCommand::candidatesFound, this, [this] {
        m_table->showCandidates(true);
        PickTable1Click();
        // Wide enough for every column of the candidates.
        QTableView *view = m_table->candidateView();
        view->resizeColumnsToContents();
        const int width = view->horizontalHeader()->length() +
                          view->verticalScrollBar()->sizeHint().width() + 2 * view->frameWidth() +
                          8;
        m_form.resizeDocks({m_table}, {width}, Qt::Horizontal);
    });
    connect(&m_keeper, &PickKeeper::changedElsewhere, this, &PicksCommands::askReloadOrKeep);
    connect(&m_keeper, &PickKeeper::saveFailed, this,
            [this](const QString &text) { showErrorReport(&m_form, text); });
    connect(&m_keeper, &PickKeeper::notice, this,
            [this](const QString &text) { showInformation(&m_form, text); });
    connectMenu();
}

PicksCommands::~PicksCommands()
{
    m_form.displayArea().setOverlay({});
    delete m_table; // its model looks at the session's picks, which go with the window
}

void PicksCommands::connectMenu()
{
    MainMenu &menu = m_form.menu();
    connect(menu.NewPick1, &QAction::triggered, this, &PicksCommands::NewPick1Click);
    connect(menu.DeletePick1, &QAction::triggered, this, &PicksCommands::DeletePick1Click);
    connect(menu.ShowPicks1, &QAction::toggled, m_tool, &PickTool::setShown);
    connect(menu.PickTable1, &QAction::triggered, this, &PicksCommands::PickTable1Click);
    connect(menu.BoreholeDiameter1, &QAction::triggered, this,
            &PicksCommands::BoreholeDiameter1Click);
    connect(menu.DetectPicks1, &QAction::triggered, m_detect, &DetectCommand::DetectPicks1Click);

    QUndoStack *undo = m_form.session().picks().undoStack();
    QAction *undoAction = undo->createUndoAction(menu.Edit1, QStringLiteral("&Undo"));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redoAction = undo->createRedoAction(menu.Edit1, QStringLiteral("&Redo"));
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    menu.Edit1->addSeparator();
    menu.Edit1->addAction(undoAction);
    menu.Edit1->addAction(redoAction);

    // The pick being made ends with Enter and is dropped with Esc, wherever the focus is.
    auto *finish = new QAction(this);
    finish->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    auto *cancel = new QAction(this);
    cancel->setShortcut(QKeySequence(Qt::Key_Escape));
    for (QAction *action : {finish, cancel}) {
        action->setEnabled(false);
        m_form.addAction(action);
    }
    connect(finish, &QAction::triggered, m_tool, &PickTool::finish);
    connect(cancel, &QAction::triggered, m_tool, &PickTool::cancel);
    connect(m_tool, &PickTool::pickingChanged, this, [finish, cancel](bool picking) {
        finish->setEnabled(picking);
        cancel->setEnabled(picking);
    });
    connect(m_tool, &PickTool::pointerText, &m_form, &TForm1::showPointerText);
}

void PicksCommands::logOpened()
{
    try {
        m_keeper.open(m_form.session().state().ImageFile.path());
    } catch (const KivoError &error) {
        showErrorReport(&m_form, error.text());
    }
}

std::vector<std::optional<double>> PicksCommands::rowDepths() const
{
    std::vector<std::optional<double>> depths;
    const LogView *view = m_form.openCommand().view();
    if (!view)
        return depths;
    const int rows = view->geometry().rows;
    depths.reserve(size_t(qMax(0, rows)));
    for (int y = 0; y < rows; ++y) {
        const auto depth = view->rowDepth(y);
        depths.push_back(depth ? std::optional<double>(*depth / 1000.0) : std::nullopt);
    }
    return depths;
}

void PicksCommands::NewPick1Click()
{
    m_tool->startPicking();
    if (m_tool->picking())
        m_form.showNotice(QStringLiteral(
            "Click three or more points along the trace; Enter or a double click ends the pick, "
            "Esc drops it. Azimuth of column j: (j + 0.5) / 2 degrees clockwise from North (N E "
            "S W) or the low side (D L U R); depths are the records' own."));
}

void PicksCommands::DeletePick1Click()
{
    if (m_tool->picking()) {
        m_tool->cancel();
        return;
    }
    if (const auto id = m_tool->selected())
        m_form.session().picks().remove(*id);
}

void PicksCommands::PickTable1Click()
{
    m_table->show();
    m_table->raise();
}

void PicksCommands::pickChosen(PickId id)
{
    m_tool->select(id);
    const int row = m_form.session().picks().row(id);
    if (row >= 0)
        m_form.session().goToDepth(m_form.session().picks().pick(row).trace.depth,
                                   m_form.session().geometry().rows / 2);
}

void PicksCommands::candidateChosen(int row)
{
    LogSession &session = m_form.session();
    if (row >= 0 && row < session.candidates().count())
        session.goToDepth(session.candidates().candidate(row).trace.depth,
                          session.geometry().rows / 2);
}

std::optional<double> PicksCommands::askDiameter(double depth)
{
    const LogSession &session = m_form.session();
    const QString size = diameterUnit(session.depthUnit() != 0);
    bool ok = false;
    const double diameter = QInputDialog::getDouble(
        &m_form, QStringLiteral("Borehole Diameter"),
        QStringLiteral("No bit size is recorded at %1 %2. Borehole diameter (%3):")
            .arg(depth, 0, 'f', 3)
            .arg(session.layout().unitSuffix(), size),
        session.depthUnit() == 0 ? 96.0 : 3.78, 0.01, 100000.0, 2, &ok);
    if (!ok)
        return std::nullopt;
    return diameter;
}

void PicksCommands::BoreholeDiameter1Click()
{
    LogSession &session = m_form.session();
    PickCalculator *calculator = session.pickCalculator();
    if (!calculator)
        return;
    const QString size = diameterUnit(session.depthUnit() != 0);
    bool ok = false;
    const double diameter = QInputDialog::getDouble(
        &m_form, QStringLiteral("Borehole Diameter"),
        QStringLiteral("Diameter (%1) for picks without their own and without a bit size at "
                       "their depth:")
            .arg(size),
        calculator->fallbackDiameter().value_or(session.depthUnit() == 0 ? 96.0 : 3.78), 0.01,
        100000.0, 2, &ok);
    if (ok)
        session.setFallbackDiameter(diameter);
}

void PicksCommands::askReloadOrKeep(const QString &path)
{
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(ApplicationTitle),
                    QStringLiteral("The picks file %1 was changed by another program.\nReload it "
                                   "(your changes since it was last saved are lost), or keep "
                                   "yours (written over it)?")
                        .arg(path),
                    QMessageBox::NoButton, &m_form);
    QPushButton *reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("&Keep Mine"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == reload)
        m_keeper.reload();
    else
        m_keeper.keepMine();
}

void PicksCommands::windowActivated()
{
    m_keeper.checkDisk();
}

} // namespace kivo
