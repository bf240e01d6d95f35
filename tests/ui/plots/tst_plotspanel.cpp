// KIVO Log Viewer
#include "log/logsession.h"
#include "orientedlog.h"
#include "picks/typecolour.h"
#include "plots/projection.h"
#include "ui/plots/plotspanel.h"
#include "ui/plots/plotview.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>
#include <QXmlStreamReader>

#include <cmath>

using namespace kivo;
using namespace kivo::test;

namespace {

// A trace that dips `dip` toward `trough` in the log's vertical 100 mm hole.
Pick planePick(double depth, double dip, double trough, const QString &type)
{
    Pick pick;
    pick.trace = {depth, std::tan(qDegreesToRadians(dip)) / 20.0, trough};
    pick.diameter = 100.0;
    pick.type = type;
    return pick;
}

// The colour of the stereonet at a point of the net.
QColor netColour(PlotView &view, const NetPoint &p)
{
    const NetLayout net(QRectF(view.rect()));
    return view.grab().toImage().pixelColor(net.toPixel(p).toPoint());
}

// A pole 45 degrees from the vertical toward north: a plane dipping 45 toward south.
const NetPoint North45{0.0, std::sqrt(2.0) * std::sin(qDegreesToRadians(22.5))};

} // namespace

class TestPlotsPanel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void followsEveryPickChange();
    void clickOnAPoleOrTadpoleReportsIt();
    void trackFollowsTheView();
    void filtersByTypeAndView();
    void copiesAndSaves();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<LogSession> m_session;
    std::unique_ptr<PlotsPanel> m_panel;
};

void TestPlotsPanel::init()
{
    QVERIFY(m_dir.isValid());
    // 1000 records from 50.000 m a centimetre apart, in a vertical hole, North reference.
    const QString log =
        writeOrientedLog(m_dir.path(), "panel", validHeader(720, 12), 1000, 50000, 10,
                         [](qint64) { return qMakePair(qint16(0), qint16(0)); });
    m_session = std::make_unique<LogSession>();
    m_session->prepareOpen();
    QVERIFY(m_session->readHeader(log).accepted());
    m_session->openDataFile(log);
    m_session->setRows(200);
    m_panel = std::make_unique<PlotsPanel>(*m_session);
    m_panel->resize(420, 1000);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void TestPlotsPanel::cleanup()
{
    m_panel.reset();
    m_session.reset();
}

void TestPlotsPanel::followsEveryPickChange()
{
    PickSet &picks = m_session->picks();
    PlotView &net = m_panel->stereonetView();
    QCOMPARE(netColour(net, North45), QColor(Qt::white));
    const PickId id = picks.add(planePick(50.5, 45.0, 180.0, "fault"));
    QCOMPARE(m_panel->shownPicks().size(), size_t(1));
    QTRY_COMPARE(netColour(net, North45), pickTypeColour("fault"));
    picks.retype(id, "vein");
    QTRY_COMPARE(netColour(net, North45), pickTypeColour("vein"));
    // Refitted to dip toward west: the pole moves east.
    picks.refit(id, std::tan(qDegreesToRadians(45.0)) / 20.0, 270.0);
    QTRY_COMPARE(netColour(net, {North45.y, 0.0}), pickTypeColour("vein"));
    QCOMPARE(netColour(net, North45), QColor(Qt::white));
    picks.remove(id);
    QTRY_COMPARE(netColour(net, {North45.y, 0.0}), QColor(Qt::white));
    picks.undoStack()->undo();
    QTRY_COMPARE(netColour(net, {North45.y, 0.0}), pickTypeColour("vein"));
    picks.reset({planePick(50.2, 45.0, 180.0, "bedding"), planePick(50.3, 10.0, 0.0, "fault")});
    QCOMPARE(m_panel->shownPicks().size(), size_t(2));
    QTRY_COMPARE(netColour(net, North45), pickTypeColour("bedding"));
    // A move shows on the track: the head follows the depth.
    const PickId moved = picks.id(0);
    const auto headOf = [&] {
        const TadpoleLayout layout(QRectF(m_panel->tadpoleView().rect()), *m_panel->trackRange());
        return layout.head(m_panel->allPicks()[size_t(picks.row(moved))]);
    };
    const QPointF before = *headOf();
    picks.move(moved, 51.0);
    const QPointF after = *headOf();
    QVERIFY(after.y() > before.y() + 100.0);
    QTRY_COMPARE(m_panel->tadpoleView().grab().toImage().pixelColor(after.toPoint()),
                 pickTypeColour("bedding"));
}

void TestPlotsPanel::clickOnAPoleOrTadpoleReportsIt()
{
    PickSet &picks = m_session->picks();
    picks.add(planePick(50.2, 20.0, 90.0, "vein"));
    const PickId wanted = picks.add(planePick(50.6, 45.0, 180.0, "fault"));
    QSignalSpy spy(m_panel.get(), &PlotsPanel::pickClicked);
    PlotView &net = m_panel->stereonetView();
    const QPoint pole = NetLayout(QRectF(net.rect())).toPixel(North45).toPoint();
    QTest::mouseClick(&net, Qt::LeftButton, {}, pole + QPoint(2, -1));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.takeFirst().at(0).value<PickId>(), wanted);
    // Away from every pole, nothing.
    QTest::mouseClick(&net, Qt::LeftButton, {}, NetLayout(QRectF(net.rect())).centre.toPoint());
    QCOMPARE(spy.size(), 0);
    PlotView &track = m_panel->tadpoleView();
    const TadpoleLayout layout(QRectF(track.rect()), *m_panel->trackRange());
    const auto head = layout.head(m_panel->allPicks()[1]);
    QVERIFY(head);
    QTest::mouseClick(&track, Qt::LeftButton, {}, head->toPoint());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.takeFirst().at(0).value<PickId>(), wanted);
}

void TestPlotsPanel::trackFollowsTheView()
{
    // 200 rows a centimetre apart from the top record's depth.
    auto range = m_panel->trackRange();
    QVERIFY(range);
    QCOMPARE(range->top, 50.0);
    QVERIFY(std::abs(range->bottom - 51.99) < 1e-9);
    m_session->setPosition(300);
    range = m_panel->trackRange();
    QVERIFY(std::abs(range->top - 53.0) < 1e-9);
    QVERIFY(std::abs(range->bottom - 54.99) < 1e-9);
    // A pick in view has a tadpole; once scrolled past, none.
    m_session->picks().add(planePick(53.5, 30.0, 0.0, "fault"));
    const TadpoleLayout layout(QRectF(m_panel->tadpoleView().rect()), *range);
    QVERIFY(layout.head(m_panel->allPicks()[0]));
    m_session->setPosition(0);
    QVERIFY(!TadpoleLayout(QRectF(m_panel->tadpoleView().rect()), *m_panel->trackRange())
                 .head(m_panel->allPicks()[0]));
    m_session->close();
    QVERIFY(!m_panel->trackRange());
}

void TestPlotsPanel::filtersByTypeAndView()
{
    PickSet &picks = m_session->picks();
    picks.add(planePick(50.5, 30.0, 0.0, "fault"));
    picks.add(planePick(51.5, 40.0, 0.0, "vein"));
    picks.add(planePick(53.5, 50.0, 0.0, "vein"));
    QCOMPARE(m_panel->shownPicks().size(), size_t(3));
    m_panel->setTypes({"vein"});
    QCOMPARE(m_panel->shownPicks().size(), size_t(2));
    // Only the view's depths, 50.00 to 51.99 m at the top.
    m_panel->setViewOnly(true);
    QCOMPARE(m_panel->shownPicks().size(), size_t(1));
    QCOMPARE(m_panel->shownPicks()[0].depth, 51.5);
    m_session->setPosition(300);
    QCOMPARE(m_panel->shownPicks().size(), size_t(1));
    QCOMPARE(m_panel->shownPicks()[0].depth, 53.5);
    m_panel->setTypes({});
    m_panel->setViewOnly(false);
    QCOMPARE(m_panel->shownPicks().size(), size_t(3));
}

void TestPlotsPanel::copiesAndSaves()
{
    m_session->picks().add(planePick(50.5, 45.0, 180.0, "fault"));
    PlotView &net = m_panel->stereonetView();
    net.copyToClipboard();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), net.size());
    QCOMPARE(copied.pixelColor(NetLayout(QRectF(net.rect())).toPixel(North45).toPoint()),
             pickTypeColour("fault"));
    const QString svg = m_dir.filePath("net.svg");
    net.saveTo(svg);
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    m_panel->tabs().setCurrentIndex(1);
    const QString png = m_dir.filePath("rose.png");
    m_panel->roseView().saveTo(png);
    QCOMPARE(QImage(png).size(), m_panel->roseView().size());
}

QTEST_MAIN(TestPlotsPanel)
#include "tst_plotspanel.moc"
