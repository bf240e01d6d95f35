// KIVO Log Viewer
#pragma once

#include "picks/pickkeeper.h"
#include "picks/pickset.h"

#include <QObject>

#include <optional>
#include <vector>

namespace kivo {

class DetectCommand;
class PickTable;
class PickTool;
class TForm1;

// The Picks menu and what it works with: the pick tool on the image, the pick table, the picks
// file kept beside the log, undo and redo in the Edit menu. The picks follow the log: they are
// read when it opens and every change is written at once.
class PicksCommands : public QObject {
    Q_OBJECT

public:
    explicit PicksCommands(TForm1 &form);
    ~PicksCommands() override;

    PickTool &tool() { return *m_tool; }
    PickTable &table() { return *m_table; }
    PickKeeper &keeper() { return m_keeper; }
    DetectCommand &detect() { return *m_detect; }

    void NewPick1Click();
    void DeletePick1Click();
    void PickTable1Click();
    void BoreholeDiameter1Click();
    // The window became active again: another program may have changed the picks file.
    void windowActivated();

private:
    void logOpened();
    void connectMenu();
    void pickChosen(PickId id);
    void candidateChosen(int row);
    void askReloadOrKeep(const QString &path);
    std::optional<double> askDiameter(double depth);
    std::vector<std::optional<double>> rowDepths() const;

    TForm1 &m_form;
    PickKeeper m_keeper;
    PickTool *m_tool;
    PickTable *m_table;
    DetectCommand *m_detect;
};

} // namespace kivo
