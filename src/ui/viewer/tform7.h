// KIVO Log Viewer
#pragma once

#include <QWidget>

class QPushButton;

namespace kivo {

// The about box: a picture, the program's name, the release it descends from and the build's
// version, and OK. While it is shown the main
// window takes no input; OK is the way back.
class TForm7 : public QWidget {
    Q_OBJECT

public:
    explicit TForm7(QWidget *mainWindow);

    QPushButton *Button1; // "OK"

    // Shows the box and disables the main window.
    void About1Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();

    QWidget *m_mainWindow;
};

} // namespace kivo
