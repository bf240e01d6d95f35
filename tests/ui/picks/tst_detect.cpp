// KIVO Log Viewer
#include "demo/tracedwall.h"
#include "demo/tracematch.h"
#include "kivorunner.h"
#include "picks/picksfile.h"
#include "picks/typecolour.h"
#include "pixelcompare.h"
#include "referenceview.h"
#include "testlog.h"
#include "ui/picks/detectcommand.h"
#include "ui/picks/detectdialog.h"
#include "ui/picks/pickscommands.h"
#include "ui/picks/picktable.h"
#include "ui/picks/picktool.h"
#include "ui/viewer/mainmenu.h"
#include "viewerdriver.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

#include <cmath>

using namespace kivo;
using namespace kivo::test;

namespace {

constexpr int ImageLeft = 63;
constexpr qint64 Records = 3000;

// Answers the Detect Picks dialog as a user would, keeping the diameter it showed; `after` is
// called once it is answered (to answer the box that follows).
void answerDetectDialog(int range, double confidence, QString *diameter = nullptr,
                        const std::function<void()> &after = {})
{
    QTimer::singleShot(0, [=] {
        QTRY_VERIFY(qobject_cast<DetectDialog *>(QApplication::activeModalWidget()));
        auto *dialog = qobject_cast<DetectDialog *>(QApplication::activeModalWidget());
        dialog->rangeBox()->setCurrentIndex(range);
        dialog->confidenceBox()->setValue(confidence);
        if (diameter)
            *diameter = dialog->diameterLabel()->text();
        dialog->accept();
        if (after)
            after();
    });
}

Pick candidate(double depth, double confidence)
{
    Pick pick;
    pick.type = QStringLiteral("detected");
    pick.trace = {depth, 0.02, 120.0};
    pick.confidence = confidence;
    return pick;
}

// Four candidates by depth, of the confidences given.
QList<Pick> fourCandidates()
{
    return {candidate(100.1, 0.3), candidate(100.2, 0.6), candidate(100.3, 0.9),
            candidate(100.4, 0.95)};
}

} // namespace

class TestDetect : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void findsWhatKivoDetectFinds_data();
    void findsWhatKivoDetectFinds();
    void candidatesAreDashedOverTheImage();
    void keysAcceptAndReject_data();
    void keysAcceptAndReject();
    void enterFinishesThePickBeingMade();
    void acceptAllAbove_data();
    void acceptAllAbove();
    void cancelKeepsTheCandidates();
    void closingTheLogStopsTheSearch();
    void noDiameterIsReported();

private:
    TForm1 &form() { return *m_viewer->form1; }
    PickSet &picks() { return form().session().picks(); }
    CandidateSet &candidates() { return form().session().candidates(); }
    PickTable &table() { return form().picksCommands().table(); }
    DetectCommand &detect() { return form().picksCommands().detect(); }
    // Runs the menu command through its dialog and waits for the search to end.
    void detectThroughDialog(int range, double confidence)
    {
        answerDetectDialog(range, confidence);
        form().menu().DetectPicks1->trigger();
        const ModalWatch watch;
        QTRY_VERIFY_WITH_TIMEOUT(!detect().running(), 20000);
        QCOMPARE(watch.seen(), QStringList());
    }

    QTemporaryDir m_dir;
    QString m_log;
    std::unique_ptr<TracedWall> m_wall;
    std::unique_ptr<Viewer> m_viewer;
};

void TestDetect::initTestCase()
{
    TracedWallDesign design;
    design.records = Records;
    design.seed = 7;
    m_wall = std::make_unique<TracedWall>(design);
    m_log = writeTracedLog(m_dir.path(), QStringLiteral("wall"), *m_wall);
}

void TestDetect::init()
{
    // Wide enough for the pick table beside the image.
    m_viewer = std::make_unique<Viewer>(QStringList{"kivo-viewer"}, QSize(1300, 720));
    form().show();
}

void TestDetect::cleanup()
{
    m_viewer.reset();
}

void TestDetect::findsWhatKivoDetectFinds_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<double>("confidence");
    QTest::newRow("records in view") << int(DetectDialog::RecordsInView) << 0.0;
    QTest::newRow("whole log") << int(DetectDialog::WholeLog) << 0.0;
    QTest::newRow("whole log, confident") << int(DetectDialog::WholeLog) << 0.8;
}

void TestDetect::findsWhatKivoDetectFinds()
{
    QFETCH(int, range);
    QFETCH(double, confidence);
    QList<Pick> shown;
    int rows = 0;
    ViewerDriver driver(form());
    driver.then([&] {
        rows = form().session().geometry().rows;
        detectThroughDialog(range, confidence);
        QVERIFY(table().isVisible());
        QVERIFY(table().candidatesShown());
        QCOMPARE(table().candidateView()->model()->rowCount(), candidates().count());
        shown = candidates().candidates();
        QCOMPARE(picks().count(), 0);
    });
    driver.openAndRun(m_log);
    QVERIFY(rows > 100);

    // kivo over the same records: top-down from 100 m at 1 mm, row y showing record y.
    QStringList arguments{"detect",
                          m_log,
                          "--out",
                          m_dir.filePath("found.csv"),
                          "--min-confidence",
                          QString::number(confidence)};
    if (range == DetectDialog::RecordsInView)
        arguments << "--from"
                  << "100.000"
                  << "--to"
                  << QString::number((TracedWall::FirstDepth + rows - 1) / 1000.0, 'f', 3);
    QCOMPARE(runKivo(arguments).exitCode, 0);
    QFile file(m_dir.filePath("found.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<Pick> expected = readPicksCsv(file.readAll());
    QVERIFY(!expected.isEmpty());
    QCOMPARE(shown.size(), expected.size());
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(qRound(shown[i].trace.depth * 1e4), qRound(expected[i].trace.depth * 1e4));
        QVERIFY(*shown[i].confidence >= confidence);
    }
    if (range == DetectDialog::WholeLog && confidence == 0.0) {
        const TraceMatch match = matchTraces(m_wall->planted(), shown);
        QVERIFY2(match.recall() >= 0.8 && match.precision() >= 0.8,
                 qPrintable(QStringLiteral("%1 of %2").arg(match.found).arg(match.planted)));
    }
}

void TestDetect::candidatesAreDashedOverTheImage()
{
    ViewerDriver driver(form());
    driver.then([&] {
        detectThroughDialog(DetectDialog::RecordsInView, 0.0);
        const int rows = form().session().geometry().rows;
        // Row y shows record position + y, a millimetre below 100 m each.
        const double top = 100000.0 + double(form().session().position());
        const QImage shown = DXDraw1(form())->grab().toImage();
        // The surface is what a full redraw draws: the candidates are not in it.
        const QImage expected =
            referenceView(m_log, DXDraw1(form())->height(), form().session().position());
        QCOMPARE(firstDifference(DXDraw1(form())->Surface()->image(), expected), QString());
        int checked = 0;
        for (const Pick &pick : candidates().candidates()) {
            const double highest = (pick.trace.depth - pick.trace.amplitude) * 1000.0 - top;
            const double lowest = (pick.trace.depth + pick.trace.amplitude) * 1000.0 - top;
            if (highest < 2 || lowest > rows - 3)
                continue;
            // Column j at azimuth (j + 0.5) / 2, on the row of its record.
            int drawn = 0;
            for (int j = 0; j < 720; ++j) {
                const double depth = pick.trace.depthAt((j + 0.5) / 2.0);
                const int y = int(std::lround(depth * 1000.0 - top));
                drawn += QColor(shown.pixel(ImageLeft + j, y)) == candidateColour() ? 1 : 0;
            }
            QVERIFY2(drawn > 720 / 3 && drawn < 720 * 3 / 4, qPrintable(QString::number(drawn)));
            ++checked;
        }
        QVERIFY(checked > 0);
        // The README's picture of the candidates.
        if (qEnvironmentVariableIsSet("KIVO_DETECT_SCREENSHOT"))
            form().grab().save(qEnvironmentVariable("KIVO_DETECT_SCREENSHOT"));
    });
    driver.openAndRun(m_log);
}

void TestDetect::keysAcceptAndReject_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("picksAdded");
    QTest::newRow("Enter") << int(Qt::Key_Enter) << 1;
    QTest::newRow("Return") << int(Qt::Key_Return) << 1;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0;
}

void TestDetect::keysAcceptAndReject()
{
    QFETCH(int, key);
    QFETCH(int, picksAdded);
    ViewerDriver driver(form());
    driver.then([&] {
        const ModalWatch watch;
        candidates().reset(fourCandidates());
        form().picksCommands().PickTable1Click();
        table().showCandidates(true);
        QTableView *view = table().candidateView();
        QVERIFY(activate(&form()));
        view->setFocus();
        view->setCurrentIndex(view->model()->index(1, 0));
        QTest::keyClick(view, Qt::Key(key));
        QCOMPARE(candidates().count(), 3);
        QCOMPARE(view->model()->rowCount(), 3);
        QCOMPARE(picks().count(), picksAdded);
        if (picksAdded) {
            QCOMPARE(picks().pick(0), fourCandidates()[1]); // a pick of type detected
            picks().undoStack()->undo();
            QCOMPARE(picks().count(), 0);
        }
        // The next one down is the current row now.
        QCOMPARE(*candidates().candidate(view->currentIndex().row()).confidence, 0.9);
        QCOMPARE(watch.seen(), QStringList());
    });
    driver.openAndRun(m_log);
}

// With the candidate table focused, Enter still finishes a pick being made and accepts nothing.
void TestDetect::enterFinishesThePickBeingMade()
{
    ViewerDriver driver(form());
    driver.then([&] {
        const ModalWatch watch;
        candidates().reset(fourCandidates());
        PickTool &tool = form().picksCommands().tool();
        tool.askDiameter = [](double) {
            return std::optional<double>(96.0);
        };
        tool.startPicking();
        for (const QPoint at : {QPoint(100, 200), QPoint(300, 260), QPoint(500, 220)})
            QTest::mouseClick(DXDraw1(form()), Qt::LeftButton, {}, at);
        QVERIFY(tool.liveFit());
        form().picksCommands().PickTable1Click();
        table().showCandidates(true);
        QTableView *view = table().candidateView();
        QVERIFY(activate(&form()));
        view->setFocus();
        view->setCurrentIndex(view->model()->index(1, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(!tool.picking());
        QCOMPARE(picks().count(), 1);
        QVERIFY(!picks().pick(0).confidence); // the pick made, not a candidate
        QCOMPARE(candidates().count(), 4);
        // Out of pick mode, Enter accepts the current candidate again.
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(candidates().count(), 3);
        QCOMPARE(picks().count(), 2);
        QCOMPARE(watch.seen(), QStringList());
        // The log's picks file as the other tests find it.
        picks().undoStack()->undo();
        picks().undoStack()->undo();
        QCOMPARE(picks().count(), 0);
    });
    driver.openAndRun(m_log);
}

void TestDetect::acceptAllAbove_data()
{
    QTest::addColumn<double>("confidence");
    QTest::addColumn<int>("accepted");
    QTest::newRow("0") << 0.0 << 4;
    QTest::newRow("0.6, equal taken") << 0.6 << 3;
    QTest::newRow("0.91") << 0.91 << 1;
    QTest::newRow("1") << 1.0 << 0;
}

void TestDetect::acceptAllAbove()
{
    QFETCH(double, confidence);
    QFETCH(int, accepted);
    ViewerDriver driver(form());
    driver.then([&] {
        candidates().reset(fourCandidates());
        table().showCandidates(true);
        QVERIFY(table().acceptAllButton()->isVisibleTo(&table()));
        QTimer::singleShot(0, [confidence] {
            QTRY_VERIFY(qobject_cast<QInputDialog *>(QApplication::activeModalWidget()));
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            dialog->setDoubleValue(confidence);
            dialog->accept();
        });
        table().acceptAllButton()->click();
        QCOMPARE(picks().count(), accepted);
        QCOMPARE(candidates().count(), 4 - accepted);
        if (accepted > 0) {
            picks().undoStack()->undo(); // one step for all of them
            QCOMPARE(picks().count(), 0);
        }
    });
    driver.openAndRun(m_log);
}

void TestDetect::cancelKeepsTheCandidates()
{
    ViewerDriver driver(form());
    driver.then([&] {
        candidates().reset({candidate(100.5, 0.5)});
        answerDetectDialog(DetectDialog::WholeLog, 0.0);
        form().menu().DetectPicks1->trigger();
        QVERIFY(detect().running());
        QProgressDialog *progress = detect().progressWindow();
        QVERIFY(progress && progress->isVisible());
        progress->findChild<QPushButton *>()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!detect().running(), 20000);
        QCOMPARE(candidates().candidates(), QList<Pick>{candidate(100.5, 0.5)});
        QVERIFY(!detect().progressWindow());
        QVERIFY2(form().notice().contains("cancelled"), qPrintable(form().notice()));
    });
    driver.openAndRun(m_log);
}

void TestDetect::closingTheLogStopsTheSearch()
{
    ViewerDriver driver(form());
    driver.then([&] {
        answerDetectDialog(DetectDialog::WholeLog, 0.0);
        form().menu().DetectPicks1->trigger();
        QVERIFY(detect().running());
        form().Close1Click();
    });
    driver.openAndRun(m_log);
    QVERIFY(!detect().running());
    QVERIFY(!detect().progressWindow());
    // Opened again, the log has no candidates, and nothing of the stopped search comes late.
    ViewerDriver again(form());
    again.then([&] {
        QTest::qWait(500);
        QCOMPARE(candidates().count(), 0);
    });
    again.openAndRun(m_log);
}

void TestDetect::noDiameterIsReported()
{
    QTemporaryDir dir;
    const QString log =
        writeLog(dir.path(), "nobit", validHeader(720), DataFileContent(720, 200, 100000, 1));
    QString diameter;
    QString box;
    ViewerDriver driver(form());
    driver.then([&] {
        answerDetectDialog(DetectDialog::WholeLog, 0.0, &diameter, [&] { answerMessageBox(&box); });
        form().menu().DetectPicks1->trigger();
    });
    driver.openAndRun(log);
    QVERIFY2(diameter.contains("no bit size"), qPrintable(diameter));
    QVERIFY2(box.contains("no bit size"), qPrintable(box));
    QVERIFY(!detect().running());
}

QTEST_MAIN(TestDetect)
#include "tst_detect.moc"
