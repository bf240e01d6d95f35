// KIVO Log Viewer
#include "kivorunner.h"
#include "orientedlog.h"
#include "picks/picksfile.h"
#include "picks/typecolour.h"
#include "pixelcompare.h"
#include "referenceview.h"
#include "ui/picks/pickscommands.h"
#include "ui/picks/picktable.h"
#include "ui/picks/picktool.h"
#include "ui/viewer/mainmenu.h"
#include "viewerdriver.h"

#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace kivo;
using namespace kivo::test;

namespace {

// Records from 10.000 m in steps of 1 mm, in a hole 30 degrees from vertical toward 45 degrees,
// drilled with a 96 mm bit; top-down, so that row y shows record y at position 0.
constexpr qint32 FirstDepth = 10000;
constexpr int ImageLeft = 63;

double depthOfRow(int y)
{
    return (FirstDepth + y) / 1000.0;
}

} // namespace

class TestPicking : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void threeClicksMakeThePickKivoFits();
    void dragDeleteAndUndo();
    void overlayStaysOutOfTheSurface();
    void fileChangedElsewhereIsNotOverwritten();
    void pickingFollowsTheZoom();

private:
    PickTool &tool() { return m_viewer->form1->picksCommands().tool(); }
    PickSet &picks() { return m_viewer->form1->session().picks(); }
    void click(const QPoint &at)
    {
        QTest::mouseClick(DXDraw1(*m_viewer->form1), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_log;
    std::unique_ptr<Viewer> m_viewer;
};

void TestPicking::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_log = writeOrientedLog(
        m_dir->path(), "hole",
        validHeader(720, 12, "RunNo1=1\nBitRec1=96\nBitRecFrom1=0\nBitRecTo1=100\n"), 2000,
        FirstDepth, 1, [](qint64) { return qMakePair(qint16(30), qint16(45)); });
    m_viewer = std::make_unique<Viewer>();
    m_viewer->form1->show();
}

void TestPicking::cleanup()
{
    m_viewer.reset();
    m_dir.reset();
}

void TestPicking::threeClicksMakeThePickKivoFits()
{
    TForm1 &form = *m_viewer->form1;
    const QList<QPoint> clicks = {
        {ImageLeft + 10, 100}, {ImageLeft + 250, 140}, {ImageLeft + 500, 90}};
    PickValues values;
    Sinusoid trace;
    ViewerDriver driver(form);
    driver.then([&] {
        form.menu().NewPick1->trigger();
        QVERIFY(tool().picking());
        for (const QPoint &at : clicks)
            click(at);
        QVERIFY(tool().liveFit().has_value());
        QVERIFY(activate(&form));
        QTest::keyClick(&form, Qt::Key_Return);
        QVERIFY(!tool().picking());
        QCOMPARE(picks().count(), 1);
        values = picks().values(0);
        trace = picks().pick(0).trace;
        // The table shows it, and the file beside the log holds it already.
        QCOMPARE(form.picksCommands().table().view()->model()->rowCount(), 1);
        QFile file(m_dir->filePath("hole.picks.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(readPicksCsv(file.readAll()).size(), 1);
    });
    driver.openAndRun(m_log);

    QStringList arguments{"fit", m_log};
    for (const QPoint &at : clicks)
        arguments << "--point"
                  << QStringLiteral("%1,%2")
                         .arg(depthOfRow(at.y()), 0, 'f', 3)
                         .arg((at.x() - ImageLeft + 0.5) / 2);
    const KivoRun run = runKivo(arguments);
    QCOMPARE(run.exitCode, 0);
    const QJsonObject fit = QJsonDocument::fromJson(run.out).object();
    QVERIFY(values.apparentDip && values.trueDip && values.trueDipAzimuth);
    QCOMPARE(qRound(fit["Depth"].toDouble() * 1e4), qRound(trace.depth * 1e4));
    QCOMPARE(qRound(fit["ApparentDip"].toDouble() * 100), qRound(*values.apparentDip * 100));
    QCOMPARE(qRound(fit["TrueDip"].toDouble() * 100), qRound(*values.trueDip * 100));
    QCOMPARE(qRound(fit["TrueDipAzimuth"].toDouble() * 100), qRound(*values.trueDipAzimuth * 100));
}

void TestPicking::dragDeleteAndUndo()
{
    TForm1 &form = *m_viewer->form1;
    PickId id = 0;
    ViewerDriver driver(form);
    driver.then([&] {
        Pick pick;
        pick.trace = {depthOfRow(200), 0.030, 90.0};
        id = picks().add(pick);
        // Drag the trace 20 rows down where it crosses 270 degrees (its shallowest point).
        const auto at = tool().tracePoint(id, 270.0);
        QVERIFY(at.has_value());
        QWidget *area = DXDraw1(form);
        QTest::mousePress(area, Qt::LeftButton, {}, *at);
        QTest::mouseMove(area, *at + QPoint(0, 20));
        QTest::mouseRelease(area, Qt::LeftButton, {}, *at + QPoint(0, 20));
        QCOMPARE(qRound(picks().pick(0).trace.depth * 1000), FirstDepth + 220);
        // Drag its trough to 180 degrees, 10 rows below the centre.
        const auto trough = tool().troughPoint(id);
        QVERIFY(trough.has_value());
        const QPoint target(ImageLeft + 360,
                            qRound(picks().pick(0).trace.depth * 1000) - FirstDepth + 10);
        QTest::mousePress(area, Qt::LeftButton, {}, *trough);
        QTest::mouseMove(area, target);
        QTest::mouseRelease(area, Qt::LeftButton, {}, target);
        QCOMPARE(qRound(picks().pick(0).trace.amplitude * 1000), 10);
        QCOMPARE(picks().pick(0).trace.troughAzimuth, 180.25); // the centre of column 360
        // Delete the selected pick, then undo the delete and both drags.
        QCOMPARE(tool().selected(), std::optional<PickId>(id));
        form.menu().DeletePick1->trigger();
        QCOMPARE(picks().count(), 0);
        QUndoStack *undo = picks().undoStack();
        undo->undo();
        QCOMPARE(picks().count(), 1);
        undo->undo();
        undo->undo();
        QCOMPARE(qRound(picks().pick(0).trace.depth * 1000), FirstDepth + 200);
        QCOMPARE(qRound(picks().pick(0).trace.amplitude * 1000), 30);
    });
    driver.openAndRun(m_log);
}

void TestPicking::overlayStaysOutOfTheSurface()
{
    TForm1 &form = *m_viewer->form1;
    ViewerDriver driver(form);
    std::optional<PickId> id;
    driver
        .then([&] {
            Pick pick;
            pick.type = QStringLiteral("fault");
            pick.trace = {depthOfRow(150), 0.040, 200.0};
            id = picks().add(pick);
            QTest::keyClick(ScrollBar4(form), Qt::Key_Down); // a line step with a trace in view
        })
        .then([&] {
            const qint64 position = form.session().position();
            QCOMPARE(position, qint64(40));
            // The surface is what a full redraw draws: the trace is not in it.
            const QImage expected = referenceView(m_log, DXDraw1(form)->height(), position);
            QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), expected), QString());
            // On screen the trace is there, in the fault colour.
            const QImage shown = DXDraw1(form)->grab().toImage();
            const auto at = tool().tracePoint(*id, 30.0);
            QVERIFY(at.has_value());
            QCOMPARE(QColor(shown.pixel(*at)), pickTypeColour(QStringLiteral("fault")));
            // Copy takes the picture as shown.
            form.Copy1Click();
            QTRY_VERIFY(!QGuiApplication::clipboard()->image().isNull());
            QCOMPARE(QColor(QGuiApplication::clipboard()->image().pixel(*at)),
                     pickTypeColour(QStringLiteral("fault")));
            // Under the pointer (column 100: 50.25 degrees) the record's depth, the sample and the
            // hole's orientation, as the readouts show it. Sent, not moved: the real pointer's own
            // enter and leave would race with it.
            const QPoint over(ImageLeft + 100, 60);
            QMouseEvent move(QEvent::MouseMove, over, DXDraw1(form)->mapToGlobal(over),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(DXDraw1(form), &move);
            QCOMPARE(
                form.pointerText(),
                QStringLiteral("Depth %1 m   Azimuth 50.3").arg(depthOfRow(40 + 60), 0, 'f', 3) +
                    QChar(0x00B0) + "   RGB 128 128 128   Angle 60.0   Bearing 45.0");
            form.menu().ShowPicks1->trigger();
            QCOMPARE(QColor(DXDraw1(form)->grab().toImage().pixel(*at)),
                     QColor(expected.pixel(*at)));
        });
    driver.openAndRun(m_log);
}

// At 1:4 row y (at the top of the log) shows records 4y..4y+3, 1 mm apart: a click there takes
// their mean depth, to the thousandth (10.000 + 0.004 y + 0.0015, rounded up), the pointer
// readout shows it, and the trace of the pick made goes through the rows clicked.
void TestPicking::pickingFollowsTheZoom()
{
    TForm1 &form = *m_viewer->form1;
    const auto rowDepth = [](int y) {
        return (FirstDepth + 4 * y + 2) / 1000.0;
    };
    const QList<QPoint> clicks = {
        {ImageLeft + 10, 100}, {ImageLeft + 250, 140}, {ImageLeft + 500, 90}};
    ViewerDriver driver(form);
    driver.then([&] { form.session().setZoom(4); }).then([&] {
        form.menu().NewPick1->trigger();
        for (const QPoint &at : clicks)
            click(at);
        QCOMPARE(tool().points().size(), clicks.size());
        for (int i = 0; i < clicks.size(); ++i)
            QCOMPARE(qRound(tool().points()[i].depth * 1000),
                     qRound(rowDepth(clicks[i].y()) * 1000));
        const QPoint over(ImageLeft + 100, 60);
        QMouseEvent move(QEvent::MouseMove, over, DXDraw1(form)->mapToGlobal(over), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(DXDraw1(form), &move);
        QVERIFY2(form.pointerText().startsWith(
                     QStringLiteral("Depth %1 m").arg(rowDepth(60), 0, 'f', 3)),
                 qPrintable(form.pointerText()));
        tool().finish();
        QCOMPARE(picks().count(), 1);
        for (const QPoint &at : clicks) {
            const auto on = tool().tracePoint(picks().id(0), (at.x() - ImageLeft + 0.5) / 2);
            QVERIFY(on.has_value());
            QVERIFY2(qAbs(on->y() - at.y()) <= 1, qPrintable(QString::number(on->y())));
        }
    });
    driver.openAndRun(m_log);
}

void TestPicking::fileChangedElsewhereIsNotOverwritten()
{
    TForm1 &form = *m_viewer->form1;
    const QString path = m_dir->filePath("hole.picks.csv");
    QString asked;
    ViewerDriver driver(form);
    driver.then([&] {
        Pick first;
        first.trace = {depthOfRow(100), 0.01, 0.0};
        picks().add(first);
        // Another program writes its own picks meanwhile.
        Pick theirs;
        theirs.trace = {depthOfRow(300), 0.02, 0.0};
        theirs.comment = QStringLiteral("theirs");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(writePicksCsv({theirs}, {PickValues{}}));
        file.close();
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            asked = box->text();
            for (QAbstractButton *button : box->buttons())
                if (button->text() == QStringLiteral("&Reload"))
                    button->click();
        });
        Pick second;
        second.trace = {depthOfRow(200), 0.01, 0.0};
        picks().add(second); // the save finds the file changed and asks
        QVERIFY2(asked.contains("changed by another program"), qPrintable(asked));
        // Reloaded: their file, untouched, and its picks in the table.
        QCOMPARE(picks().count(), 1);
        QCOMPARE(picks().pick(0).comment, QStringLiteral("theirs"));
    });
    driver.openAndRun(m_log);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(readPicksCsv(file.readAll()).first().comment, QStringLiteral("theirs"));
}

QTEST_MAIN(TestPicking)
#include "tst_picking.moc"
