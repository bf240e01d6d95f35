// KIVO Log Viewer
#include "display/logview.h"
#include "log/readouts.h"
#include "pixelcompare.h"
#include "referenceview.h"
#include "testlog.h"
#include "ui/display/tdxdraw.h"
#include "ui/picks/pickscommands.h"
#include "ui/picks/picktool.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/tscrollbar.h"
#include "viewerdriver.h"

#include <QAction>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

constexpr qint32 FirstDepth = 1000;
constexpr qint32 DepthStep = 5; // a depth mark every 20 records

QPoint scrollBarPoint(TScrollBar *bar, QStyle::SubControl control)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar).center();
}

void wheel(QWidget *widget, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           int y = -1)
{
    const QPointF at(widget->width() / 2.0, y < 0 ? widget->height() / 2.0 : y + 0.5);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(),
                      QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestOpenCommand : public QObject {
    Q_OBJECT

private slots:
    void init();
    void opensFromTheCommandLine();
    void opensThroughTheDialog();
    void openBeforeTheTimerRunsOnce();
    void refusesInvalidIdentWithMessage();
    void refusesMissingHeaderWithMessage();
    void scrollingMatchesFullRedraw_data();
    void scrollingMatchesFullRedraw();
    void readoutsFollowTheEndOfEachAction();
    void zoomFollowsKeysAndWheel();
    void screenFollowsLineSteps();
    void menuStatesFollowTheLog();
    void reopeningRestoresDepthUnit();
    void shortLogHasNoScrollBar();
    void scrollBarFollowsTheWindowSize();
    void dataFileErrorReturnsToIdle();
    void partialRecordIsNoticed();
    void openWhileOpenReplacesTheLog();
    void goToDepth_data();
    void goToDepth();
    void malformedHeaderIsStillNamed();
    void truncatedWhileOpenStillCloses();

private:
    QString writeTestLog(const QString &name, int logMode, qint64 count,
                         const QByteArray &extra = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Viewer> m_viewer;
};

void TestOpenCommand::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
    m_viewer = std::make_unique<Viewer>();
    m_viewer->form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_viewer->form1.get()));
}

QString TestOpenCommand::writeTestLog(const QString &name, int logMode, qint64 count,
                                      const QByteArray &extra)
{
    return writeLog(m_dir->path(), name, validHeader(720, logMode, extra),
                    DataFileContent(720, count, FirstDepth, DepthStep));
}

void TestOpenCommand::opensFromTheCommandLine()
{
    const QString log = writeTestLog("hole7", 12, 2000);
    Viewer viewer({"kivo-viewer", log, "ignored"});
    TForm1 &form = *viewer.form1;
    ViewerDriver driver(form);
    driver.then([&] {
        QCOMPARE(Label2(form)->text(), QStringLiteral("HOLE7.BHX"));
        QVERIFY(Panel10(form)->isVisible());
        QCOMPARE(DXDraw1(form)->width(), 783);
        QCOMPARE(form.state().OpenFromCommandLine, quint8(0));
        QCOMPARE(form.state().LastLogDir, m_dir->path());
        const QImage expected = referenceView(log, DXDraw1(form)->height(), 0);
        QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), expected), QString());
    });
    QElapsedTimer clock;
    clock.start();
    driver.run([&] { form.show(); });
    // The open waits about a second for the window to settle.
    QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!form.openCommand().viewing());
}

void TestOpenCommand::opensThroughTheDialog()
{
    const QString log = writeTestLog("dialog", 12, 100);
    TForm1 &form = *m_viewer->form1;
    form.session().setLastLogDir(m_dir->path());
    QString startDirectory;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        startDirectory = dialog->directory().absolutePath();
        dialog->selectFile(log);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ViewerDriver driver(form);
    driver.then([&] {
        QCOMPARE(startDirectory, m_dir->path());
        QCOMPARE(Label2(form)->text(), QStringLiteral("DIALOG.BHX"));
    });
    driver.run([&] { form.menu().ReplayLog1->trigger(); });
}

void TestOpenCommand::openBeforeTheTimerRunsOnce()
{
    // "&Open" chosen before the command-line timer fires: the named file opens at once, and
    // neither the timer nor another "&Open" starts a second open inside the running one; "&Open"
    // while the log is shown offers the open dialog for the next log, and its cancel leaves
    // the log shown.
    const QString log = writeTestLog("early", 12, 2000);
    Viewer viewer({"kivo-viewer", log});
    TForm1 &form = *viewer.form1;
    form.show();
    QVERIFY(Timer1(form)->isActive());
    ViewerDriver driver(form);
    driver
        .then([&] {
            QCOMPARE(Label2(form)->text(), QStringLiteral("EARLY.BHX"));
            QVERIFY(!Timer1(form)->isActive());
        })
        .then([&] {
            const ModalWatch watch;
            form.ReplayLog1Click();
            QCOMPARE(watch.seen(), QStringList{"QFileDialog"});
            QCOMPARE(form.menu().state(), MainMenu::State::Viewing);
            QCOMPARE(Label2(form)->text(), QStringLiteral("EARLY.BHX"));
        })
        .then([&] {
            // The timer's event, had it been on its way already.
            const ModalWatch watch;
            QSignalSpy fired(Timer1(form), &QTimer::timeout);
            Timer1(form)->start(0);
            QVERIFY(fired.wait(5000));
            QCOMPARE(watch.seen(), QStringList());
            QCOMPARE(form.menu().state(), MainMenu::State::Viewing);
            QVERIFY(form.openCommand().viewing());
        });
    driver.run([&] { form.menu().ReplayLog1->trigger(); });
}

void TestOpenCommand::refusesInvalidIdentWithMessage()
{
    TForm1 &form = *m_viewer->form1;
    const QString log =
        writeLog(m_dir->path(), "bad", "[General]\nIdent=wl_ext\n", DataFileContent(720, 10));
    QString message;
    answerMessageBox(&message);
    form.session().setOpenFromCommandLine(true);
    form.openCommand().setCommandLineFile(log);
    form.ReplayLog1Click();
    QCOMPARE(message, QStringLiteral("Invalid Header!\n") + m_dir->filePath("bad.HED"));
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
    QCOMPARE(form.state().header.Ident, QStringLiteral("wl_ext"));
    QCOMPARE(form.state().LastLogDir, m_dir->path()); // set before the check
    QVERIFY(!DXDraw1(form)->IsReady());
}

void TestOpenCommand::refusesMissingHeaderWithMessage()
{
    TForm1 &form = *m_viewer->form1;
    const QString data = m_dir->filePath("nohead.bhx");
    writeDataFile(data, DataFileContent(720, 10));
    QString message;
    answerMessageBox(&message);
    form.session().setOpenFromCommandLine(true);
    form.openCommand().setCommandLineFile(data);
    form.ReplayLog1Click();
    // The words kivo gives.
    QCOMPARE(message, "No header file " + m_dir->filePath("nohead.HED") + " for this log.");
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
    QCOMPARE(form.state().header.Ident, QStringLiteral("QZ-HEADER")); // reset, nothing read
    QCOMPARE(form.state().HeaderFileName, m_dir->filePath("nohead.HED"));
}

void TestOpenCommand::scrollingMatchesFullRedraw_data()
{
    QTest::addColumn<int>("logMode");
    QTest::newRow("top-down") << 12;
    QTest::newRow("bottom-up") << 11;
}

void TestOpenCommand::scrollingMatchesFullRedraw()
{
    QFETCH(int, logMode);
    const QString log = writeTestLog("scroll", logMode, 3000);
    TForm1 &form = *m_viewer->form1;
    TScrollBar *bar = ScrollBar4(form);
    int passes = 0;
    const auto matches = [&](const char *action) {
        const QImage expected = referenceView(log, DXDraw1(form)->height(), bar->value());
        const QString difference = firstDifference(DXDraw1(form)->Surface()->image(), expected);
        QVERIFY2(difference.isEmpty(), qPrintable(QString(action) + ": " + difference));
        QVERIFY2(form.openCommand().passCount() > passes, action);
        passes = form.openCommand().passCount();
    };
    ViewerDriver driver(form);
    driver.then([&] { matches("open"); })
        .then([&] {
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              scrollBarPoint(bar, QStyle::SC_ScrollBarAddLine));
        })
        .then([&] {
            QCOMPARE(bar->value(), 40);
            matches("line down");
        })
        .then([&] {
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              scrollBarPoint(bar, QStyle::SC_ScrollBarAddLine));
        })
        .then([&] { matches("second line down"); })
        .then([&] {
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              scrollBarPoint(bar, QStyle::SC_ScrollBarSubLine));
        })
        .then([&] {
            QCOMPARE(bar->value(), 40);
            matches("line up");
        })
        .then([&] {
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              scrollBarPoint(bar, QStyle::SC_ScrollBarAddPage));
        })
        .then([&] {
            QCOMPARE(bar->value(), 40 + DXDraw1(form)->height());
            matches("page down");
        })
        .then([&] {
            // Drag the thumb a little way down, then release it.
            const QPoint thumb = scrollBarPoint(bar, QStyle::SC_ScrollBarSlider);
            QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
            QTest::mouseMove(bar, thumb + QPoint(0, 30));
        })
        .then([&] { matches("drag"); })
        .then([&] {
            QTest::mouseRelease(bar, Qt::LeftButton, {},
                                scrollBarPoint(bar, QStyle::SC_ScrollBarSlider));
        })
        .then([&] { matches("thumb released"); })
        .then([&] { QTest::keyClick(bar, Qt::Key_Down); })
        .then([&] { matches("arrow key"); })
        .then([&] { wheel(DXDraw1(form), -2); })
        .then([&] { matches("wheel over the image"); })
        .then([&] { QTest::keyClick(bar, Qt::Key_End); })
        .then([&] {
            QCOMPARE(bar->value(), bar->maximum());
            matches("end");
        })
        .then([&] { QTest::keyClick(bar, Qt::Key_PageUp); })
        .then([&] { matches("page up"); })
        .then([&] { QTest::keyClick(bar, Qt::Key_Home); })
        .then([&] {
            QCOMPARE(bar->value(), 0);
            matches("home");
        });
    driver.openAndRun(log);
}

void TestOpenCommand::readoutsFollowTheEndOfEachAction()
{
    const QString log = writeTestLog("readouts", 12, 3000);
    TForm1 &form = *m_viewer->form1;
    TScrollBar *bar = ScrollBar4(form);
    const auto depthAt = [](qint64 record) {
        return formatDepthReadout(FirstDepth + qint32(record) * DepthStep);
    };
    ViewerDriver driver(form);
    driver
        .then([&] {
            QCOMPARE(Label1(form)->text(), depthAt(0));
            QCOMPARE(Label5(form)->text(), formatBearingReadout(patternBearing(0)));
            QCOMPARE(Label3(form)->text(), *formatAngleReadout(patternAngle(0)));
        })
        .then([&] {
            // The action's own notice comes before the bar moves: the readouts still show the
            // old position until the notice that ends the action.
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            QCOMPARE(Label1(form)->text(), depthAt(0));
            emit bar->scrolled(TScrollBar::scEndScroll);
            QCOMPARE(Label1(form)->text(), depthAt(40));
        })
        .then([&] {
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              scrollBarPoint(bar, QStyle::SC_ScrollBarAddLine));
            QCOMPARE(Label1(form)->text(), depthAt(80));
            QCOMPARE(Label5(form)->text(), formatBearingReadout(patternBearing(80)));
        })
        .then([&] {
            // While the thumb is dragged, each pass leaves the readouts of the view it drew.
            const QPoint thumb = scrollBarPoint(bar, QStyle::SC_ScrollBarSlider);
            QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
            QTest::mouseMove(bar, thumb + QPoint(0, 60));
        })
        .then([&] {
            QVERIFY(bar->isSliderDown());
            QVERIFY(bar->value() > 80);
            QCOMPARE(Label1(form)->text(), depthAt(bar->value()));
            QTest::mouseRelease(bar, Qt::LeftButton, {},
                                scrollBarPoint(bar, QStyle::SC_ScrollBarSlider));
        });
    driver.openAndRun(log);
    // Closing clears the readouts.
    QCOMPARE(Label1(form)->text(), QString());
    QCOMPARE(Label3(form)->text(), QString());
    QCOMPARE(Label5(form)->text(), QString());
    QCOMPARE(Label2(form)->text(), QString());
}

// Ctrl+minus and Ctrl+wheel compress the view, Ctrl+= and Ctrl+wheel away from the user undo
// it; after every pass at every zoom the surface is a full redraw at that zoom, the readouts
// describe the top row's first record, and the status bar names the zoom.
void TestOpenCommand::zoomFollowsKeysAndWheel()
{
    const QString log = writeTestLog("zoom", 12, 8000); // 500 lines at 1:16
    TForm1 &form = *m_viewer->form1;
    TScrollBar *bar = ScrollBar4(form);
    auto *zoomReadout = control<QLabel>(form, "ZoomReadout");
    const auto matches = [&](const char *action, int zoom) {
        QCOMPARE(form.session().zoom(), zoom);
        QCOMPARE(zoomReadout->text(), QStringLiteral("Zoom 1:%1").arg(zoom));
        const QImage expected =
            referenceView(log, DXDraw1(form)->height(), bar->value(), neutralColours(), zoom);
        const QString difference = firstDifference(DXDraw1(form)->Surface()->image(), expected);
        QVERIFY2(difference.isEmpty(), qPrintable(QString(action) + ": " + difference));
        QCOMPARE(Label1(form)->text(),
                 formatDepthReadout(FirstDepth + qint32(bar->value()) * zoom * DepthStep));
    };
    qint64 underPointer = 0;
    ViewerDriver driver(form);
    driver
        .then([&] {
            bar->setValue(1001);
            QVERIFY(activate(&form));
            QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
        })
        .then([&] {
            QCOMPARE(bar->value(), 500); // record 1001 is on the top row's line
            QCOMPARE(bar->maximum(), 4000 - DXDraw1(form)->height());
            matches("Ctrl+minus", 2);
            underPointer = *form.session().geometry().recordOnRow(bar->value(), 100);
            wheel(DXDraw1(form), -1, Qt::ControlModifier, 100);
        })
        .then([&] {
            matches("Ctrl+wheel towards the user", 4);
            QCOMPARE(form.session().geometry().rowOfRecord(bar->value(), underPointer), 100);
            underPointer = bar->value();
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              scrollBarPoint(bar, QStyle::SC_ScrollBarAddLine));
        })
        .then([&] {
            QCOMPARE(bar->value(), underPointer + 40); // 40 rows of four records
            matches("line down", 4);
            QTest::keyClick(bar, Qt::Key_PageDown);
        })
        .then([&] {
            matches("page down", 4);
            const QPoint thumb = scrollBarPoint(bar, QStyle::SC_ScrollBarSlider);
            QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
            QTest::mouseMove(bar, thumb + QPoint(0, 30));
            QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(0, 30));
        })
        .then([&] {
            matches("thumb", 4);
            form.resize(1000, 500);
        })
        .then([&] { QTRY_VERIFY(DXDraw1(form)->height() < 450); })
        .then([&] {
            matches("resize", 4);
            wheel(DXDraw1(form), -2, Qt::ControlModifier);
        })
        .then([&] {
            matches("two notches", 16);
            QTest::keyClick(bar, Qt::Key_Down);
        })
        .then([&] {
            matches("arrow key at 1:16", 16);
            QVERIFY(activate(&form));
            QTest::keyClick(&form, Qt::Key_Equal, Qt::ControlModifier);
        })
        .then([&] {
            matches("Ctrl+=", 8);
            wheel(DXDraw1(form), 5, Qt::ControlModifier);
        })
        .then([&] { matches("Ctrl+wheel away from the user", 1); });
    driver.openAndRun(log);
    QCOMPARE(zoomReadout->text(), QString());
}

// A line step paints only part of the area again: what the X server shows must still be what
// painting the whole area shows, traces of picks crossing the view's edges included.
void TestOpenCommand::screenFollowsLineSteps()
{
    const QString log = writeTestLog("screen", 12, 3000);
    TForm1 &form = *m_viewer->form1;
    TScrollBar *bar = ScrollBar4(form);
    TDXDraw *area = DXDraw1(form);
    const auto depthOfRow = [&](int y) {
        return (FirstDepth + (bar->value() + y) * DepthStep) / 1000.0;
    };
    const auto screenMatches = [&](const char *action) {
        const QPoint at = area->mapTo(&form, QPoint());
        const QImage shown =
            form.screen()
                ->grabWindow(form.winId(), at.x(), at.y(), area->width(), area->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        const QImage whole = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString difference = firstDifference(shown, whole);
        QVERIFY2(difference.isEmpty(), qPrintable(QString(action) + ": " + difference));
    };
    ViewerDriver driver(form);
    driver
        .then([&] {
            PickSet &picks = form.session().picks();
            const int rows = area->height();
            const auto pick = [](double depth, double amplitude, double trough) {
                Pick made;
                made.trace = {depth, amplitude, trough};
                return made;
            };
            // Steep traces across the bottom and the top edge, a flat one in the middle; the
            // first selected (drawn wider, with its trough marked).
            const PickId steep = picks.add(pick(depthOfRow(rows - 10), 0.3, 100.0));
            picks.add(pick(depthOfRow(20), 0.25, 300.0));
            picks.add(pick(depthOfRow(rows / 2), 0.01, 0.0));
            form.picksCommands().tool().select(steep);
            QTest::keyClick(bar, Qt::Key_Down);
        })
        .then([&] {
            screenMatches("line down");
            QTest::keyClick(bar, Qt::Key_Down);
        })
        .then([&] {
            screenMatches("second line down");
            QTest::keyClick(bar, Qt::Key_Up);
        })
        .then([&] {
            screenMatches("line up");
            form.menu().ShowPicks1->trigger(); // the traces hidden: nothing but the picture
        })
        .then([&] { QTest::keyClick(bar, Qt::Key_Down); })
        .then([&] {
            screenMatches("line down without traces");
            form.menu().ShowPicks1->trigger();
            form.session().setZoom(2);
        })
        .then([&] { QTest::keyClick(bar, Qt::Key_Down); })
        .then([&] { screenMatches("line down at 1:2"); });
    driver.openAndRun(log);
}

void TestOpenCommand::menuStatesFollowTheLog()
{
    TForm1 &form = *m_viewer->form1;
    MainMenu &menu = form.menu();
    const auto enabled = [&] {
        QString flags;
        for (QAction *a :
             {menu.ReplayLog1, menu.Close1, menu.EditHeader1, menu.Print1, menu.Print2,
              menu.PrintHeader1, menu.Exit1, menu.Copy1, menu.BrightnessAdjust1, menu.About1})
            flags += a->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return flags;
    };
    // Open, Close, View Header, Print Setup, Print Screen, Print Header, Exit, Copy, Adjust, About
    QCOMPARE(enabled(), QStringLiteral("1001001001"));
    const QString log = writeTestLog("menus", 12, 3000);
    ViewerDriver driver(form);
    driver.then([&] { QCOMPARE(enabled(), QStringLiteral("1111111111")); }).then([&] {
        // Ctrl+W closes the log.
        form.activateWindow();
        QTRY_VERIFY(form.isActiveWindow());
        QTest::keyClick(&form, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(form.state().CloseRequested, quint8(1));
    });
    driver.openAndRun(log);
    QCOMPARE(enabled(), QStringLiteral("1001001001"));
    QCOMPARE(form.state().CloseRequested, quint8(0));
    QVERIFY(!Panel10(form)->isVisible());
    QVERIFY(!DXDraw1(form)->IsReady());
}

void TestOpenCommand::reopeningRestoresDepthUnit()
{
    TForm1 &form = *m_viewer->form1;
    const QString feet = writeTestLog("feet", 12, 50, "DepthUnit=1\n");
    const QString plain = writeTestLog("plain", 12, 50);
    ViewerDriver inFeet(form);
    inFeet.then([&] { QCOMPARE(form.state().params.ViewDepthUnit, 1); });
    inFeet.openAndRun(feet);
    QCOMPARE(form.state().params.ViewDepthUnit, 0);
    ViewerDriver inMetres(form);
    inMetres.then([&] {
        QCOMPARE(form.state().params.ViewDepthUnit, 0);
        // The margin labels say metres.
        const QImage expected = referenceView(plain, DXDraw1(form)->height(), 0);
        QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), expected), QString());
    });
    inMetres.openAndRun(plain);
}

void TestOpenCommand::shortLogHasNoScrollBar()
{
    TForm1 &form = *m_viewer->form1;
    const QString log = writeTestLog("short", 11, 30);
    ViewerDriver driver(form);
    driver.then([&] {
        QVERIFY(!Panel10(form)->isVisible());
        QCOMPARE(DXDraw1(form)->width(), 801);
        const int rows = DXDraw1(form)->height();
        const QImage &surface = DXDraw1(form)->Surface()->image();
        // Bottom-up: record 0 on the bottom row, record 29 thirty rows up; white above.
        QCOMPARE(surface.pixel(64, rows - 1) & 0xFFFFFF, patternColour(0, 1)[0] * 0x10000u +
                                                             patternColour(0, 1)[1] * 0x100u +
                                                             patternColour(0, 1)[2]);
        QCOMPARE(surface.pixel(100, rows - 31) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(Label1(form)->text(), formatDepthReadout(FirstDepth + 29 * DepthStep));
    });
    driver.openAndRun(log);
}

void TestOpenCommand::scrollBarFollowsTheWindowSize()
{
    // A log that fits the view until the window is made smaller: the bar comes and takes the
    // log to its end; made taller again, the bar goes and the view and readouts are back at the
    // top.
    const QString log = writeTestLog("resized", 12, 500);
    TForm1 &form = *m_viewer->form1;
    TScrollBar *bar = ScrollBar4(form);
    const auto showsView = [&](int width) {
        QCOMPARE(DXDraw1(form)->width(), width);
        const QImage expected =
            referenceView(log, DXDraw1(form)->height(), ScrollBar4(form)->value());
        QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), expected), QString());
        QCOMPARE(Label1(form)->text(), formatDepthReadout(FirstDepth + bar->value() * DepthStep));
    };
    ViewerDriver driver(form);
    driver
        .then([&] {
            QVERIFY(!Panel10(form)->isVisible());
            QVERIFY(DXDraw1(form)->height() >= 500);
            form.resize(1000, 400);
        })
        .then([&] { QTRY_VERIFY(Panel10(form)->isVisible()); })
        .then([&] {
            QCOMPARE(bar->maximum(), 500 - DXDraw1(form)->height());
            showsView(783);
            QTest::keyClick(bar, Qt::Key_End);
        })
        .then([&] {
            QCOMPARE(bar->value(), bar->maximum());
            showsView(783);
            form.resize(1000, 700);
        })
        .then([&] { QTRY_VERIFY(!Panel10(form)->isVisible()); })
        .then([&] {
            QCOMPARE(bar->value(), 0);
            showsView(801);
        });
    driver.openAndRun(log);
}

void TestOpenCommand::goToDepth_data()
{
    QTest::addColumn<int>("logMode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("record"); // the record on the top row afterwards
    // 3000 records from 1.000 in steps of 0.005.
    QTest::newRow("top-down") << 12 << "6.000" << qint64(1000);
    QTest::newRow("top-down, nearest") << 12 << "6.0024" << qint64(1000);
    QTest::newRow("bottom-up") << 11 << "6.000" << qint64(1000);
    QTest::newRow("bottom-up, first record") << 11 << "1" << qint64(0);
}

void TestOpenCommand::goToDepth()
{
    QFETCH(int, logMode);
    QFETCH(QString, typed);
    QFETCH(qint64, record);
    const QString log = writeTestLog("goto", logMode, 3000);
    TForm1 &form = *m_viewer->form1;
    const auto typeInto = [](const QString &text) {
        QTimer::singleShot(0, [text] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            auto *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog->objectName() == QLatin1String("GoToDepthDialog"));
            auto *edit = dialog->findChild<QLineEdit *>();
            edit->setText(text);
            QTest::keyClick(edit, Qt::Key_Return);
        });
    };
    ViewerDriver driver(form);
    driver
        .then([&] {
            // Out of the records' range: the box says so and the dialog stays for another try.
            QString message;
            typeInto(QStringLiteral("99"));
            QTimer::singleShot(0, [&] {
                answerMessageBox(&message);
                QTimer::singleShot(0, [] {
                    QTRY_VERIFY(QApplication::activeModalWidget());
                    QApplication::activeModalWidget()->close();
                });
            });
            form.menu().GoToDepth1->trigger();
            QCOMPARE(message, QStringLiteral("Depth out of range! (Range: 1 to 15.995m)"));
        })
        .then([&] {
            QCOMPARE(form.session().position(), qint64(0));
            typeInto(typed);
            form.menu().GoToDepth1->trigger();
        })
        .then([&] {
            const ViewGeometry &view = form.session().geometry();
            const qint64 position = form.session().position();
            QCOMPARE(view.positionWithRecordOnTop(record), position);
            QCOMPARE(ScrollBar4(form)->value(), int(position));
            QCOMPARE(
                Label1(form)->text(),
                formatDepthReadout(FirstDepth + qint32(*view.readoutRecord(position)) * DepthStep));
            const QImage expected = referenceView(log, DXDraw1(form)->height(), position);
            QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), expected), QString());
        });
    driver.openAndRun(log);
}

void TestOpenCommand::openWhileOpenReplacesTheLog()
{
    const QString first = writeTestLog("first", 12, 3000);
    const QString second = writeTestLog("second", 11, 100);
    const QString third = writeTestLog("third", 12, 100);
    TForm1 &form = *m_viewer->form1;
    int closes = 0;
    connect(&form.session(), &LogSession::logClosed, this, [&] { ++closes; });
    ViewerDriver driver(form);
    bool sawSecond = false;
    driver
        .then([&] {
            QTest::keyClick(ScrollBar4(form), Qt::Key_PageDown);
            form.openFile(second); // as Open Recent does
        })
        .then([&] {
            // The first log went through its close-down; the second opened from the top.
            QCOMPARE(closes, 1);
            QCOMPARE(Label2(form)->text(), QStringLiteral("SECOND.BHX"));
            QCOMPARE(form.session().position(), qint64(0));
            sawSecond = true;
            // A dropped .bhx replaces it in turn; another file type is not taken.
            QMimeData other;
            other.setUrls({QUrl::fromLocalFile(m_dir->filePath("notes.txt"))});
            QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton,
                                    Qt::NoModifier);
            QApplication::sendEvent(form.centralWidget(), &refused);
            QVERIFY(!refused.isAccepted());
            QMimeData dropped;
            dropped.setUrls({QUrl::fromLocalFile(third)});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(form.centralWidget(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(form.centralWidget(), &drop);
            QVERIFY(drop.isAccepted());
        })
        .then([] {}) // the loop sees the close request once this turn is over
        .then([&] { QCOMPARE(Label2(form)->text(), QStringLiteral("THIRD.BHX")); });
    driver.openAndRun(first);
    QTRY_VERIFY(!form.openCommand().running());
    QVERIFY(sawSecond);
    QCOMPARE(form.recentFiles(), (QStringList{third, second, first}));
    // Kept in the settings file for the next start.
    form.close();
    Viewer next;
    QCOMPARE(next.form1->recentFiles(), (QStringList{third, second, first}));
    QCOMPARE(next.form1->menu().Recent1->actions().size(), 3);
}

void TestOpenCommand::partialRecordIsNoticed()
{
    TForm1 &form = *m_viewer->form1;
    DataFileContent content(720, 1);
    content.trailing = QByteArray(1589, 'x'); // 2172 + 1589 = 3761 bytes
    const QString log = writeLog(m_dir->path(), "log", validHeader(720), content);
    ViewerDriver driver(form);
    driver.then([&] {
        QCOMPARE(form.notice(), QStringLiteral("LOG.BHX: 3761 bytes, 1 whole record, 1589 bytes "
                                               "past the last record ignored"));
        QCOMPARE(form.session().geometry().recordCount, qint64(1)); // opened all the same
    });
    driver.openAndRun(log);
    QCOMPARE(form.notice(), QString());
}

void TestOpenCommand::dataFileErrorReturnsToIdle()
{
    TForm1 &form = *m_viewer->form1;
    // A header whose data file is a directory: the open fails after the display is made.
    writeFile(m_dir->filePath("dir.HED"), validHeader(720));
    QDir(m_dir->path()).mkdir("dir.bhx");
    // Readouts and a close request standing from before go with the failed open, as they go
    // when a log is closed.
    for (QLabel *readout : {Label1(form), Label3(form), Label5(form)})
        readout->setText(QStringLiteral("12.345"));
    form.session().requestClose();
    QString message;
    answerMessageBox(&message);
    form.session().setOpenFromCommandLine(true);
    form.openCommand().setCommandLineFile(m_dir->filePath("dir.bhx"));
    form.ReplayLog1Click();
    QVERIFY2(message.startsWith("Is a directory: "), qPrintable(message));
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
    QVERIFY(!DXDraw1(form)->IsReady());
    QVERIFY(!form.state().ImageFile.isOpen());
    for (QLabel *readout : {Label1(form), Label3(form), Label5(form)})
        QCOMPARE(readout->text(), QString());
    QCOMPARE(form.state().CloseRequested, quint8(0));
}

void TestOpenCommand::malformedHeaderIsStillNamed()
{
    TForm1 &form = *m_viewer->form1;
    ViewerDriver first(form);
    first.openAndRun(writeTestLog("first", 12, 50));
    // A header the open cannot read to its end belongs to the log chosen, not the one before.
    const QString log = writeTestLog("badstep", 12, 50, "step=one\n");
    QString message;
    answerMessageBox(&message);
    form.session().setOpenFromCommandLine(true);
    form.openCommand().setCommandLineFile(log);
    form.ReplayLog1Click();
    QCOMPARE(message, QStringLiteral("'one' is not a valid floating point value."));
    QCOMPARE(form.state().HeaderFileName, m_dir->filePath("badstep.HED"));
}

void TestOpenCommand::truncatedWhileOpenStillCloses()
{
    TForm1 &form = *m_viewer->form1;
    const QString log = writeTestLog("cut", 12, 3000);
    ViewerDriver driver(form);
    driver.then([&] { QVERIFY(QFile::resize(log, 2172 * 100 + 7)); })
        .then([&] { ScrollBar4(form)->triggerAction(QAbstractSlider::SliderPageStepAdd); })
        .then([&] { ScrollBar4(form)->triggerAction(QAbstractSlider::SliderSingleStepAdd); })
        .then([&] { QVERIFY(QFile::remove(log)); })
        .then([&] { ScrollBar4(form)->triggerAction(QAbstractSlider::SliderToMaximum); });
    driver.openAndRun(log);
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
}

QTEST_MAIN(TestOpenCommand)
#include "tst_opencommand.moc"
