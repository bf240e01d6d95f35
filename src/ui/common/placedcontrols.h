// KIVO Log Viewer
#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kivo {

// Controls at fixed positions, as the dialogs are laid out: a caption with its edit box on one
// row, unit labels after the box, labels, group boxes and buttons. Each control but a plain
// caption gets its component name as object name, so that tests and style sheets find it.
namespace placed {

constexpr int RowHeight = 24;  // from one row of edit boxes to the next
constexpr int EditHeight = 21; // an edit box, and the caption beside it

// The edit box "Edit<number>".
QLineEdit *edit(QWidget *parent, int number, int x, int y, int width);
// A caption (right of x, `captionWidth` wide, vertically centred on the box) followed by the
// edit box "Edit<number>", `editWidth` wide.
QLineEdit *captionedEdit(QWidget *parent, const QString &caption, int number, int x, int y,
                         int captionWidth, int editWidth);
// A plain caption.
QLabel *caption(QWidget *parent, const QString &text, int x, int y, int width);
// The label "Label<number>" with its top-left corner at (x, y), as wide and high as its text.
QLabel *label(QWidget *parent, const QString &text, int number, int x, int y);
// The unit label "Label<number>" beside an edit box; "xxx" until it is set.
QLabel *unitLabel(QWidget *parent, int number, int x, int y);
QGroupBox *groupBox(QWidget *parent, const QString &title, int number, int x, int y, int width,
                    int height);
QPushButton *button(QWidget *parent, const QString &text, int number, int x, int y, int width,
                    int height);

} // namespace placed

} // namespace kivo
