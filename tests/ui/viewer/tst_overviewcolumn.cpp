// KIVO Log Viewer
#include "log/timageline.h"
#include "pixelcompare.h"
#include "testlog.h"
#include "ui/display/tdxdraw.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/overviewcolumn.h"
#include "viewerdriver.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

constexpr qint64 Records = 4000;

// Records of the first half red, of the second half blue.
Rgb halvesColour(qint64 k, int)
{
    return k < Records / 2 ? Rgb{200, 0, 0} : Rgb{0, 0, 200};
}

bool reddish(QRgb pixel)
{
    return qRed(pixel) > 150 && qBlue(pixel) < 50;
}

bool bluish(QRgb pixel)
{
    return qBlue(pixel) > 150 && qRed(pixel) < 50;
}

} // namespace

class TestOverviewColumn : public QObject {
    Q_OBJECT

private slots:
    void init();
    void showsTheLogAndMarksTheView();
    void screenFollowsTheMark();
    void menuSetsTheEnhancement();
    void closeWhileItBuilds();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestOverviewColumn::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
}

void TestOverviewColumn::showsTheLogAndMarksTheView()
{
    DataFileContent content(720, Records);
    content.colour = halvesColour;
    const QString log = writeLog(m_dir->path(), "halves", validHeader(720), content);
    Viewer viewer({QStringLiteral("kivo-viewer")}, QSize(1200, 700));
    TForm1 &form = *viewer.form1;
    OverviewColumn &column = form.overview();
    form.show();
    ViewerDriver driver(form);
    int rows = 0;
    driver
        .then([&] {
            QTRY_VERIFY_WITH_TIMEOUT(column.built(), 20000);
            // The column takes the space right of the image panel, which stays where it was.
            QCOMPARE(Panel4(form)->geometry().left(), 0);
            QCOMPARE(Panel4(form)->width(), TForm1::ImagePanelWidth);
            QVERIFY(column.geometry().left() >= Panel4(form)->geometry().right());
            QVERIFY(column.width() > 300);
            QVERIFY(form.session().enhancement().staticTables.has_value());
            rows = form.session().geometry().rows;
            // Top-down: the view at position 0 is marked from the column's top, its share of
            // the log's records long.
            const auto [top, bottom] = column.markedRows();
            QCOMPARE(top, 0);
            QVERIFY(qAbs(bottom - rows * column.height() / Records) <= 2);
            const QImage shown = column.grab().toImage();
            const int x = shown.width() / 2;
            QVERIFY(reddish(shown.pixel(x, shown.height() / 4)));
            QVERIFY(bluish(shown.pixel(x, shown.height() * 3 / 4)));
            QCOMPARE(qRgb(qRed(shown.pixel(x, 0)), qGreen(shown.pixel(x, 0)), 0),
                     qRgb(255, 255, 0)); // the mark's edge
            // A click three quarters down brings record 3000 to the middle of the view.
            QTest::mouseClick(&column, Qt::LeftButton, {}, QPoint(x, column.height() * 3 / 4));
            const qint64 expected = Records * 3 / 4 - rows / 2;
            QVERIFY2(qAbs(form.session().position() - expected) <= Records / column.height() + 1,
                     qPrintable(QString::number(form.session().position())));
        })
        .then([&] {
            // The view was drawn there: blue records; the mark moved with it.
            const QImage surface = DXDraw1(form)->area().Surface()->image();
            QVERIFY(bluish(surface.pixel(400, 0)));
            const auto [top, bottom] = column.markedRows();
            QVERIFY(qAbs((top + bottom) / 2 - column.height() * 3 / 4) <= 2);
        });
    driver.openAndRun(log);
}

// A step of the view paints only the mark's old and new rows of the column again: what the X
// server shows must still be what painting the whole column shows.
void TestOverviewColumn::screenFollowsTheMark()
{
    DataFileContent content(720, Records);
    content.colour = halvesColour;
    const QString log = writeLog(m_dir->path(), "halves", validHeader(720), content);
    Viewer viewer({QStringLiteral("kivo-viewer")}, QSize(1200, 700));
    TForm1 &form = *viewer.form1;
    OverviewColumn &column = form.overview();
    TScrollBar *bar = ScrollBar4(form);
    form.show();
    const auto screenMatches = [&](const char *action) {
        const QPoint at = column.mapTo(&form, QPoint());
        const QImage shown =
            form.screen()
                ->grabWindow(form.winId(), at.x(), at.y(), column.width(), column.height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        const QImage whole = column.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString difference = firstDifference(shown, whole);
        QVERIFY2(difference.isEmpty(), qPrintable(QString(action) + ": " + difference));
    };
    ViewerDriver driver(form);
    driver
        .then([&] {
            QTRY_VERIFY_WITH_TIMEOUT(column.built(), 20000);
            QTest::keyClick(bar, Qt::Key_PageDown);
        })
        .then([&] {
            screenMatches("page down");
            QTest::keyClick(bar, Qt::Key_Down);
        })
        .then([&] {
            screenMatches("line down");
            QTest::mouseClick(&column, Qt::LeftButton, {}, QPoint(10, column.height() / 2));
        })
        .then([&] {
            screenMatches("click in the column");
            QTest::keyClick(bar, Qt::Key_Up);
        })
        .then([&] { screenMatches("line up"); });
    driver.openAndRun(log);
}

void TestOverviewColumn::menuSetsTheEnhancement()
{
    DataFileContent content(720, 300);
    const QString log = writeLog(m_dir->path(), "pattern", validHeader(720), content);
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    MainMenu &menu = form.menu();
    // The items come right after Display Adjust.
    const QList<QAction *> items = menu.View1->actions();
    const int adjust = int(items.indexOf(menu.BrightnessAdjust1));
    QCOMPARE(items.value(adjust + 1), menu.Normalisation1->menuAction());
    QCOMPARE(items.value(adjust + 2), menu.GreyScale1);
    form.show();
    ViewerDriver driver(form);
    driver
        .then([&] {
            menu.NormalisationDynamic1->trigger();
            QCOMPARE(form.session().enhancement().normalisation, Normalisation::Dynamic);
            QVERIFY(!menu.NormalisationOff1->isChecked());
            menu.GreyScale1->trigger();
            QVERIFY(form.session().enhancement().greyScale);
        })
        .then([&] {
            const QImage surface = DXDraw1(form)->area().Surface()->image();
            for (int x = 100; x < 780; x += 97) {
                const QRgb pixel = surface.pixel(x, 10);
                QCOMPARE(qRed(pixel), qGreen(pixel));
                QCOMPARE(qGreen(pixel), qBlue(pixel));
            }
            menu.GreyScale1->trigger();
            menu.NormalisationOff1->trigger();
            QCOMPARE(form.session().enhancement().normalisation, Normalisation::Off);
        });
    driver.openAndRun(log);
}

void TestOverviewColumn::closeWhileItBuilds()
{
    // A sparse log of 4 GiB: its overview takes far longer to build than the close.
    const QString log = writeLog(m_dir->path(), "big", validHeader(720), {720, 0});
    {
        QFile data(log);
        QVERIFY(data.open(QIODevice::ReadWrite));
        QVERIFY(data.resize(qint64(4) << 30));
    }
    Viewer viewer({QStringLiteral("kivo-viewer")}, QSize(1200, 700));
    TForm1 &form = *viewer.form1;
    OverviewColumn &column = form.overview();
    form.show();
    ViewerDriver driver(form);
    driver.then([&] {
        QVERIFY(column.building());
        QVERIFY(column.progressText().startsWith(QLatin1String("Overview ")));
        form.Close1Click();
    });
    driver.openAndRun(log);
    QVERIFY(!column.building());
    QTest::qWait(100); // nothing the cancelled build posted arrives
    QVERIFY(!column.built());
    QCOMPARE(column.progressText(), QString());
}

QTEST_MAIN(TestOverviewColumn)
#include "tst_overviewcolumn.moc"
