// KIVO Log Viewer
#include "print/ui/tform8.h"

#include "app/viewerstate.h"

namespace kivo {

TForm8::TForm8(ViewerState &state, QWidget *mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_state(state)
    , m_mainWindow(mainWindow)
{
    setWindowTitle(QStringLiteral("Print"));
}

} // namespace kivo
