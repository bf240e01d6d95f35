// KIVO Log Viewer
#include "kivoerror.h"
#include "pdfprobe.h"
#include "plots/plotfile.h"
#include "plots/roseplot.h"
#include "plots/stereonetplot.h"

#include <QtTest>
#include <QXmlStreamReader>

using namespace kivo;

namespace {

std::vector<PlotPick> somePicks()
{
    std::vector<PlotPick> picks;
    for (int i = 0; i < 12; ++i) {
        PlotPick p;
        p.id = PickId(i + 1);
        p.oriented = true;
        p.dip = 20.0 + 5.0 * i;
        p.dipAzimuth = 30.0 * i;
        p.holeDeviation = 0.0;
        p.type = i % 2 ? "vein" : "bedding";
        picks.push_back(p);
    }
    return picks;
}

PlotPainter stereonet(const std::vector<PlotPick> &picks)
{
    return [&picks](QPainter &painter, const QRectF &area) {
        StereonetOptions options;
        options.contours = true;
        options.graticule = true;
        drawStereonet(painter, area, picks, options);
    };
}

} // namespace

class TestPlotFile : public QObject {
    Q_OBJECT

private slots:
    void formatByName_data();
    void formatByName();
    void svgParsesAsXml();
    void pdfOpensInPdfinfo();
    void pngHasTheSize();
    void refusals();

private:
    QTemporaryDir m_dir;
};

void TestPlotFile::formatByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format"); // -1: none
    QTest::newRow("png") << "a.png" << int(PlotFormat::Png);
    QTest::newRow("upper case svg") << "A.SVG" << int(PlotFormat::Svg);
    QTest::newRow("pdf") << "dir.x/a.pdf" << int(PlotFormat::Pdf);
    QTest::newRow("jpeg") << "a.jpg" << -1;
    QTest::newRow("no ending") << "pdf" << -1;
}

void TestPlotFile::formatByName()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    const auto found = plotFormatOf(name);
    QCOMPARE(found ? int(*found) : -1, format);
}

void TestPlotFile::svgParsesAsXml()
{
    const std::vector<PlotPick> picks = somePicks();
    const QString path = m_dir.filePath("net.svg");
    savePlotFile(path, QSize(500, 400), "net", stereonet(picks));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString root;
    int shapes = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (root.isEmpty()) {
                root = xml.name().toString();
                QCOMPARE(xml.attributes().value("viewBox").toString(), QString("0 0 500 400"));
            }
            if (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("ellipse") ||
                xml.name() == QLatin1String("polyline"))
                ++shapes;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(root, QString("svg"));
    // The primitive, the graticule, the contours and twelve poles at least.
    QVERIFY2(shapes > 30, qPrintable(QString::number(shapes)));
}

void TestPlotFile::pdfOpensInPdfinfo()
{
    const std::vector<PlotPick> picks = somePicks();
    const QString path = m_dir.filePath("rose.pdf");
    savePlotFile(path, QSize(600, 480), "rose", [&](QPainter &painter, const QRectF &area) {
        drawRose(painter, area, picks, RoseOptions{});
    });
    const test::PdfInfo info = test::pdfInfo(path);
    QCOMPARE(info.pages, 1);
    // 600 x 480 pixels at 96 an inch: 450 x 360 points.
    QVERIFY2(std::abs(info.width - 450.0) < 1.0 && std::abs(info.height - 360.0) < 1.0,
             qPrintable(QStringLiteral("%1 x %2").arg(info.width).arg(info.height)));
    // Something is drawn on it.
    const QImage page = test::rasterisedPdf(path);
    QVERIFY(!page.isNull());
    QVERIFY(!test::inkBounds(page, page.rect()).isEmpty());
}

void TestPlotFile::pngHasTheSize()
{
    const std::vector<PlotPick> picks = somePicks();
    const QString path = m_dir.filePath("net.png");
    savePlotFile(path, QSize(321, 234), "net", stereonet(picks));
    const QImage image(path);
    QCOMPARE(image.size(), QSize(321, 234));
    // The primitive circle is drawn in ink at the net's north point.
    const NetLayout net(QRectF(0, 0, 321, 234));
    const QPoint north = (net.centre - QPointF(0, net.radius)).toPoint();
    QVERIFY(qGray(image.pixel(north)) < 128);
}

void TestPlotFile::refusals()
{
    // A folder that does not exist cannot take the file; a wrong ending is refused.
    try {
        savePlotFile(m_dir.filePath("none/a.png"), QSize(100, 100), "x", stereonet({}));
        QFAIL("saved into a folder that does not exist");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().contains("none/a.png"), qPrintable(error.text()));
    }
    QVERIFY_THROWS_EXCEPTION(
        KivoError, savePlotFile(m_dir.filePath("kept.gif"), QSize(100, 100), "x", stereonet({})));
    QVERIFY(!QFile::exists(m_dir.filePath("kept.gif")));
}

QTEST_MAIN(TestPlotFile)
#include "tst_plotfile.moc"
