// KIVO Log Viewer
#include "shell/wheelnotches.h"

#include <QWheelEvent>

namespace kivo {

int WheelNotches::add(int angleDelta)
{
    m_remainder += angleDelta;
    const int notches = m_remainder / QWheelEvent::DefaultDeltasPerStep;
    m_remainder -= notches * QWheelEvent::DefaultDeltasPerStep;
    return notches;
}

} // namespace kivo
