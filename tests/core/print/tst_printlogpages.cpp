// KIVO Log Viewer
#include "print/printlogpages.h"

#include <QtTest>

using namespace kivo;

namespace {

// A full page's track 10 inches high at 96 units an inch: 0.254 m of paper.
constexpr double Dpi = 96;
constexpr double Track = 960;
constexpr double MillimetresPerInch = 25.4;

} // namespace

class TestPrintLogPages : public QObject {
    Q_OBJECT

private slots:
    void depthPerPage_data();
    void depthPerPage();
    void pageCount_data();
    void pageCount();
    void pagesFollowEachOther();
    void ticksAreTenMillimetresApart_data();
    void ticksAreTenMillimetresApart();
    void ticksOfAPage_data();
    void ticksOfAPage();
    void labels_data();
    void labels();
    void onlyTheDialogsScales();
};

void TestPrintLogPages::depthPerPage_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("depth"); // thousandths a page holds: 0.254 m (or ft) of paper x N
    QTest::newRow("1:10 metres") << 10 << 0 << 2540.0;
    QTest::newRow("1:20 metres") << 20 << 0 << 5080.0;
    QTest::newRow("1:200 metres") << 200 << 0 << 50800.0;
    // 0.254 m of paper is 0.8333 ft: a 1:20 page holds 16.667 ft.
    QTest::newRow("1:20 feet") << 20 << 1 << 16666.667;
    QTest::newRow("1:100 feet") << 100 << 1 << 83333.333;
}

void TestPrintLogPages::depthPerPage()
{
    QFETCH(int, scale);
    QFETCH(int, unit);
    QFETCH(double, depth);
    const PrintLogPages pages(0, 1000000, scale, PrintLogPages::metresPerUnit(unit), Dpi, Track);
    QVERIFY2(qAbs(pages.depthPerPage() - depth) < 0.01,
             qPrintable(QString::number(pages.depthPerPage())));
    QVERIFY(qAbs(pages.trackHeight(0) - Track) < 1e-6);
}

void TestPrintLogPages::pageCount_data()
{
    QTest::addColumn<qint64>("shallow");
    QTest::addColumn<qint64>("deep");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("pages");
    QTest::newRow("a single depth") << qint64(4000) << qint64(4000) << 20 << 1;
    QTest::newRow("less than a page") << qint64(1000) << qint64(6000) << 20 << 1;
    QTest::newRow("exactly two pages") << qint64(0) << qint64(10160) << 20 << 2;
    QTest::newRow("a hair more") << qint64(0) << qint64(10161) << 20 << 3;
    QTest::newRow("100 m at 1:20") << qint64(0) << qint64(100000) << 20 << 20;
    QTest::newRow("100 m at 1:200") << qint64(0) << qint64(100000) << 200 << 2;
    QTest::newRow("negative depths") << qint64(-3000) << qint64(3000) << 10 << 3;
}

void TestPrintLogPages::pageCount()
{
    QFETCH(qint64, shallow);
    QFETCH(qint64, deep);
    QFETCH(int, scale);
    QFETCH(int, pages);
    QCOMPARE(PrintLogPages(shallow, deep, scale, 1.0, Dpi, Track).pageCount(), pages);
}

void TestPrintLogPages::pagesFollowEachOther()
{
    const PrintLogPages pages(1234, 30000, 20, 1.0, Dpi, Track);
    QCOMPARE(pages.pageCount(), 6);
    QCOMPARE(pages.pageTop(0), 1234.0);
    for (int k = 0; k + 1 < pages.pageCount(); ++k) {
        QCOMPARE(pages.pageBottom(k), pages.pageTop(k + 1));
        QVERIFY(qAbs(pages.trackHeight(k) - Track) < 1e-6);
    }
    QCOMPARE(pages.pageBottom(5), 30000.0);
    // The last page is short: what is left of the range.
    QVERIFY(qAbs(pages.trackHeight(5) - (30000 - 1234 - 5 * 5080) / 5080.0 * Track) < 1e-6);
}

void TestPrintLogPages::ticksAreTenMillimetresApart_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("millimetres");
    for (const int scale : PrintLogPages::Scales)
        QTest::addRow("1:%d metres", scale) << scale << 0 << 10.0;
    // The same scale for feet: a division of 0.01 N ft is 0.01 ft of paper.
    QTest::newRow("1:50 feet") << 50 << 1 << 3.048;
}

void TestPrintLogPages::ticksAreTenMillimetresApart()
{
    QFETCH(int, scale);
    QFETCH(int, unit);
    QFETCH(double, millimetres);
    const PrintLogPages pages(0, 400000, scale, PrintLogPages::metresPerUnit(unit), Dpi, Track);
    const std::vector<qint64> ticks = pages.ticks(0);
    QVERIFY(ticks.size() > 10);
    for (size_t i = 1; i < ticks.size(); ++i) {
        const double apart = (pages.yOf(0, double(ticks[i])) - pages.yOf(0, double(ticks[i - 1]))) /
                             Dpi * MillimetresPerInch;
        QVERIFY2(qAbs(apart - millimetres) < 1e-9, qPrintable(QString::number(apart)));
    }
}

void TestPrintLogPages::ticksOfAPage_data()
{
    QTest::addColumn<qint64>("shallow");
    QTest::addColumn<qint64>("deep");
    QTest::addColumn<int>("page");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<int>("count");
    // 1:20: a tick every 200 thousandths, a page of 5080.
    QTest::newRow("from a depth between ticks")
        << qint64(1050) << qint64(6130) << 0 << qint64(1200) << qint64(6000) << 25;
    QTest::newRow("first of two, the boundary below")
        << qint64(0) << qint64(10160) << 0 << qint64(0) << qint64(5000) << 26;
    QTest::newRow("last, its end included")
        << qint64(0) << qint64(10000) << 1 << qint64(5200) << qint64(10000) << 25;
    QTest::newRow("below zero") << qint64(-700) << qint64(300) << 0 << qint64(-600) << qint64(200)
                                << 5;
}

void TestPrintLogPages::ticksOfAPage()
{
    QFETCH(qint64, shallow);
    QFETCH(qint64, deep);
    QFETCH(int, page);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    QFETCH(int, count);
    const PrintLogPages pages(shallow, deep, 20, 1.0, Dpi, Track);
    const std::vector<qint64> ticks = pages.ticks(page);
    QCOMPARE(int(ticks.size()), count);
    QCOMPARE(ticks.front(), first);
    QCOMPARE(ticks.back(), last);
}

void TestPrintLogPages::labels_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("unit");
    QTest::addColumn<qint64>("depth");
    QTest::addColumn<bool>("labelled");
    QTest::addColumn<QString>("text");
    QTest::newRow("1:10 every half unit") << 10 << 0 << qint64(22500) << true << "22.5m";
    QTest::newRow("1:10 between labels") << 10 << 0 << qint64(22600) << false << "22.6m";
    QTest::newRow("1:20 every unit") << 20 << 0 << qint64(23000) << true << "23.0m";
    QTest::newRow("1:50 every 2.5") << 50 << 0 << qint64(7500) << true << "7.5m";
    QTest::newRow("1:100 whole units") << 100 << 0 << qint64(15000) << true << "15m";
    QTest::newRow("1:200 feet") << 200 << 1 << qint64(130000) << true << "130ft";
    QTest::newRow("1:200 not a tenth") << 200 << 1 << qint64(125000) << false << "125ft";
    QTest::newRow("negative") << 20 << 0 << qint64(-2000) << true << "-2.0m";
}

void TestPrintLogPages::labels()
{
    QFETCH(int, scale);
    QFETCH(int, unit);
    QFETCH(qint64, depth);
    QFETCH(bool, labelled);
    QFETCH(QString, text);
    const PrintLogPages pages(0, 1000, scale, PrintLogPages::metresPerUnit(unit), Dpi, Track);
    QCOMPARE(PrintLogPages::isLabelled(depth, pages.labelStep()), labelled);
    QCOMPARE(pages.label(depth, unit == 0 ? "m" : "ft", QLocale::c()), text);
}

void TestPrintLogPages::onlyTheDialogsScales()
{
    for (const int scale : {10, 20, 50, 100, 200})
        QVERIFY(PrintLogPages::isScale(scale));
    for (const int scale : {0, 1, 25, 500, -20})
        QVERIFY(!PrintLogPages::isScale(scale));
}

QTEST_GUILESS_MAIN(TestPrintLogPages)
#include "tst_printlogpages.moc"
