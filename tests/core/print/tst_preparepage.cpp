// KIVO Log Viewer
#include "print/preparepage.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QtTest>

using namespace kivo;

class TestPreparePage : public QObject {
    Q_OBJECT

private slots:
    void pageAtPrintResolution_data();
    void pageAtPrintResolution();
};

void TestPreparePage::pageAtPrintResolution_data()
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

void TestPreparePage::pageAtPrintResolution()
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
}

QTEST_GUILESS_MAIN(TestPreparePage)
#include "tst_preparepage.moc"
