// KIVO Log Viewer
#include "header/ui/tform6.h"

#include "app/viewerstate.h"

namespace kivo {

TForm6::TForm6(ViewerState &state)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_state(state)
{
    setWindowTitle(QStringLiteral("Edit Header"));
}

} // namespace kivo
