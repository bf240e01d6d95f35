// KIVO Log Viewer
#include "shell/catchall.h"
#include "shell/installedfile.h"
#include "shell/version.h"
#include "ui/common/messages.h"
#include "ui/display/tform2.h"
#include "ui/header/tform6.h"
#include "ui/print/tform8.h"
#include "ui/viewer/tform1.h"
#include "ui/viewer/tform7.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

using namespace kivo;

namespace {

// The windows, until the main window closes.
int runViewer()
{
    TForm1 form1(QApplication::arguments());
    TForm2 form2(form1.session());
    TForm6 form6(form1.session());
    TForm7 form7(&form1);
    TForm8 form8(form1.session(), &form1);
    form1.setWindows(&form2, &form6, &form7, &form8);
    // Without a window manager "maximised" means nothing: take the screen's area first.
    form1.setGeometry(form1.screen()->availableGeometry());
    form1.showMaximized();
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KIVO VIEWER"));
    QApplication::setDesktopFileName(QStringLiteral("kivo-viewer"));
    QApplication::setApplicationVersion(kivoVersion());
    // The menu entry's icon on the windows too, as installed with the program.
    QApplication::setWindowIcon(
        QIcon(installedShareFile(QApplication::applicationDirPath(),
                                 QStringLiteral("icons/hicolor/256x256/apps/kivo-viewer.png"))));
    // Closing the main window ends the program, whichever tool windows are open.
    QApplication::setQuitOnLastWindowClosed(false);
    // An error nothing else caught ends the program, told in the error box once the windows
    // are gone.
    return runCatchingAll(runViewer, [](const QString &text) { showErrorReport(nullptr, text); });
}
