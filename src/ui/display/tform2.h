// KIVO Log Viewer
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollBar;

namespace kivo {

class LogSession;

// The "Display Adjust" tool window: brightness and contrast of the colour tables. The bars set
// the two numbers as they move; only APPLY and DEFAULT rebuild the tables and ask the open
// command's loop for a full redraw. A tool window that stays above the main window without
// blocking it, closed only with CLOSE, which hides it and keeps everything as it is.
class TForm2 : public QWidget {
    Q_OBJECT

public:
    explicit TForm2(LogSession &session);

    QLabel *Label1;         // "BRIGHTNESS"
    QLabel *Label2;         // "-", at the brightness bar's left end
    QLabel *Label3;         // "+", at its right end
    QScrollBar *ScrollBar1; // brightness, -100 to 100
    QLabel *Label4;         // "CONTRAST"
    QScrollBar *ScrollBar2; // contrast in percent, 0 to 800
    QPushButton *Button2;   // "DEFAULT"
    QPushButton *Button3;   // "APPLY"
    QPushButton *Button1;   // "CLOSE"

    void ScrollBar1Change();
    void ScrollBar2Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    QScrollBar *scrollBar(const QString &name, int y, int minimum, int maximum, int position);

    LogSession &m_session;
};

} // namespace kivo
