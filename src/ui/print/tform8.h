// KIVO Log Viewer
#pragma once

#include <QSize>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kivo {

class LogSession;

// The print options dialog "Print": a depth range, a depth division, a vertical resolution and
// whether to print the header and margins, checked against the open log's depth range. Made
// hidden at start-up and shown by Print Log, which prints once OK is accepted; Print Header
// reads the "Header" box (CheckBox2) too. It stays on top, 425 x 131 with its frame, centred on the
// screen.
class TForm8 : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize OuterSize{425, 131};

    // mainWindow: enabled again when the dialog closes.
    TForm8(LogSession &session, QWidget *mainWindow);

    QLabel *Label1;       // "Start Depth"
    QLineEdit *Edit1;     // start depth
    QLabel *Label3;       // its unit
    QLabel *Label2;       // "End Depth"
    QLineEdit *Edit2;     // end depth
    QLabel *Label5;       // its unit
    QLabel *Label4;       // "Depth Division:"
    QComboBox *ComboBox1; // "10" to "200"
    QLabel *Label6;       // "Vertical DPI.:"
    QLineEdit *Edit3;     // vertical resolution
    QCheckBox *CheckBox2; // "Header", ticked from the start
    QCheckBox *CheckBox1; // "Include Margins"
    QPushButton *Button2; // "CANCEL"
    QPushButton *Button1; // "OK"

    // OK: checks the entries, one message box for each rejection; closes only when all pass.
    void Button1Click();
    // CANCEL: closes without checking or storing anything.
    void Button2Click();

    // Whether the "Header" box is ticked: Print Header prints only then.
    bool printsHeader() const;

signals:
    // OK passed every check and closed the dialog.
    void accepted();
    // CANCEL, or the window's close button, closed it.
    void cancelled();

protected:
    void showEvent(QShowEvent *event) override;
    // Closing the window is CANCEL: the main window must not stay disabled.
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void placeOnScreen();

    LogSession &m_session;
    QWidget *m_mainWindow;
};

} // namespace kivo
