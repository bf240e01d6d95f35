// KIVO Log Viewer
#pragma once

#include <QWidget>

namespace kivo {

struct ViewerState;

// The "Display Adjust" tool window: brightness and contrast of the colour tables.
class TForm2 : public QWidget {
    Q_OBJECT

public:
    explicit TForm2(ViewerState &state);

private:
    ViewerState &m_state;
};

} // namespace kivo
