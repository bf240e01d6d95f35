// KIVO Log Viewer
#pragma once

#include <QDockWidget>

namespace kivo {

class PlotsPanel;
class TForm1;

// The plots panel docked at the main window's right, shown and hidden from View > Plots. A
// click on a tadpole or a pole chooses that pick as a click on its row of the pick table does:
// the pick is selected in the table and on the image, and the view scrolls to it.
class PlotsDock : public QDockWidget {
    Q_OBJECT

public:
    explicit PlotsDock(TForm1 &form);

    PlotsPanel &panel() const { return *m_panel; }

private:
    PlotsPanel *m_panel;
};

} // namespace kivo
