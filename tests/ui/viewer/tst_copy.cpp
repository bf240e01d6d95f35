// KIVO Log Viewer
#include "pixelcompare.h"
#include "referenceview.h"
#include "testlog.h"
#include "ui/display/tdxdraw.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/tscrollbar.h"
#include "viewerdriver.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QProcess>
#include <QtEndian>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

constexpr int FileHeader = 14;
constexpr int InfoHeader = 40;

quint32 u32(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 u16(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

// What the clipboard offers for a target, as another program reads it. This process owns the
// clipboard and must go on serving events while xclip asks for the data.
void readClipboard(const QString &target, QByteArray *data)
{
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), target, QStringLiteral("-o")});
    QVERIFY2(xclip.waitForStarted(5000), "xclip did not start");
    QTRY_VERIFY_WITH_TIMEOUT(xclip.state() == QProcess::NotRunning, 10000);
    QCOMPARE(xclip.exitCode(), 0);
    *data = xclip.readAllStandardOutput();
}

// The clipboard's BMP against the picture it must hold: file header, info header, row padding,
// rows bottom-up, every pixel.
void checkBmp(const QByteArray &bmp, const QImage &picture, int rowLength)
{
    const int width = picture.width(), height = picture.height();
    QCOMPARE(rowLength, (24 * width + 31) / 32 * 4);
    QCOMPARE(qsizetype(bmp.size()), qsizetype(FileHeader + InfoHeader + rowLength * height));
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(u32(bmp, 2), quint32(bmp.size()));
    QCOMPARE(u32(bmp, 6), 0u);
    QCOMPARE(u32(bmp, 10), quint32(FileHeader + InfoHeader));
    const QByteArray dib = bmp.mid(FileHeader);
    QCOMPARE(u32(dib, 0), quint32(InfoHeader));
    QCOMPARE(qint32(u32(dib, 4)), width);
    QCOMPARE(qint32(u32(dib, 8)), height); // positive: bottom row first
    QCOMPARE(u16(dib, 12), quint16(1));
    QCOMPARE(u16(dib, 14), quint16(24));
    QCOMPARE(u32(dib, 16), 0u);
    QCOMPARE(u32(dib, 20), quint32(rowLength * height));
    QCOMPARE(dib.mid(24, 16), QByteArray(16, '\0'));
    for (int y = 0; y < height; ++y) {
        const char *row = dib.constData() + InfoHeader + qsizetype(rowLength) * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const QRgb stored =
                qRgb(uchar(row[3 * x + 2]), uchar(row[3 * x + 1]), uchar(row[3 * x]));
            const QRgb expected = picture.pixel(x, y) | 0xFF000000u;
            if (stored != expected)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(stored & 0xFFFFFF, 6, 16)
                                     .arg(expected & 0xFFFFFF, 6, 16)));
        }
        for (int pad = 3 * width; pad < rowLength; ++pad)
            QCOMPARE(int(row[pad]), 0);
    }
    // An independent reader sees the same picture.
    QCOMPARE(firstDifference(QImage::fromData(bmp, "BMP"), picture), QString());
}

} // namespace

class TestCopy : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copiesTheSurface_data();
    void copiesTheSurface();
    void ctrlCCopies();
    void secondCopyReplacesTheFirst();
    void noLogShowsTheMessage();

private:
    QString writeTestLog(const QString &name, int logMode, qint64 count);
    // Everything the clipboard offers checked against the picture.
    void checkClipboard(const QImage &picture, int rowLength);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Viewer> m_viewer;
    TForm1 *m_form = nullptr;
};

void TestCopy::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
    m_viewer = std::make_unique<Viewer>();
    m_form = m_viewer->form1.get();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestCopy::cleanup()
{
    m_viewer.reset();
}

QString TestCopy::writeTestLog(const QString &name, int logMode, qint64 count)
{
    return writeLog(m_dir->path(), name, validHeader(720, logMode), DataFileContent(720, count));
}

void TestCopy::checkClipboard(const QImage &picture, int rowLength)
{
    QByteArray targets;
    readClipboard(QStringLiteral("TARGETS"), &targets);
    const QList<QByteArray> offered = targets.split('\n');
    QVERIFY2(offered.contains("image/bmp"), targets.constData());
    QVERIFY2(offered.contains("image/png"), targets.constData());

    QByteArray bmp;
    readClipboard(QStringLiteral("image/bmp"), &bmp);
    if (QTest::currentTestFailed())
        return;
    checkBmp(bmp, picture, rowLength);
    if (QTest::currentTestFailed())
        return;
    // The white frame pixel at x 63 of the top row, where a reader of the packed bitmap finds it.
    const int frame = FileHeader + InfoHeader + rowLength * (picture.height() - 1) + 3 * 63;
    QCOMPARE(bmp.mid(frame, 3), QByteArray(3, char(255)));

    QByteArray png;
    readClipboard(QStringLiteral("image/png"), &png);
    QVERIFY(png.startsWith("\x89PNG"));
    QCOMPARE(firstDifference(QImage::fromData(png, "PNG"), picture), QString());
}

void TestCopy::copiesTheSurface_data()
{
    QTest::addColumn<int>("logMode");
    QTest::addColumn<qint64>("records");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("rowLength");
    QTest::newRow("scroll bar shown") << 12 << qint64(3000) << 783 << 2352; // 2349 padded
    QTest::newRow("short log") << 11 << qint64(30) << 801 << 2404;          // 2403 padded
}

void TestCopy::copiesTheSurface()
{
    QFETCH(int, logMode);
    QFETCH(qint64, records);
    QFETCH(int, width);
    QFETCH(int, rowLength);
    const QString log = writeTestLog("copy", logMode, records);
    TForm1 &form = *m_form;
    QImage picture;
    int cursorWhileStoring = -1;
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QMetaObject::Connection watch = connect(clipboard, &QClipboard::dataChanged, this, [&] {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        cursorWhileStoring = cursor ? int(cursor->shape()) : int(Qt::ArrowCursor);
    });
    int passes = 0;
    ViewerDriver driver(form);
    driver
        .then([&] {
            QCOMPARE(DXDraw1(form)->width(), width);
            picture = DXDraw1(form)->Surface()->image().copy();
            passes = form.openCommand().passCount();
            form.menu().Copy1->trigger();
            QVERIFY(!QGuiApplication::overrideCursor());
            QCOMPARE(form.state().RedrawPending, quint8(0)); // the viewer is left as it was
        })
        .then([&] {
            QCOMPARE(form.openCommand().passCount(), passes);
            QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), picture), QString());
            // The loop still draws after the capture: a page down redraws.
            if (ScrollBar4(form)->isVisible())
                QTest::keyClick(ScrollBar4(form), Qt::Key_PageDown);
        })
        .then([&] {
            if (ScrollBar4(form)->isVisible()) {
                QCOMPARE(form.openCommand().passCount(), passes + 1);
                const QImage expected =
                    referenceView(log, DXDraw1(form)->height(), ScrollBar4(form)->value());
                QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), expected), QString());
            }
        });
    driver.openAndRun(log);
    disconnect(watch);
    QCOMPARE(cursorWhileStoring, int(Qt::WaitCursor));
    QCOMPARE(picture.width(), width);
    QCOMPARE(firstDifference(picture, referenceView(log, picture.height(), 0)), QString());
    // The snapshot stays on the clipboard after the log is closed and the later redraws.
    checkClipboard(picture, rowLength);
}

void TestCopy::ctrlCCopies()
{
    const QString log = writeTestLog("keys", 12, 3000);
    TForm1 &form = *m_form;
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QImage picture;
    ViewerDriver driver(form);
    driver.then([&] {
        form.activateWindow();
        QTRY_VERIFY(form.isActiveWindow());
        picture = DXDraw1(form)->Surface()->image().copy();
        QTest::keyClick(&form, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat("image/bmp"));
        QByteArray bmp;
        readClipboard(QStringLiteral("image/bmp"), &bmp);
        if (QTest::currentTestFailed())
            return;
        checkBmp(bmp, picture, 2352);
    });
    driver.openAndRun(log);
}

void TestCopy::secondCopyReplacesTheFirst()
{
    const QString log = writeTestLog("twice", 12, 3000);
    TForm1 &form = *m_form;
    QImage first;
    QImage second;
    ViewerDriver driver(form);
    driver
        .then([&] {
            first = DXDraw1(form)->Surface()->image().copy();
            form.menu().Copy1->trigger();
            QByteArray bmp;
            readClipboard(QStringLiteral("image/bmp"), &bmp);
            if (QTest::currentTestFailed())
                return;
            checkBmp(bmp, first, 2352);
            QTest::keyClick(ScrollBar4(form), Qt::Key_PageDown);
        })
        .then([&] {
            second = DXDraw1(form)->Surface()->image().copy();
            QVERIFY(!firstDifference(second, first).isEmpty());
            form.menu().Copy1->trigger();
        });
    driver.openAndRun(log);
    checkClipboard(second, 2352);
    QByteArray targets;
    readClipboard(QStringLiteral("TARGETS"), &targets);
    QCOMPARE(targets.split('\n').count("image/bmp"), qsizetype(1));
}

void TestCopy::noLogShowsTheMessage()
{
    TForm1 &form = *m_form;
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    QVERIFY(!DXDraw1(form)->Surface());
    bool busyDuringMessage = true;
    QTimer::singleShot(0, [&] { busyDuringMessage = QGuiApplication::overrideCursor(); });
    QString message;
    answerMessageBox(&message);
    form.Copy1Click();
    QCOMPARE(message, QStringLiteral("Insufficient Resources to complete operation"));
    QVERIFY(!busyDuringMessage);
    QVERIFY(!QGuiApplication::overrideCursor());
    QByteArray text;
    readClipboard(QStringLiteral("UTF8_STRING"), &text);
    QCOMPARE(text, QByteArray("kept"));
    QByteArray targets;
    readClipboard(QStringLiteral("TARGETS"), &targets);
    QVERIFY2(!targets.contains("image/"), targets.constData());
}

QTEST_MAIN(TestCopy)
#include "tst_copy.moc"
