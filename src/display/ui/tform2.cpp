// KIVO Log Viewer
#include "display/ui/tform2.h"

#include "app/viewerstate.h"

namespace kivo {

TForm2::TForm2(ViewerState &state)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_state(state)
{
    setWindowTitle(QStringLiteral("Display Adjust"));
}

} // namespace kivo
