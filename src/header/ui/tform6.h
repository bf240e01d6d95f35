// KIVO Log Viewer
#pragma once

#include <QWidget>

namespace kivo {

struct ViewerState;

// The header dialog: the open log's header record on five read-only tabs.
class TForm6 : public QWidget {
    Q_OBJECT

public:
    explicit TForm6(ViewerState &state);

private:
    ViewerState &m_state;
};

} // namespace kivo
