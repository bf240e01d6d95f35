// KIVO Log Viewer
#include "ui/plots/plotsdock.h"

#include "ui/picks/pickscommands.h"
#include "ui/picks/picktable.h"
#include "ui/plots/plotspanel.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/tform1.h"

#include <QAction>

namespace kivo {

PlotsDock::PlotsDock(TForm1 &form)
    : QDockWidget(QStringLiteral("Plots"), &form)
    , m_panel(new PlotsPanel(form.session(), this))
{
    setObjectName(QStringLiteral("PlotsDock"));
    setWidget(m_panel);
    form.addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
    QAction *item = form.menu().Plots1;
    connect(item, &QAction::toggled, this, &QWidget::setVisible);
    connect(toggleViewAction(), &QAction::toggled, item, &QAction::setChecked);
    connect(m_panel, &PlotsPanel::pickClicked, &form.picksCommands().table(),
            &PickTable::pickChosen);
}

} // namespace kivo
