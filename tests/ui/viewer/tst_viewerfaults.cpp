// KIVO Log Viewer
#include "pixelcompare.h"
#include "referenceview.h"
#include "shell/settingsfile.h"
#include "testlog.h"
#include "ui/display/tdxdraw.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/tscrollbar.h"
#include "viewerdriver.h"

#include <QKeyEvent>
#include <QLabel>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestViewerFaults : public QObject {
    Q_OBJECT

private slots:
    void init();
    void queuedScrollsCollapseIntoOnePass();
    void closeDuringAFullRedraw();
    void sparseFiveGigabytesScrollsToTheEnd();
    void fileReplacedWhileOpen();
    void junkSettingsAtStartUp();
    // These two run the program's own event loop and quit it: keep them last.
    void exitFromAMessageBoxOfTheOpenCommand();
    void exitWhileViewingEndsTheProgram();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestViewerFaults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
}

void TestViewerFaults::queuedScrollsCollapseIntoOnePass()
{
    const QString log = writeLog(m_dir->path(), "many", validHeader(720), {720, 5000});
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    int passes = 0;
    ViewerDriver driver(form);
    driver
        .then([&] {
            passes = form.openCommand().passCount();
            // Ten thousand arrow presses waiting in the queue, as from a stuck key.
            for (int i = 0; i < 10000; ++i) {
                QCoreApplication::postEvent(ScrollBar4(form),
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, {}));
            }
        })
        .then([&] {
            QCOMPARE(form.openCommand().passCount(), passes + 1);
            QCOMPARE(ScrollBar4(form)->value(), ScrollBar4(form)->maximum());
            const QImage expected =
                referenceView(log, DXDraw1(form)->height(), ScrollBar4(form)->value());
            QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), expected), QString());
        });
    driver.openAndRun(log);
}

void TestViewerFaults::closeDuringAFullRedraw()
{
    // A close asked for while a full redraw is due: the pass completes, then the loop ends.
    const QString log = writeLog(m_dir->path(), "close", validHeader(720), {720, 5000});
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    int passes = 0;
    ViewerDriver driver(form);
    driver.then([&] {
        passes = form.openCommand().passCount();
        ScrollBar4(form)->setValue(1234);
        form.session().requestRedraw(RedrawFull);
        form.menu().Close1->trigger();
    });
    driver.openAndRun(log);
    QCOMPARE(form.openCommand().passCount(), passes + 1);
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
    QVERIFY(!form.state().ImageFile.isOpen());
}

void TestViewerFaults::sparseFiveGigabytesScrollsToTheEnd()
{
    writeFile(m_dir->filePath("big.HED"), validHeader(720));
    const qint64 records = (qint64(5) << 30) / 2172;
    {
        QFile big(m_dir->filePath("big.bhx"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        if (!big.resize((records - 1) * 2172))
            QSKIP("no sparse files here");
        QVERIFY(big.seek((records - 1) * 2172));
        big.write(makeRecord(720, 1234500, 5, 6, [](int) { return Rgb{200, 100, 50}; }));
    }
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    ViewerDriver driver(form);
    driver.then([&] { QTest::keyClick(ScrollBar4(form), Qt::Key_End); }).then([&] {
        QCOMPARE(qint64(ScrollBar4(form)->maximum()), records - DXDraw1(form)->height());
        // The file's last record is on the bottom row, with its depth mark.
        const QImage &surface = DXDraw1(form)->Surface()->image();
        const int bottom = DXDraw1(form)->height() - 1;
        QCOMPARE(surface.pixel(400, bottom) & 0xFFFFFF, 0xC86432u);
        QCOMPARE(surface.pixel(58, bottom) & 0xFFFFFF, 0u);      // the tick
        QCOMPARE(surface.pixel(400, bottom - 1) & 0xFFFFFF, 0u); // a hole: zero bytes
    });
    driver.openAndRun(m_dir->filePath("big.bhx"));
}

void TestViewerFaults::fileReplacedWhileOpen()
{
    const QString log = writeLog(m_dir->path(), "swap", validHeader(720), {720, 2000});
    const QString larger = m_dir->filePath("larger.bhx");
    writeDataFile(larger, DataFileContent(720, 9000, 777, 3));
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    ViewerDriver driver(form);
    driver
        .then([&] {
            QFile::remove(log);
            QVERIFY(QFile::rename(larger, log));
        })
        .then([&] { QTest::keyClick(ScrollBar4(form), Qt::Key_End); })
        .then([&] {
            // The open file is still the one the user opened.
            const QImage expected =
                referenceView(log, DXDraw1(form)->height(), ScrollBar4(form)->value());
            QVERIFY(ScrollBar4(form)->maximum() == 2000 - DXDraw1(form)->height());
            QVERIFY(!firstDifference(DXDraw1(form)->Surface()->image(), expected).isEmpty());
        });
    driver.openAndRun(log);
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
}

void TestViewerFaults::junkSettingsAtStartUp()
{
    QDir().mkpath(m_dir->filePath("config/kivo"));
    writeFile(m_dir->filePath("config/kivo/bhx_view.Ini"),
              QByteArray("\x01\x02[File Par\xff\n=\n[[\nLogDir\n", 24));
    Viewer viewer;
    QCOMPARE(viewer.form1->state().LastLogDir, QCoreApplication::applicationDirPath() + "/");
    viewer.form1->session().setLastLogDir(m_dir->path());
    viewer.form1->close();
    QCOMPARE(loadLastLogDir(m_dir->filePath("config/kivo/bhx_view.Ini"), "none"), m_dir->path());
}

void TestViewerFaults::exitFromAMessageBoxOfTheOpenCommand()
{
    // The open command shows "Invalid Header!"; the user quits while the box is up. The box
    // goes with the program, the open returns and the program's loop ends.
    const QString log =
        writeLog(m_dir->path(), "bad", "[General]\nIdent=BAD\n", DataFileContent(720, 3));
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    bool boxSeen = false;
    QTimer::singleShot(0, [&] {
        form.session().setOpenFromCommandLine(true);
        form.openCommand().setCommandLineFile(log);
        form.ReplayLog1Click();
    });
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        boxSeen = true;
        form.Exit1Click();
    });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(boxSeen);
    QVERIFY(form.quitRequested());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
    QCOMPARE(loadLastLogDir(form.settingsPath(), "none"), m_dir->path());
}

void TestViewerFaults::exitWhileViewingEndsTheProgram()
{
    const QString log = writeLog(m_dir->path(), "open", validHeader(720), {720, 3000});
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    ViewerDriver driver(form);
    driver.then([&] { form.menu().Exit1->trigger(); });
    QTimer::singleShot(0, [&] { driver.openAndRun(log); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(driver.finished());
    QVERIFY(!form.openCommand().viewing());
    QVERIFY(!DXDraw1(form)->area().isInitialized());
}

QTEST_MAIN(TestViewerFaults)
#include "tst_viewerfaults.moc"
