// KIVO Log Viewer
#pragma once

class QWidget;

namespace kivo {

class TDXDraw;

// The message of a copy that could not be made.
inline const char *const CopyFailedMessage = "Insufficient Resources to complete operation";

// The "&Copy" command: puts a snapshot of the whole surface on the clipboard, replacing whatever
// it held, as one item offered two ways: "image/bmp", the 24-bit bitmap bottom row first behind
// its 14-byte file header and 40-byte info header, byte for byte as the picture is captured, and
// Qt's image data, which pastes as PNG into other programs. The busy cursor shows while it
// works. Without a surface (no log on the display), or when the picture cannot be made, the
// clipboard stays as it was and the user reads CopyFailedMessage in a box over `parent`.
// The display area's overlay (the picks' traces) is laid over the snapshot as the screen shows it.
void copyToClipboard(TDXDraw &area, QWidget *parent);

} // namespace kivo
