// KIVO Log Viewer
#include "pixelcompare.h"
#include "referenceview.h"
#include "testlog.h"
#include "ui/display/tdxdraw.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/tscrollbar.h"
#include "viewerdriver.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

TColourMap colourMap(double brightness, double contrast)
{
    TColourMap map;
    map.Brightness = brightness;
    map.Contrast = contrast;
    BuildColourMap(map);
    return map;
}

// True when every table entry maps its byte to itself.
bool neutral(const TColourMap &map)
{
    for (int i = 0; i < 256; ++i) {
        if (map.RedTable[size_t(i)] != i || map.GreenTable[size_t(i)] != i << 8 ||
            map.BlueTable[size_t(i)] != i << 16)
            return false;
    }
    return true;
}

quint32 rgb(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

} // namespace

class TestTForm2 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowIsAFixedToolWindow();
    void controlsAtTheirPlaces();
    void captionsAreReadable();
    void tabOrder();
    void barsSetTheNumbersAsTheyMove_data();
    void barsSetTheNumbersAsTheyMove();
    void movingBarsLeavesThePicture();
    void applyRedrawsWithTheNewTables();
    void defaultRebuildsEvenAtDefaults();
    void defaultResetsMovedBars();
    void closeKeepsPositionsAndValues();
    void escapeCloses();
    void ctrlDShowsTheWindowWithoutBlocking();
    void applyWithNoLogOpenDrawsTheNextLog();

private:
    QString writeTestLog(const QString &name, qint64 count);
    // The surface as a full redraw with the given tables draws it.
    void checkPicture(const QString &log, const TColourMap &colours, const char *what);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Viewer> m_viewer;
    TForm1 *m_form = nullptr;
    TForm2 *m_adjust = nullptr;
};

void TestTForm2::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
    m_viewer = std::make_unique<Viewer>();
    m_form = m_viewer->form1.get();
    m_adjust = m_viewer->form2.get();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestTForm2::cleanup()
{
    m_viewer.reset();
}

QString TestTForm2::writeTestLog(const QString &name, qint64 count)
{
    // Top-down: record k on row k, sample i in column 63 + i; red k, green i, blue k + i.
    return writeLog(m_dir->path(), name, validHeader(720, 12), DataFileContent(720, count));
}

void TestTForm2::checkPicture(const QString &log, const TColourMap &colours, const char *what)
{
    const QImage expected = referenceView(log, DXDraw1(*m_form)->height(), 0, colours);
    const QString difference = firstDifference(DXDraw1(*m_form)->Surface()->image(), expected);
    QVERIFY2(difference.isEmpty(), qPrintable(QString(what) + ": " + difference));
}

void TestTForm2::windowIsAFixedToolWindow()
{
    QCOMPARE(m_adjust->windowTitle(), QStringLiteral("Display Adjust"));
    QVERIFY(!m_adjust->parentWidget());
    QVERIFY(!m_adjust->isVisible());
    const Qt::WindowFlags flags = m_adjust->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint)));
    m_adjust->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_adjust));
    QCOMPARE(m_adjust->size(), QSize(232, 122));
    QCOMPARE(m_adjust->minimumSize(), QSize(232, 122));
    QCOMPARE(m_adjust->maximumSize(), QSize(232, 122));
    QVERIFY(!m_adjust->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    const QRect screen = m_adjust->screen()->availableGeometry();
    QVERIFY(qAbs(m_adjust->geometry().center().x() - screen.center().x()) <= 1);
}

void TestTForm2::controlsAtTheirPlaces()
{
    QCOMPARE(m_adjust->Label1->text(), QStringLiteral("BRIGHTNESS"));
    QCOMPARE(m_adjust->Label1->pos(), QPoint(80, 8));
    QCOMPARE(m_adjust->Label2->text(), QStringLiteral("-"));
    QCOMPARE(m_adjust->Label2->pos(), QPoint(16, 8));
    QCOMPARE(m_adjust->Label3->text(), QStringLiteral("+"));
    QCOMPARE(m_adjust->Label3->pos(), QPoint(208, 8));
    QCOMPARE(m_adjust->Label4->text(), QStringLiteral("CONTRAST"));
    QCOMPARE(m_adjust->Label4->pos(), QPoint(88, 48));

    QScrollBar *brightness = m_adjust->ScrollBar1;
    QCOMPARE(brightness->objectName(), QStringLiteral("ScrollBar1"));
    QCOMPARE(brightness->orientation(), Qt::Horizontal);
    QCOMPARE(brightness->geometry(), QRect(16, 24, 201, 16));
    QCOMPARE(brightness->minimum(), -100);
    QCOMPARE(brightness->maximum(), 100);
    QCOMPARE(brightness->value(), 0);
    QCOMPARE(brightness->singleStep(), 1);
    QCOMPARE(brightness->pageStep(), 1);

    QScrollBar *contrast = m_adjust->ScrollBar2;
    QCOMPARE(contrast->objectName(), QStringLiteral("ScrollBar2"));
    QCOMPARE(contrast->orientation(), Qt::Horizontal);
    QCOMPARE(contrast->geometry(), QRect(16, 64, 201, 16));
    QCOMPARE(contrast->minimum(), 0);
    QCOMPARE(contrast->maximum(), 800);
    QCOMPARE(contrast->value(), 100);
    QCOMPARE(contrast->singleStep(), 1);
    QCOMPARE(contrast->pageStep(), 1);

    QCOMPARE(m_adjust->Button2->text(), QStringLiteral("DEFAULT"));
    QCOMPARE(m_adjust->Button2->geometry(), QRect(16, 96, 65, 17));
    QCOMPARE(m_adjust->Button3->text(), QStringLiteral("APPLY"));
    QCOMPARE(m_adjust->Button3->geometry(), QRect(96, 96, 57, 17));
    QCOMPARE(m_adjust->Button1->text(), QStringLiteral("CLOSE"));
    QCOMPARE(m_adjust->Button1->geometry(), QRect(168, 96, 51, 17));
}

void TestTForm2::captionsAreReadable()
{
    m_adjust->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_adjust));
    for (QPushButton *button : {m_adjust->Button1, m_adjust->Button2, m_adjust->Button3}) {
        const QFontMetrics metrics(button->font());
        QVERIFY2(metrics.horizontalAdvance(button->text()) + 6 <= button->width(),
                 qPrintable(button->text()));
        QVERIFY2(metrics.height() <= button->height() - 2, qPrintable(button->text()));
    }
    const QRect client = m_adjust->rect();
    for (QLabel *label : {m_adjust->Label1, m_adjust->Label2, m_adjust->Label3, m_adjust->Label4}) {
        QVERIFY2(client.contains(label->geometry()), qPrintable(label->text()));
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        // Each caption sits above its bar without covering it.
        for (QScrollBar *bar : {m_adjust->ScrollBar1, m_adjust->ScrollBar2})
            QVERIFY2(!label->geometry().intersects(bar->geometry()), qPrintable(label->text()));
    }
    // The signs are larger than the captions, at most the 16 pixels above the bar.
    QVERIFY(m_adjust->Label2->height() <= 16);
    QVERIFY(m_adjust->Label2->font().pixelSize() > QFontMetrics(m_adjust->font()).ascent());
}

void TestTForm2::tabOrder()
{
    m_adjust->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_adjust));
    m_adjust->activateWindow();
    QTRY_VERIFY(m_adjust->isActiveWindow());
    m_adjust->ScrollBar1->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), m_adjust->ScrollBar1);
    const QList<QWidget *> expected{m_adjust->ScrollBar2, m_adjust->Button1, m_adjust->Button2,
                                    m_adjust->Button3, m_adjust->ScrollBar1};
    QList<QWidget *> visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QCOMPARE(visited, expected);
}

void TestTForm2::barsSetTheNumbersAsTheyMove_data()
{
    QTest::addColumn<bool>("contrastBar");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<double>("brightness");
    QTest::addColumn<double>("contrast");
    QTest::newRow("brightness right") << false << int(Qt::Key_Right) << 3 << 3.0 << 100.0;
    QTest::newRow("brightness left") << false << int(Qt::Key_Left) << 2 << -2.0 << 100.0;
    QTest::newRow("brightness page") << false << int(Qt::Key_PageDown) << 4 << 4.0 << 100.0;
    QTest::newRow("brightness end") << false << int(Qt::Key_End) << 1 << 100.0 << 100.0;
    QTest::newRow("brightness home") << false << int(Qt::Key_Home) << 1 << -100.0 << 100.0;
    QTest::newRow("contrast right") << true << int(Qt::Key_Right) << 5 << 0.0 << 105.0;
    QTest::newRow("contrast page up") << true << int(Qt::Key_PageUp) << 2 << 0.0 << 98.0;
    QTest::newRow("contrast end") << true << int(Qt::Key_End) << 1 << 0.0 << 800.0;
    QTest::newRow("contrast home") << true << int(Qt::Key_Home) << 1 << 0.0 << 0.0;
}

void TestTForm2::barsSetTheNumbersAsTheyMove()
{
    QFETCH(bool, contrastBar);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(double, brightness);
    QFETCH(double, contrast);
    m_adjust->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_adjust));
    QScrollBar *bar = contrastBar ? m_adjust->ScrollBar2 : m_adjust->ScrollBar1;
    const ViewerState &state = m_form->state();
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(bar, Qt::Key(key));
        // The number follows the bar at every step.
        const double number = contrastBar ? state.ColourMap.Contrast : state.ColourMap.Brightness;
        QCOMPARE(number, double(bar->value()));
    }
    QCOMPARE(state.ColourMap.Brightness, brightness);
    QCOMPARE(state.ColourMap.Contrast, contrast);
    QVERIFY(neutral(state.ColourMap)); // nothing rebuilt
    QCOMPARE(state.RedrawPending, quint8(0));
}

void TestTForm2::movingBarsLeavesThePicture()
{
    const QString log = writeTestLog("moved", 2000);
    TForm1 &form = *m_form;
    QImage before;
    int passes = 0;
    int presents = 0;
    ViewerDriver driver(form);
    driver
        .then([&] {
            before = DXDraw1(form)->Surface()->image().copy();
            passes = form.openCommand().passCount();
            presents = DXDraw1(form)->presentCount();
            form.menu().BrightnessAdjust1->trigger();
            QVERIFY(QTest::qWaitForWindowExposed(m_adjust));
            presents = DXDraw1(form)->presentCount();
            m_adjust->ScrollBar1->setValue(60);
            QTest::keyClick(m_adjust->ScrollBar2, Qt::Key_End);
        })
        .then([&] {
            QCOMPARE(form.state().ColourMap.Brightness, 60.0);
            QCOMPARE(form.state().ColourMap.Contrast, 800.0);
            QVERIFY(neutral(form.state().ColourMap));
            QCOMPARE(form.openCommand().passCount(), passes);
            QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), before), QString());
            QTest::mouseClick(m_adjust->Button1, Qt::LeftButton);
            QVERIFY(!m_adjust->isVisible());
        })
        .then([&] {
            QCOMPARE(form.openCommand().passCount(), passes);
            QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), before), QString());
            checkPicture(log, neutralColours(), "after close");
            // A later APPLY takes the bars as they are now.
            form.BrightnessAdjust1Click();
            QTest::mouseClick(m_adjust->Button3, Qt::LeftButton);
        })
        .then([&] {
            QCOMPARE(form.openCommand().passCount(), passes + 1);
            checkPicture(log, colourMap(60, 800), "later apply");
        });
    driver.openAndRun(log);
    QVERIFY(presents > 0);
}

void TestTForm2::applyRedrawsWithTheNewTables()
{
    const QString log = writeTestLog("bright", 2000);
    TForm1 &form = *m_form;
    int passes = 0;
    ViewerDriver driver(form);
    driver
        .then([&] {
            form.BrightnessAdjust1Click();
            m_adjust->ScrollBar1->setValue(100);
            m_adjust->ScrollBar2->setValue(800);
            passes = form.openCommand().passCount();
            QTest::mouseClick(m_adjust->Button3, Qt::LeftButton);
            QCOMPARE(form.state().RedrawKind, quint8(RedrawFull));
            QCOMPARE(form.state().RedrawPending, quint8(1));
            QCOMPARE(form.state().ColourMap.mapped(0), quint8(100));
            QCOMPARE(form.state().ColourMap.mapped(19), quint8(252));
            QCOMPARE(form.state().ColourMap.mapped(20), quint8(255));
        })
        .then([&] {
            QCOMPARE(form.openCommand().passCount(), passes + 1);
            checkPicture(log, colourMap(100, 800), "apply 100/800");
            const QImage &surface = DXDraw1(form)->Surface()->image();
            // Row 0 is record 0: red 0 -> 100; sample 5: green and blue 5 -> 140.
            QCOMPARE(rgb(surface, 63 + 5, 0), 0x648C8Cu);
            // Sample 20 of record 0: green and blue 20 and up -> 255.
            QCOMPARE(rgb(surface, 63 + 20, 0), 0x64FFFFu);
            // Record 30, sample 30: every byte from 20 up.
            QCOMPARE(rgb(surface, 63 + 30, 30), 0xFFFFFFu);
            // Record 2, sample 1: red 2 -> 116, green 1 -> 108, blue 3 -> 124.
            QCOMPARE(rgb(surface, 63 + 1, 2), 0x746C7Cu);
        });
    driver.openAndRun(log);
}

void TestTForm2::defaultRebuildsEvenAtDefaults()
{
    const QString log = writeTestLog("default", 2000);
    TForm1 &form = *m_form;
    const ViewerState &state = form.state();
    int passes = 0;
    ViewerDriver driver(form);
    driver
        .then([&] {
            form.BrightnessAdjust1Click();
            passes = form.openCommand().passCount();
            QTest::mouseClick(m_adjust->Button2, Qt::LeftButton);
            QCOMPARE(state.RedrawKind, quint8(RedrawFull));
            QCOMPARE(state.RedrawPending, quint8(1));
        })
        .then([&] {
            QCOMPARE(form.openCommand().passCount(), passes + 1);
            checkPicture(log, neutralColours(), "default at defaults");
            // Tables built bright, then both bars moved back by hand without APPLY: DEFAULT
            // finds the bars at their defaults and still makes the tables neutral again.
            m_adjust->ScrollBar1->setValue(40);
            QTest::mouseClick(m_adjust->Button3, Qt::LeftButton);
        })
        .then([&] {
            checkPicture(log, colourMap(40, 100), "apply 40");
            m_adjust->ScrollBar1->setValue(0);
            QCOMPARE(state.ColourMap.Brightness, 0.0);
            QCOMPARE(state.ColourMap.mapped(0), quint8(40));
            passes = form.openCommand().passCount();
            QTest::mouseClick(m_adjust->Button2, Qt::LeftButton);
            QVERIFY(neutral(state.ColourMap));
        })
        .then([&] {
            QCOMPARE(form.openCommand().passCount(), passes + 1);
            checkPicture(log, neutralColours(), "default after apply");
        });
    driver.openAndRun(log);
}

void TestTForm2::defaultResetsMovedBars()
{
    const ViewerState &state = m_form->state();
    m_adjust->show();
    m_adjust->ScrollBar1->setValue(-35);
    m_adjust->ScrollBar2->setValue(640);
    m_adjust->Button3Click();
    QCOMPARE(state.ColourMap.mapped(10), quint8(29)); // 10 * 6.4 - 35
    m_form->session().takeRedrawRequest();
    QTest::mouseClick(m_adjust->Button2, Qt::LeftButton);
    QCOMPARE(m_adjust->ScrollBar1->value(), 0);
    QCOMPARE(m_adjust->ScrollBar2->value(), 100);
    QCOMPARE(state.ColourMap.Brightness, 0.0);
    QCOMPARE(state.ColourMap.Contrast, 100.0);
    QVERIFY(neutral(state.ColourMap));
    QCOMPARE(state.RedrawKind, quint8(RedrawFull));
    QCOMPARE(state.RedrawPending, quint8(1));
    QVERIFY(m_adjust->isVisible());
}

void TestTForm2::escapeCloses()
{
    m_adjust->show();
    QVERIFY(activate(m_adjust));
    m_adjust->ScrollBar1->setValue(30);
    QTest::keyClick(m_adjust, Qt::Key_Escape);
    QVERIFY(!m_adjust->isVisible());
    QCOMPARE(m_form->state().ColourMap.Brightness, 30.0); // as CLOSE: kept, nothing rebuilt
}

void TestTForm2::closeKeepsPositionsAndValues()
{
    const ViewerState &state = m_form->state();
    m_adjust->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_adjust));
    m_adjust->ScrollBar1->setValue(-20);
    m_adjust->ScrollBar2->setValue(250);
    m_adjust->Button3Click();
    m_adjust->ScrollBar1->setValue(15); // moved after APPLY: the tables stay as applied
    m_form->session().takeRedrawRequest();
    QTest::mouseClick(m_adjust->Button1, Qt::LeftButton);
    QVERIFY(!m_adjust->isVisible());
    QCOMPARE(state.RedrawPending, quint8(0));
    QCOMPARE(state.ColourMap.Brightness, 15.0);
    QCOMPARE(state.ColourMap.Contrast, 250.0);
    QCOMPARE(state.ColourMap.mapped(10), quint8(5)); // 10 * 2.5 - 20
    m_form->BrightnessAdjust1Click();
    QVERIFY(QTest::qWaitForWindowExposed(m_adjust));
    QCOMPARE(m_adjust->ScrollBar1->value(), 15);
    QCOMPARE(m_adjust->ScrollBar2->value(), 250);
    QCOMPARE(state.ColourMap.Brightness, 15.0);
    QCOMPARE(state.ColourMap.Contrast, 250.0);
}

void TestTForm2::ctrlDShowsTheWindowWithoutBlocking()
{
    const QString log = writeTestLog("ctrld", 2000);
    TForm1 &form = *m_form;
    ViewerDriver driver(form);
    driver
        .then([&] {
            QVERIFY(!m_adjust->isVisible());
            form.activateWindow();
            QTRY_VERIFY(form.isActiveWindow());
            QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
            QVERIFY(QTest::qWaitForWindowExposed(m_adjust));
            QVERIFY(!QApplication::activeModalWidget());
            // The main window still takes its commands: a page down scrolls the view.
            QTest::keyClick(ScrollBar4(form), Qt::Key_PageDown);
        })
        .then([&] {
            QCOMPARE(ScrollBar4(form)->value(), DXDraw1(form)->height());
            QVERIFY(m_adjust->isVisible());
        });
    driver.openAndRun(log);
    // Closing the log leaves the window where it is.
    QVERIFY(m_adjust->isVisible());
}

void TestTForm2::applyWithNoLogOpenDrawsTheNextLog()
{
    const QString log = writeTestLog("later", 2000);
    TForm1 &form = *m_form;
    ViewerDriver first(form);
    first.then([&] { form.BrightnessAdjust1Click(); });
    first.openAndRun(log);
    QVERIFY(!form.openCommand().viewing());
    QVERIFY(m_adjust->isVisible());
    m_adjust->ScrollBar1->setValue(-50);
    m_adjust->ScrollBar2->setValue(300);
    QTest::mouseClick(m_adjust->Button3, Qt::LeftButton);
    QCOMPARE(form.state().ColourMap.mapped(100), quint8(250));
    QVERIFY(!DXDraw1(form)->IsReady()); // nothing drawn without a log
    ViewerDriver second(form);
    second.then([&] { checkPicture(log, colourMap(-50, 300), "next log"); });
    second.openAndRun(log);
}

QTEST_MAIN(TestTForm2)
#include "tst_tform2.moc"
