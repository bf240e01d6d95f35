// KIVO Log Viewer
#pragma once

#include <QWidget>

namespace kivo {

struct ViewerState;

// The print options dialog.
class TForm8 : public QWidget {
    Q_OBJECT

public:
    TForm8(ViewerState &state, QWidget *mainWindow);

private:
    ViewerState &m_state;
    QWidget *m_mainWindow;
};

} // namespace kivo
