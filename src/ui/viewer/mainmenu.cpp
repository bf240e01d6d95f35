// KIVO Log Viewer
#include "ui/viewer/mainmenu.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QMenu>
#include <QMenuBar>

namespace kivo {

namespace {

QAction *item(QMenu *menu, const QString &caption, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setShortcut(shortcut);
    return action;
}

} // namespace

MainMenu::MainMenu(QMenuBar *bar, QObject *parent)
    : QObject(parent)
{
    File1 = bar->addMenu(QStringLiteral("&File"));
    ReplayLog1 = item(File1, QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    Recent1 = File1->addMenu(QStringLiteral("Open &Recent"));
    setRecentFiles({});
    Close1 = item(File1, QStringLiteral("&Close"), QKeySequence(Qt::CTRL | Qt::Key_W));
    EditHeader1 = item(File1, QStringLiteral("&View Header"), QKeySequence(Qt::CTRL | Qt::Key_V));
    File1->addSeparator();
    Print1 = item(File1, QStringLiteral("Print &Setup..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    Print2 = item(File1, QStringLiteral("&Print Screen"), QKeySequence(Qt::CTRL | Qt::Key_P));
    PrintLog1 = item(File1, QStringLiteral("Print &Log..."), QKeySequence(Qt::CTRL | Qt::Key_L));
    PrintHeader1 = item(File1, QStringLiteral("Print &Header"), QKeySequence(Qt::CTRL | Qt::Key_H));
    File1->addSeparator();
    ExportImage1 = item(File1, QStringLiteral("E&xport Image..."), QKeySequence());
    File1->addSeparator();
    Exit1 = item(File1, QStringLiteral("E&xit") + QString(26, QLatin1Char(' ')),
                 QKeySequence(Qt::CTRL | Qt::Key_X));
    Exit1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence::Quit});

    Edit1 = bar->addMenu(QStringLiteral("&Edit"));
    Copy1 = item(Edit1, QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));

    View1 = bar->addMenu(QStringLiteral("&View"));
    BrightnessAdjust1 =
        item(View1, QStringLiteral("&Display Adjust"), QKeySequence(Qt::CTRL | Qt::Key_D));
    Normalisation1 = View1->addMenu(QStringLiteral("&Normalisation"));
    auto *modes = new QActionGroup(this);
    NormalisationOff1 = item(Normalisation1, QStringLiteral("&Off"), QKeySequence());
    NormalisationStatic1 = item(Normalisation1, QStringLiteral("&Static"), QKeySequence());
    NormalisationDynamic1 = item(Normalisation1, QStringLiteral("&Dynamic"), QKeySequence());
    for (QAction *mode : {NormalisationOff1, NormalisationStatic1, NormalisationDynamic1}) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    NormalisationOff1->setChecked(true);
    GreyScale1 = item(View1, QStringLiteral("&Grey Scale"), QKeySequence());
    GreyScale1->setCheckable(true);
    View1->addSeparator();
    GoToDepth1 = item(View1, QStringLiteral("Go to &Depth..."), QKeySequence(Qt::CTRL | Qt::Key_G));
    View1->addSeparator();
    Plots1 = item(View1, QStringLiteral("&Plots"), QKeySequence());
    Plots1->setCheckable(true);
    View1->addSeparator();
    ZoomIn1 = item(View1, QStringLiteral("Zoom &In"), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    ZoomIn1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ZoomOut1 = item(View1, QStringLiteral("Zoom &Out"), QKeySequence(Qt::CTRL | Qt::Key_Minus));

    About1 = bar->addAction(QStringLiteral("&About..."));
    About1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    Picks1 = bar->addMenu(QStringLiteral("&Picks"));
    NewPick1 = item(Picks1, QStringLiteral("&New Pick"), QKeySequence(Qt::Key_P));
    DeletePick1 = item(Picks1, QStringLiteral("&Delete Pick"), QKeySequence(QKeySequence::Delete));
    ShowPicks1 = item(Picks1, QStringLiteral("&Show Picks"), QKeySequence());
    ShowPicks1->setCheckable(true);
    ShowPicks1->setChecked(true);
    Picks1->addSeparator();
    PickTable1 = item(Picks1, QStringLiteral("Pick &Table..."), QKeySequence());
    BoreholeDiameter1 = item(Picks1, QStringLiteral("Borehole &Diameter..."), QKeySequence());
    Picks1->addSeparator();
    DetectPicks1 = item(Picks1, QStringLiteral("Detect Pi&cks..."), QKeySequence());

    setState(State::Idle);
}

void MainMenu::setState(State state)
{
    m_state = state;
    const bool viewing = state == State::Viewing;
    ReplayLog1->setEnabled(state != State::Opening);
    Recent1->setEnabled(state != State::Opening && !Recent1->actions().isEmpty());
    Close1->setEnabled(viewing);
    EditHeader1->setEnabled(viewing);
    Print2->setEnabled(viewing);
    PrintLog1->setEnabled(viewing);
    ExportImage1->setEnabled(viewing);
    PrintHeader1->setEnabled(viewing);
    Copy1->setEnabled(state != State::Idle);
    BrightnessAdjust1->setEnabled(state != State::Idle);
    GoToDepth1->setEnabled(viewing);
    ZoomIn1->setEnabled(viewing);
    ZoomOut1->setEnabled(viewing);
    Picks1->setEnabled(viewing);
    for (QAction *action : Picks1->actions())
        action->setEnabled(viewing);
}

void MainMenu::setRecentFiles(const QStringList &paths)
{
    Recent1->clear();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        QAction *action = Recent1->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
    }
    Recent1->setEnabled(m_state != State::Opening && !paths.isEmpty());
}

} // namespace kivo
