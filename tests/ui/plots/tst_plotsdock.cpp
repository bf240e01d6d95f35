// KIVO Log Viewer
#include "orientedlog.h"
#include "plots/projection.h"
#include "plots/stereonetplot.h"
#include "ui/picks/pickscommands.h"
#include "ui/picks/picktable.h"
#include "ui/picks/picktool.h"
#include "ui/plots/plotsdock.h"
#include "ui/plots/plotspanel.h"
#include "ui/plots/plotview.h"
#include "ui/viewer/mainmenu.h"
#include "viewerdriver.h"

#include <QTableView>
#include <QTemporaryDir>

#include <cmath>

using namespace kivo;
using namespace kivo::test;

class TestPlotsDock : public QObject {
    Q_OBJECT

private slots:
    void viewMenuShowsAndHidesThePanel();
    void clickOnAPoleChoosesThePick();
};

void TestPlotsDock::viewMenuShowsAndHidesThePanel()
{
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    PlotsDock &dock = form.plotsDock();
    QAction *item = form.menu().Plots1;
    QVERIFY(item->isCheckable());
    QVERIFY(!dock.isVisible());
    QCOMPARE(form.dockWidgetArea(&dock), Qt::RightDockWidgetArea);
    item->trigger();
    QTRY_VERIFY(dock.isVisible());
    QVERIFY(item->isChecked());
    // Closed from its own title bar, the menu follows.
    dock.close();
    QTRY_VERIFY(!item->isChecked());
}

void TestPlotsDock::clickOnAPoleChoosesThePick()
{
    // 3000 records from 20.000 m, a millimetre apart, in a vertical hole cut by a 96 mm bit;
    // the picks at 20.2 m and, far below the first view, at 22.5 m.
    QTemporaryDir dir;
    const QString log = writeOrientedLog(
        dir.path(), "well",
        validHeader(720, 12, "RunNo1=1\nBitRec1=96\nBitRecFrom1=0\nBitRecTo1=100\n"), 3000, 20000,
        1, [](qint64) { return qMakePair(qint16(0), qint16(0)); });
    // 45 toward south (amplitude 48 mm) and 30 toward east.
    writeFile(dir.filePath("well.picks.csv"),
              "Depth,Amplitude,TroughAzimuth,Type\r\n20.2,0.048,180,vein\r\n22.5," +
                  QByteArray::number(0.048 * std::tan(qDegreesToRadians(30.0)), 'f', 9) +
                  ",90,fault\r\n");
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    ViewerDriver driver(form);
    driver.then([&] {
        QCOMPARE(form.session().picks().count(), 2);
        form.menu().Plots1->trigger();
        PlotsPanel &panel = form.plotsDock().panel();
        PlotView &net = panel.stereonetView();
        QTRY_VERIFY(net.isVisible() && net.width() > 100);
        const NetLayout layout(QRectF(net.rect()));
        const double r30 = std::sqrt(2.0) * std::sin(qDegreesToRadians(15.0));
        const QPoint pole = layout.toPixel({-r30, 0.0}).toPoint(); // dipping east: pole west
        const qint64 before = form.session().position();
        QTest::mouseClick(&net, Qt::LeftButton, {}, pole);
        // The pick is chosen as from its row: selected in the table and on the image, and
        // the view brought to it.
        const PickId deep = form.session().picks().id(1);
        QCOMPARE(form.picksCommands().tool().selected(), std::optional<PickId>(deep));
        QCOMPARE(form.picksCommands().table().view()->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(form.picksCommands().table().view()->selectionModel()->selectedRows()[0].row(), 1);
        QVERIFY(form.session().position() > before);
        // The track now spans the depths around it.
        QTRY_VERIFY(panel.trackRange() && panel.trackRange()->top < 22.5 &&
                    panel.trackRange()->bottom > 22.5);
    });
    driver.openAndRun(log);
}

QTEST_MAIN(TestPlotsDock)
#include "tst_plotsdock.moc"
