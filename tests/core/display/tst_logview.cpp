// KIVO Log Viewer
#include "display/colourmap.h"
#include "display/displayarea.h"
#include "display/logview.h"
#include "display/striprenderer.h"
#include "log/imagefile.h"
#include "log/readouts.h"
#include "log/timageline.h"
#include "pixelcompare.h"
#include "testlog.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>

using namespace kivo;
using namespace kivo::test;

namespace {

constexpr QRgb white = 0xFFFFFFFF;
constexpr qint32 depthStep = 10; // a mark every tenth record

QRgb patternPixelOf(qint64 record, int sample)
{
    const Rgb rgb = patternColour(record, sample);
    return qRgb(rgb[0], rgb[1], rgb[2]);
}

qint32 depthOf(qint64 record)
{
    return qint32(record) * depthStep;
}

// A log open the way the viewer opens it: the display area at the view's size, the surface
// prepared, the data file open and the view set up; it counts the presents.
struct Rig {
    Rig(const QString &path, int samples, int direction, int rows, int zoom = 1)
    {
        layout.SamplesPerLine = samples;
        layout.LogDirection = direction;
        BuildColourMap(colours);
        file.OpenImageFile(path, layout.recordSize());
        const ViewGeometry geometry{file.RecordCount(), rows, direction, zoom};
        area.setSize(geometry.surfaceWidth(), rows);
        area.setPresenter([this](const QImage &) { ++presents; });
        area.Initialize();
        StripRenderer::PrepareSurfaceA(*area.Surface());
        view = std::make_unique<LogView>(area, file, colours, layout, QLocale::c());
        view->setGeometry(geometry);
        StripRenderer::PrepareSurfaceB(*area.Surface());
    }
    Rig(const Rig &) = delete;
    Rig &operator=(const Rig &) = delete;

    QImage picture() const { return area.Surface()->image().copy(); }
    const ViewGeometry &geometry() const { return view->geometry(); }

    LogLayout layout;
    TColourMap colours;
    ImageFile file;
    DisplayArea area;
    int presents = 0;
    std::unique_ptr<LogView> view;
};

// The picture a full redraw must show, built from the geometry alone: white, each row with a
// record shows the record's samples (column j sample j * N div 720) between white frame pixels,
// and the marks, tick and label, go on in the order the records are stacked.
QImage expectedView(const ViewGeometry &geometry, qint64 position, int samples)
{
    TDirectDrawSurface surface(geometry.surfaceWidth(), geometry.rows);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.Font.Color = clBlack;
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    canvas.FillRect(surface.ClientRect());
    for (int y = 0; y < geometry.rows; ++y) {
        const auto record = geometry.recordOnRow(position, y);
        if (!record)
            continue;
        quint32 *row = surface.scanLine(y);
        for (int j = 1; j < 720 && 63 + j < surface.Width(); ++j)
            row[63 + j] = patternPixelOf(*record, int(qint64(j) * samples / 720));
    }
    for (int i = 0; i < geometry.rows; ++i) {
        const int y = geometry.direction == 2 ? i : geometry.rows - 1 - i;
        const auto record = geometry.recordOnRow(position, y);
        if (!record)
            continue;
        if (const auto label = formatDepthMark(depthOf(*record), "m", QLocale::c())) {
            for (int x = 55; x <= 62; ++x)
                canvas.SetPixel(x, y, clBlack);
            canvas.TextOut(0, y - 5, *label);
        }
    }
    canvas.ReleaseCanvas();
    return surface.image().copy();
}

// The image columns x 64..782 of row y show record k (720 samples).
bool rowShows(const QImage &image, int y, qint64 record)
{
    for (int x = 64; x <= 782; ++x)
        if (image.pixel(x, y) != patternPixelOf(record, x - 63))
            return false;
    return true;
}

// The image columns of row y of a are those of row yb of b.
bool sameImageRow(const QImage &a, int y, const QImage &b, int yb)
{
    for (int x = 63; x < a.width(); ++x)
        if (a.pixel(x, y) != b.pixel(x, yb))
            return false;
    return true;
}

bool tickOn(const QImage &image, int y)
{
    for (int x = 55; x <= 62; ++x)
        if (qGray(image.pixel(x, y)) >= 128)
            return false;
    return true;
}

void overwriteRecords(const QString &path, int samples, qint64 first, qint64 count, Rgb colour)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(first * TImageLine::recordSize(samples)));
    for (qint64 k = first; k < first + count; ++k)
        file.write(makeRecord(samples, depthOf(k), 0, 0, [&](int) { return colour; }));
}

QString writeData(const QTemporaryDir &dir, int samples, qint64 count)
{
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {samples, count, 0, depthStep});
    return path;
}

enum class Pass { Full, Incremental };

// The image columns of a zoomed view: row y shows, channel by channel, the mean of its line's
// records' pattern colours rounded to the nearest (720 samples). Empty when they all match.
QString zoomedImageDifference(const QImage &image, const ViewGeometry &geometry, qint64 position)
{
    for (int y = 0; y < geometry.rows; ++y) {
        const auto line = geometry.lineOnRow(position, y);
        if (!line)
            continue;
        const ViewGeometry::Records records = geometry.recordsOfLine(*line);
        for (int x = 64; x <= 782; ++x) {
            std::array<double, 3> sum{};
            for (qint64 k = records.first; k < records.first + records.count; ++k) {
                const Rgb rgb = patternColour(k, x - 63);
                for (int c = 0; c < 3; ++c)
                    sum[size_t(c)] += rgb[size_t(c)];
            }
            const auto mean = [&](int c) {
                return int(std::lround(sum[size_t(c)] / records.count));
            };
            const QRgb expected = qRgb(mean(0), mean(1), mean(2));
            if (image.pixel(x, y) != expected)
                return QStringLiteral("row %1 x %2: %3 instead of %4")
                    .arg(y)
                    .arg(x)
                    .arg(image.pixel(x, y), 8, 16)
                    .arg(expected, 8, 16);
        }
    }
    return QString();
}

} // namespace

class TestLogView : public QObject {
    Q_OBJECT

private slots:
    void fullPass_data();
    void fullPass();
    void bottomUpStacking();
    void incrementalMatchesFullPass_data();
    void incrementalMatchesFullPass();
    void lineStepDrawsOnlyUncoveredRows_data();
    void lineStepDrawsOnlyUncoveredRows();
    void truncatedWhileOpen_data();
    void truncatedWhileOpen();
    void emptiedWhileOpen();
    void grownWhileOpen_data();
    void grownWhileOpen();
    void presentOncePerPass();
    void newRowCountDrawsEverything();
    void remadeSurfaceOfAShortLogIsWhite_data();
    void remadeSurfaceOfAShortLogIsWhite();
    void zoomedPassesMatchFullRedraw_data();
    void zoomedPassesMatchFullRedraw();
    void zoomedMarksFit_data();
    void zoomedMarksFit();
};

void TestLogView::fullPass_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("direction");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<qint64>("position");
    for (const int direction : {2, 1}) {
        const char *d = direction == 2 ? "top-down" : "bottom-up";
        QTest::addRow("%s long, top", d) << 720 << direction << qint64(1000) << 100 << qint64(0);
        QTest::addRow("%s long, middle", d)
            << 720 << direction << qint64(1000) << 100 << qint64(437);
        QTest::addRow("%s long, last", d) << 720 << direction << qint64(1000) << 100 << qint64(900);
        QTest::addRow("%s 360 samples", d) << 360 << direction << qint64(300) << 100 << qint64(77);
        QTest::addRow("%s rows + 1, at 0", d)
            << 720 << direction << qint64(101) << 100 << qint64(0);
        QTest::addRow("%s rows + 1, at 1", d)
            << 720 << direction << qint64(101) << 100 << qint64(1);
        QTest::addRow("%s as many as rows", d)
            << 720 << direction << qint64(100) << 100 << qint64(0);
        QTest::addRow("%s short", d) << 720 << direction << qint64(30) << 100 << qint64(0);
        QTest::addRow("%s one record", d) << 720 << direction << qint64(1) << 100 << qint64(0);
        QTest::addRow("%s empty", d) << 720 << direction << qint64(0) << 100 << qint64(0);
    }
}

void TestLogView::fullPass()
{
    QFETCH(int, samples);
    QFETCH(int, direction);
    QFETCH(qint64, count);
    QFETCH(int, rows);
    QFETCH(qint64, position);
    QTemporaryDir dir;
    Rig rig(writeData(dir, samples, count), samples, direction, rows);
    QCOMPARE(rig.geometry().recordCount, count);
    QCOMPARE(rig.geometry().surfaceWidth(), count > rows ? 783 : 801);
    rig.view->fullPass(position);
    const QImage image = rig.picture();
    QCOMPARE(firstDifference(image, expectedView(rig.geometry(), position, samples)), QString());
    // Rows the geometry gives no record stay white from the tick column on; the margin to the
    // left of it may hold the lower part of a neighbouring mark's label.
    for (int y = 0; y < rows; ++y) {
        if (rig.geometry().recordOnRow(position, y))
            continue;
        for (int x = 55; x < image.width(); ++x)
            QCOMPARE(image.pixel(x, y), white);
    }
}

// The rows of the example log: 1000 records in a view of 500 rows.
void TestLogView::bottomUpStacking()
{
    QTemporaryDir dir;
    const QString path = writeData(dir, 720, 1000);
    Rig up(path, 720, 1, 500);
    up.view->fullPass(0);
    QImage image = up.picture();
    QVERIFY(rowShows(image, 499, 500));
    QVERIFY(rowShows(image, 0, 999));
    up.view->fullPass(500);
    image = up.picture();
    QVERIFY(rowShows(image, 499, 0));
    QVERIFY(rowShows(image, 0, 499));

    Rig down(path, 720, 2, 500);
    down.view->fullPass(500);
    image = down.picture();
    QVERIFY(rowShows(image, 0, 500));
    QVERIFY(rowShows(image, 499, 999));
    QVERIFY(tickOn(image, 0));  // record 500, depth 5000
    QVERIFY(!tickOn(image, 1)); // depth 5010
}

void TestLogView::incrementalMatchesFullPass_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<quint32>("seed");
    for (const int direction : {2, 1}) {
        const char *d = direction == 2 ? "top-down" : "bottom-up";
        for (const quint32 seed : {1u, 2u, 3u}) {
            QTest::addRow("%s, 1000 records, 100 rows, seed %u", d, seed)
                << direction << qint64(1000) << 100 << seed;
        }
        QTest::addRow("%s, line step larger than the view", d)
            << direction << qint64(400) << 30 << 4u;
        QTest::addRow("%s, a few records more than rows", d)
            << direction << qint64(141) << 100 << 5u;
    }
}

// From any sequence of moves and passes, the surface after each pass is what a full pass at
// that position draws on a display area of its own.
void TestLogView::incrementalMatchesFullPass()
{
    QFETCH(int, direction);
    QFETCH(qint64, count);
    QFETCH(int, rows);
    QFETCH(quint32, seed);
    QTemporaryDir dir;
    const QString path = writeData(dir, 720, count);
    Rig rig(path, 720, direction, rows);
    const qint64 max = rig.geometry().scrollMax();
    QRandomGenerator random(seed);
    qint64 position = 0;
    rig.view->fullPass(position);
    for (int step = 0; step < 80; ++step) {
        Pass pass = Pass::Incremental;
        const int move = random.bounded(10);
        if (move < 4) { // line step, as the arrows do
            position += random.bounded(2) ? 40 : -40;
        } else if (move < 6) { // page step, drawn in full by the viewer
            position += random.bounded(2) ? rows : -rows;
            pass = random.bounded(4) ? Pass::Full : Pass::Incremental;
        } else if (move < 9) { // a drag of a few records after a line step
            position += random.bounded(-5, 6);
        } else { // a jump anywhere, or to either end
            const int where = random.bounded(3);
            position = where == 0 ? 0 : (where == 1 ? max : random.bounded(max + 1));
            pass = random.bounded(2) ? Pass::Full : Pass::Incremental;
        }
        position = qBound<qint64>(0, position, max);
        const int presents = rig.presents;
        if (pass == Pass::Full)
            rig.view->fullPass(position);
        else
            rig.view->incrementalPass(position);
        QCOMPARE(rig.presents, presents + 1);
        QCOMPARE(rig.view->ViewStart(), rig.geometry().viewStart(position));

        Rig reference(path, 720, direction, rows);
        reference.view->fullPass(position);
        const QString difference = firstDifference(rig.picture(), reference.picture());
        if (!difference.isEmpty())
            QFAIL(qPrintable(QStringLiteral("step %1, position %2: %3")
                                 .arg(step)
                                 .arg(position)
                                 .arg(difference)));
    }
}

void TestLogView::lineStepDrawsOnlyUncoveredRows_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("top-down") << 2;
    QTest::newRow("bottom-up") << 1;
}

// A line step keeps the rows it shifts: records changed in the file since the last pass show
// only where rows are drawn anew. The margin still has every mark in view.
void TestLogView::lineStepDrawsOnlyUncoveredRows()
{
    QFETCH(int, direction);
    QTemporaryDir dir;
    const QString path = writeData(dir, 720, 1000);
    Rig rig(path, 720, direction, 100);
    const qint64 max = rig.geometry().scrollMax();
    const qint64 start = direction == 2 ? 100 : max - 100;
    rig.view->fullPass(100);
    const Rgb grey{90, 90, 90};
    overwriteRecords(path, 720, 0, 1000, grey);
    rig.view->incrementalPass(140);
    const QImage image = rig.picture();
    const ViewGeometry &geometry = rig.geometry();
    for (int y = 0; y < 100; ++y) {
        const qint64 record = *geometry.recordOnRow(140, y);
        const bool retained = direction == 2 ? record < start + 100 : record >= start;
        if (retained)
            QVERIFY2(rowShows(image, y, record), qPrintable(QString::number(y)));
        else
            QCOMPARE(image.pixel(400, y), qRgb(90, 90, 90));
        QCOMPARE(tickOn(image, y), depthOf(record) % 100 == 0);
    }
}

void TestLogView::truncatedWhileOpen_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("top-down") << 2;
    QTest::newRow("bottom-up") << 1;
}

// The file loses records while the view still counts them: passes stop at the end, rows
// beyond it keep what they showed, marks only for records read; nothing fails.
void TestLogView::truncatedWhileOpen()
{
    QFETCH(int, direction);
    QTemporaryDir dir;
    const QString path = writeData(dir, 720, 300);
    Rig rig(path, 720, direction, 100);
    rig.view->fullPass(0);
    constexpr qint64 left = 150;
    QVERIFY(QFile::resize(path, left * TImageLine::recordSize(720) + 100));
    const ViewGeometry &geometry = rig.geometry();
    for (const qint64 position : {qint64(100), qint64(200), qint64(0), qint64(60)}) {
        const QImage before = rig.picture();
        rig.view->fullPass(position);
        const QImage image = rig.picture();
        for (int y = 0; y < 100; ++y) {
            const qint64 record = *geometry.recordOnRow(position, y);
            const QString where = QStringLiteral("position %1 row %2").arg(position).arg(y);
            if (record < left)
                QVERIFY2(rowShows(image, y, record), qPrintable(where));
            else
                QVERIFY2(sameImageRow(image, y, before, y), qPrintable(where));
            QCOMPARE(tickOn(image, y), record < left && depthOf(record) % 100 == 0);
        }
    }
    const int presents = rig.presents;
    for (const qint64 position : {qint64(140), qint64(180), qint64(200), qint64(160)})
        rig.view->incrementalPass(position);
    QCOMPARE(rig.presents, presents + 4);
    // Whatever the line steps left on the retained rows, a full pass on the records there is
    // correct again.
    rig.view->fullPass(direction == 2 ? 50 : 150);
    const QImage image = rig.picture();
    for (int y = 0; y < 100; ++y)
        QVERIFY(rowShows(image, y, *geometry.recordOnRow(direction == 2 ? 50 : 150, y)));
}

void TestLogView::emptiedWhileOpen()
{
    QTemporaryDir dir;
    const QString path = writeData(dir, 720, 300);
    Rig rig(path, 720, 2, 100);
    rig.view->fullPass(30);
    const QImage before = rig.picture();
    QVERIFY(QFile::resize(path, 0));
    // The line step shifts the picture and reads nothing: the retained rows keep their images,
    // the uncovered rows what they held, and no row keeps a mark of a record that is gone.
    rig.view->incrementalPass(70);
    QImage image = rig.picture();
    for (int y = 0; y < 100; ++y) {
        QVERIFY(sameImageRow(image, y, before, y < 60 ? y + 40 : y));
        QVERIFY(!tickOn(image, y));
    }
    rig.view->fullPass(100);
    rig.view->incrementalPass(60);
    image = rig.picture();
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 63; ++x)
            QCOMPARE(image.pixel(x, y), white);
    }
    QCOMPARE(rig.presents, 4);
}

void TestLogView::grownWhileOpen_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("top-down") << 2;
    QTest::newRow("bottom-up") << 1;
}

// Records appended while the log is open show once the view counts them; until then the view
// shows the records it counted.
void TestLogView::grownWhileOpen()
{
    QFETCH(int, direction);
    QTemporaryDir dir;
    const QString path = writeData(dir, 720, 100);
    Rig rig(path, 720, direction, 50);
    rig.view->fullPass(0);
    writeDataFile(path, {720, 200, 0, depthStep});
    rig.view->incrementalPass(40);
    QCOMPARE(firstDifference(rig.picture(), expectedView(rig.geometry(), 40, 720)), QString());
    rig.view->fullPass(50);
    QCOMPARE(firstDifference(rig.picture(), expectedView(rig.geometry(), 50, 720)), QString());

    rig.view->setGeometry({200, 50, direction});
    rig.view->incrementalPass(90);
    QCOMPARE(firstDifference(rig.picture(), expectedView(rig.geometry(), 90, 720)), QString());
    rig.view->fullPass(150);
    QCOMPARE(firstDifference(rig.picture(), expectedView(rig.geometry(), 150, 720)), QString());
}

void TestLogView::presentOncePerPass()
{
    QTemporaryDir dir;
    Rig rig(writeData(dir, 720, 500), 720, 2, 100);
    QCOMPARE(rig.presents, 0);
    rig.view->incrementalPass(0); // nothing drawn yet: a full pass
    QCOMPARE(rig.presents, 1);
    rig.view->incrementalPass(0); // no move
    QCOMPARE(rig.presents, 2);
    rig.view->incrementalPass(40);
    QCOMPARE(rig.presents, 3);
    rig.view->incrementalPass(400); // a whole view or more: a full pass
    QCOMPARE(rig.presents, 4);
    rig.view->fullPass(10);
    QCOMPARE(rig.presents, 5);
}

// A view given another number of rows (the window was re-sized) draws everything again, even on
// a line step.
void TestLogView::newRowCountDrawsEverything()
{
    QTemporaryDir dir;
    const QString path = writeData(dir, 720, 500);
    DisplayArea area;
    area.setSize(783, 100);
    area.Initialize();
    StripRenderer::PrepareSurfaceA(*area.Surface());
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    TColourMap colours;
    BuildColourMap(colours);
    LogLayout layout;
    layout.SamplesPerLine = 720;
    layout.LogDirection = 2;
    LogView view(area, file, colours, layout, QLocale::c());
    view.setGeometry({500, 100, 2});
    view.fullPass(0);
    QVERIFY(area.setSize(783, 60));
    view.setGeometry({500, 60, 2});
    view.incrementalPass(40);
    QCOMPARE(firstDifference(area.Surface()->image(), expectedView(view.geometry(), 40, 720)),
             QString());
}

void TestLogView::remadeSurfaceOfAShortLogIsWhite_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("top-down") << 2;
    QTest::newRow("bottom-up") << 1;
}

// A window made taller while a short log is open: the surface is made again, black, and the
// rows that no record reaches must be white again, as they were when the log was opened.
void TestLogView::remadeSurfaceOfAShortLogIsWhite()
{
    QFETCH(int, direction);
    QTemporaryDir dir;
    Rig rig(writeData(dir, 720, 30), 720, direction, 40);
    rig.view->fullPass(0);
    QVERIFY(rig.area.setSize(801, 70));
    ViewGeometry geometry = rig.geometry();
    geometry.rows = 70;
    rig.view->setGeometry(geometry);
    rig.view->surfaceRemade();
    rig.view->fullPass(0);
    QCOMPARE(firstDifference(rig.picture(), expectedView(geometry, 0, 720)), QString());
}

enum class Step { Line, Page, Thumb, Resize };

void TestLogView::zoomedPassesMatchFullRedraw_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("stepKind");
    const std::pair<Step, const char *> steps[] = {{Step::Line, "line"},
                                                   {Step::Page, "page"},
                                                   {Step::Thumb, "thumb"},
                                                   {Step::Resize, "resize"}};
    for (const int zoom : {1, 2, 4, 8, 16}) {
        for (const auto &[step, name] : steps) {
            QTest::addRow("1:%d %s", zoom, name) << zoom << 2 << int(step);
            QTest::addRow("1:%d %s bottom-up", zoom, name) << zoom << 1 << int(step);
        }
    }
}

// From each kind of move at each zoom, the surface after each pass is what a full pass at that
// position draws on a display area of its own, and its image shows the lines' averages.
void TestLogView::zoomedPassesMatchFullRedraw()
{
    QFETCH(int, zoom);
    QFETCH(int, direction);
    QFETCH(int, stepKind);
    const Step step = Step(stepKind);
    QTemporaryDir dir;
    // 4003 records: every zoom has a short last line, and 1:16 still scrolls 100 rows.
    const QString path = writeData(dir, 720, 4003);
    int rows = 100;
    Rig rig(path, 720, direction, rows, zoom);
    QRandomGenerator random(quint32(zoom * 10 + int(step)));
    qint64 position = 37;
    rig.view->fullPass(position);
    for (int i = 0; i < 12; ++i) {
        const qint64 max = rig.geometry().scrollMax();
        const int sign = random.bounded(2) ? 1 : -1;
        switch (step) {
        case Step::Line:
            position += sign * 40;
            break;
        case Step::Page:
            position += sign * rows;
            break;
        case Step::Thumb: // a drag of a few rows, or a jump to anywhere
            position = i % 3 ? position + random.bounded(-7, 8) : random.bounded(max + 1);
            break;
        case Step::Resize: {
            rows = 60 + random.bounded(80);
            ViewGeometry geometry = rig.geometry();
            geometry.rows = rows;
            QVERIFY(rig.area.setSize(geometry.surfaceWidth(), rows));
            rig.view->setGeometry(geometry);
            rig.view->surfaceRemade();
            position += sign * 40; // then a line step on the new rows
            break;
        }
        }
        position = qBound<qint64>(0, position, rig.geometry().scrollMax());
        if (step == Step::Page && i % 2)
            rig.view->fullPass(position);
        else
            rig.view->incrementalPass(position);

        Rig reference(path, 720, direction, rows, zoom);
        reference.view->fullPass(position);
        const QString where = QStringLiteral("move %1, position %2: ").arg(i).arg(position);
        QCOMPARE(where + firstDifference(rig.picture(), reference.picture()), where);
        QCOMPARE(where + zoomedImageDifference(rig.picture(), rig.geometry(), position), where);
    }
}

void TestLogView::zoomedMarksFit_data()
{
    // Records 1 cm apart (a tenth every 10 records). Tenths stand 10 rows apart at 1:1; a label
    // is at least 10 rows high, so at a zoom the marks must stand 10 rows apart, the finest step
    // of 1, 2, 5 tenths... that gives that: the step below, worked out by hand.
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("step"); // thousandths
    QTest::newRow("1:1") << 1 << 100;
    QTest::newRow("1:2") << 2 << 200;    // 0.2: 10 rows
    QTest::newRow("1:4") << 4 << 500;    // 0.4 needed
    QTest::newRow("1:8") << 8 << 1000;   // 0.8 needed
    QTest::newRow("1:16") << 16 << 2000; // 1.6 needed
}

// A row has a tick where its records' depths reach a multiple of the step, and nowhere else.
void TestLogView::zoomedMarksFit()
{
    QFETCH(int, zoom);
    QFETCH(int, step);
    QTemporaryDir dir;
    const QString path = writeData(dir, 720, 6000);
    Rig rig(path, 720, 2, 200, zoom);
    for (const qint64 position : {qint64(0), qint64(55)}) {
        rig.view->incrementalPass(position);
        const QImage image = rig.picture();
        for (int y = 0; y < 200; ++y) {
            const ViewGeometry::Records records =
                rig.geometry().recordsOfLine(*rig.geometry().lineOnRow(position, y));
            bool marked = false;
            for (qint64 k = records.first; k < records.first + records.count; ++k)
                marked = marked || depthOf(k) % step == 0;
            QVERIFY2(tickOn(image, y) == marked, qPrintable(QStringLiteral("row %1").arg(y)));
        }
    }
}

QTEST_MAIN(TestLogView)
#include "tst_logview.moc"
