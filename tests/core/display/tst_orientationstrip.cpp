// KIVO Log Viewer
#include "display/orientationstrip.h"

#include <QtTest>

#include <functional>

using namespace kivo;

namespace {

// Colours without the alpha byte, as rgb() below reads them.
const QRgb Grey = 0x808080;
const QRgb Yellow = 0xffff00;
const QRgb Black = 0x000000;

struct ColumnRange {
    int first;
    int last;
};
// Where each of the five letters may lie, rows 8 to 12.
const ColumnRange LetterRanges[5] = {{0, 3}, {86, 89}, {175, 178}, {262, 266}, {349, 352}};
const int LetterFirstRow = 8;
const int LetterLastRow = 12;

// Tick spacing of the bottom three rows.
int tickSpacing(int row)
{
    switch (row) {
    case 17:
        return 22;
    case 16:
        return 44;
    case 15:
        return 88;
    default:
        return 0;
    }
}

int letterAt(int x, int y)
{
    if (y < LetterFirstRow || y > LetterLastRow)
        return -1;
    for (int i = 0; i < 5; ++i) {
        if (x >= LetterRanges[i].first && x <= LetterRanges[i].last)
            return i;
    }
    return -1;
}

QRgb rgb(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xffffff;
}

// Number of maximal runs of the colour in one row.
int runsInRow(const QImage &image, int y, QRgb colour)
{
    int runs = 0;
    bool inside = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool match = rgb(image, x, y) == colour;
        if (match && !inside)
            ++runs;
        inside = match;
    }
    return runs;
}

} // namespace

class TestOrientationStrip : public QObject {
    Q_OBJECT

private:
    void addPictures()
    {
        QTest::addColumn<QImage>("picture");
        QTest::newRow("Image4 N E S W N") << Image4();
        QTest::newRow("Image8 D L U R D") << Image8();
    }

private slots:
    void sizeAndDepth_data() { addPictures(); }
    void sizeAndDepth()
    {
        QFETCH(QImage, picture);
        QCOMPARE(picture.size(), QSize(353, 18));
        QCOMPARE(picture.depth(), 24);
    }

    void onlyMarksLeaveTheGreyBackground_data() { addPictures(); }
    void onlyMarksLeaveTheGreyBackground()
    {
        QFETCH(QImage, picture);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb colour = rgb(picture, x, y);
                if (colour == Yellow)
                    QVERIFY2(letterAt(x, y) >= 0,
                             qPrintable(QString("yellow at %1,%2").arg(x).arg(y)));
                else if (colour == Black)
                    QVERIFY2(tickSpacing(y) > 0 && x % tickSpacing(y) == 0,
                             qPrintable(QString("black at %1,%2").arg(x).arg(y)));
                else
                    QVERIFY2(
                        colour == Grey,
                        qPrintable(QString("colour %1 at %2,%3").arg(colour, 6, 16).arg(x).arg(y)));
            }
        }
    }

    void ticks_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("count");
        for (const auto &[name, picture] :
             {std::pair{"Image4", Image4()}, std::pair{"Image8", Image8()}}) {
            QTest::addRow("%s row 17", name) << picture << 17 << 17;
            QTest::addRow("%s row 16", name) << picture << 16 << 9;
            QTest::addRow("%s row 15", name) << picture << 15 << 5;
        }
    }
    void ticks()
    {
        QFETCH(QImage, picture);
        QFETCH(int, row);
        QFETCH(int, count);
        const int spacing = tickSpacing(row);
        int marks = 0;
        for (int x = 0; x < picture.width(); ++x) {
            const bool mark = x % spacing == 0;
            QCOMPARE(rgb(picture, x, row), mark ? Black : Grey);
            marks += mark;
        }
        QCOMPARE(marks, count);
        QCOMPARE(rgb(picture, 352, row), Black);
    }

    void letters_data() { addPictures(); }
    void letters()
    {
        QFETCH(QImage, picture);
        for (const ColumnRange &range : LetterRanges) {
            int left = picture.width();
            int right = -1;
            int top = picture.height();
            int bottom = -1;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = range.first; x <= range.last; ++x) {
                    if (rgb(picture, x, y) == Yellow) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
                }
            }
            QVERIFY2(right >= 0, qPrintable(QString("no letter at x %1").arg(range.first)));
            QCOMPARE(top, LetterFirstRow);
            QCOMPARE(bottom, LetterLastRow);
            const int width = right - left + 1;
            QVERIFY2(width >= 3 && width <= 5, qPrintable(QString("width %1").arg(width)));
        }
    }

    // The letter at the right edge repeats the one at the left edge.
    void firstLetterRepeatsAtTheEnd_data() { addPictures(); }
    void firstLetterRepeatsAtTheEnd()
    {
        QFETCH(QImage, picture);
        for (int y = LetterFirstRow; y <= LetterLastRow; ++y) {
            for (int dx = 0; dx < 4; ++dx)
                QCOMPARE(rgb(picture, 349 + dx, y), rgb(picture, dx, y));
        }
    }

    void picturesDifferInEveryLetterAndNowhereElse()
    {
        const QImage compass = Image4();
        const QImage toolFace = Image8();
        bool letterDiffers[5] = {};
        for (int y = 0; y < compass.height(); ++y) {
            for (int x = 0; x < compass.width(); ++x) {
                if (rgb(compass, x, y) == rgb(toolFace, x, y))
                    continue;
                const int letter = letterAt(x, y);
                QVERIFY2(letter >= 0, qPrintable(QString("differ at %1,%2").arg(x).arg(y)));
                letterDiffers[letter] = true;
            }
        }
        for (int i = 0; i < 5; ++i)
            QVERIFY2(letterDiffers[i], qPrintable(QString("letter %1 is the same").arg(i)));
    }

    void showOrientationStrip_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected"); // 1 Image4, 2 Image8, 0 unchanged
        QTest::newRow("mode 1") << 1 << 1;
        QTest::newRow("mode 2") << 2 << 2;
        QTest::newRow("mode 0") << 0 << 0;
        QTest::newRow("mode 3") << 3 << 0;
        QTest::newRow("mode -1") << -1 << 0;
        QTest::newRow("mode 12") << 12 << 0;
    }
    void showOrientationStrip()
    {
        QFETCH(int, mode);
        QFETCH(int, expected);
        QImage previous(7, 5, QImage::Format_RGB888);
        previous.fill(Qt::red);
        QImage Image1 = previous;
        ShowOrientationStrip(mode, Image1);
        const QImage want = expected == 1 ? Image4() : expected == 2 ? Image8() : previous;
        QCOMPARE(Image1, want);
    }

    void showOrientationStripReplacesTheOtherStrip()
    {
        QImage Image1 = Image4();
        ShowOrientationStrip(2, Image1);
        QCOMPARE(Image1, Image8());
        ShowOrientationStrip(0, Image1);
        QCOMPARE(Image1, Image8());
        ShowOrientationStrip(1, Image1);
        QCOMPARE(Image1, Image4());
    }

    void stretched_data() { addPictures(); }
    void stretched()
    {
        QFETCH(QImage, picture);
        const QImage shown = stretchedStrip(picture);
        QCOMPARE(shown.size(), QSize(720, 19));
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb colour = rgb(shown, x, y);
                QVERIFY2(
                    colour == Grey || colour == Yellow || colour == Black,
                    qPrintable(QString("blended %1 at %2,%3").arg(colour, 6, 16).arg(x).arg(y)));
            }
        }
        // Every tick survives the stretch, and the ticks keep their heights.
        QCOMPARE(runsInRow(shown, 18, Black), 17);
        QCOMPARE(runsInRow(shown, 17, Black), 9);
        QCOMPARE(runsInRow(shown, 16, Black), 5);
        QCOMPARE(runsInRow(shown, 15, Black), 0);
        QCOMPARE(rgb(shown, 0, 18), Black);
        QCOMPARE(rgb(shown, 719, 18), Black);
        // The letters stay at the edges and the quarter points.
        const int quarterColumns[] = {0, 176, 356, 535, 719};
        for (int column : quarterColumns) {
            bool yellow = false;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = std::max(0, column - 8); x <= std::min(719, column + 8); ++x)
                    yellow = yellow || rgb(shown, x, y) == Yellow;
            }
            QVERIFY2(yellow, qPrintable(QString("no letter near column %1").arg(column)));
        }
    }

    void stretchedNullIsNull() { QVERIFY(stretchedStrip(QImage()).isNull()); }
};

QTEST_GUILESS_MAIN(TestOrientationStrip)
#include "tst_orientationstrip.moc"
