// KIVO Log Viewer
#include "kivoerror.h"
#include "print/singlepage.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

using namespace kivo;

class TestSinglePage : public QObject {
    Q_OBJECT

private slots:
    void pageAtPrintResolution_data();
    void pageAtPrintResolution();
    void deviceThatCannotBegin();
};

void TestSinglePage::pageAtPrintResolution_data()
{
    // The paper in points less the writer's margins of 10 points, at 96 units an inch, rounded up.
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<QSize>("area");
    QTest::newRow("A4 portrait") << QPageSize::A4 << QPageLayout::Portrait << QSize(767, 1097);
    QTest::newRow("A4 landscape") << QPageSize::A4 << QPageLayout::Landscape << QSize(1097, 767);
    QTest::newRow("letter portrait")
        << QPageSize::Letter << QPageLayout::Portrait << QSize(790, 1030);
}

void TestSinglePage::pageAtPrintResolution()
{
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(QPageLayout::Orientation, orientation);
    QFETCH(QSize, area);
    QBuffer pdf;
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    QPdfWriter writer(&pdf);
    writer.setPageSize(QPageSize(paper));
    writer.setPageOrientation(orientation);
    const QRect page = preparePage(writer);
    QCOMPARE(page, QRect(QPoint(0, 0), area));

    QRect drawnOn;
    printSinglePage(
        writer, page,
        [&](QPainter &painter, const QRect &given) {
            QCOMPARE(painter.device(), static_cast<QPaintDevice *>(&writer));
            drawnOn = given;
        },
        "cannot begin", "failed");
    QCOMPARE(drawnOn, page);
    QVERIFY(pdf.data().startsWith("%PDF"));
    QVERIFY(pdf.data().trimmed().endsWith("%%EOF")); // the page was ended
}

void TestSinglePage::deviceThatCannotBegin()
{
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath("missing/page.pdf"));
    const QRect page = preparePage(writer);
    bool drawn = false;
    try {
        printSinglePage(
            writer, page, [&](QPainter &, const QRect &) { drawn = true; }, "cannot begin",
            "failed");
        QFAIL("the page must be refused");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), QStringLiteral("cannot begin"));
    }
    QVERIFY(!drawn);
}

QTEST_GUILESS_MAIN(TestSinglePage)
#include "tst_singlepage.moc"
