// KIVO Log Viewer
#pragma once

#include <QPixmap>

namespace kivo {

// The header dialog's picture, drawn by code: a logging unit at a well, its cable running over
// a tripod into the cased borehole, the sonde hanging in the open hole below the casing.
QPixmap wellPicture();

} // namespace kivo
