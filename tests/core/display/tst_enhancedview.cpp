// KIVO Log Viewer
#include "display/colourmap.h"
#include "display/displayarea.h"
#include "display/fullview.h"
#include "display/imageenhancement.h"
#include "display/logview.h"
#include "log/imagefile.h"
#include "pixelcompare.h"
#include "testlog.h"

#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

constexpr int Rows = 100;
constexpr qint64 Count = 700;

ImageEnhancement enhancementOf(const QString &name)
{
    ImageEnhancement enhancement;
    enhancement.windowRecords = 31;
    if (name.contains(QLatin1String("dynamic")))
        enhancement.normalisation = Normalisation::Dynamic;
    if (name.contains(QLatin1String("static"))) {
        enhancement.normalisation = Normalisation::Static;
        ChannelHistograms histograms;
        for (int v = 40; v < 200; ++v)
            histograms.add(quint8(v), quint8(v / 2), quint8(255 - v));
        enhancement.staticTables = staticStretchTables(histograms);
    }
    enhancement.greyScale = name.contains(QLatin1String("grey"));
    return enhancement;
}

} // namespace

class TestEnhancedView : public QObject {
    Q_OBJECT

private slots:
    void stepsEqualFullRedraw_data();
    void stepsEqualFullRedraw();
};

void TestEnhancedView::stepsEqualFullRedraw_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("zoom");
    for (const int direction : {2, 1})
        for (const char *mode : {"dynamic", "static", "grey", "dynamic grey"})
            QTest::addRow("%s, direction %d", mode, direction) << QString(mode) << direction << 1;
    // At a zoom each record is enhanced before its line averages it.
    QTest::addRow("dynamic, direction 2, 1:4") << QString("dynamic") << 2 << 4;
    QTest::addRow("static grey, direction 1, 1:2") << QString("static grey") << 1 << 2;
}

void TestEnhancedView::stepsEqualFullRedraw()
{
    QFETCH(QString, mode);
    QFETCH(int, direction);
    QFETCH(int, zoom);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, Count});
    LogLayout layout;
    layout.SamplesPerLine = 720;
    layout.LogDirection = direction;
    TColourMap colours;
    colours.Brightness = 10;
    colours.Contrast = 120;
    BuildColourMap(colours);
    const ImageEnhancement enhancement = enhancementOf(mode);
    ImageFile file;
    file.OpenImageFile(path, layout.recordSize());
    const ViewGeometry geometry{Count, Rows, direction, zoom};

    DisplayArea area;
    prepareDisplay(area, geometry);
    LogView view(area, file, colours, layout);
    view.setGeometry(geometry);
    view.setEnhancement(&enhancement);
    view.fullPass(0);
    // The enhancement shows: the picture is not the plain one.
    QVERIFY(firstDifference(area.Surface()->image(),
                            fullViewPicture(file, layout, geometry, 0, colours).toImage()) !=
            QString());
    // Line steps, a page, a thumb jump to near the end and back, each against a full redraw.
    for (const qint64 position : {qint64(1), qint64(2), qint64(42), qint64(142), qint64(590),
                                  qint64(600), qint64(599), qint64(559), qint64(0)}) {
        if (position > geometry.scrollMax())
            continue;
        view.incrementalPass(position);
        const TDIB expected =
            fullViewPicture(file, layout, geometry, position, colours, &enhancement);
        QCOMPARE(firstDifference(area.Surface()->image(), expected.toImage()), QString());
    }
}

QTEST_MAIN(TestEnhancedView)
#include "tst_enhancedview.moc"
