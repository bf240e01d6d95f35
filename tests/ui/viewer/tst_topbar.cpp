// KIVO Log Viewer
#include "log/readouts.h"
#include "ui/viewer/topbar.h"

#include <QLabel>
#include <QtTest>

using namespace kivo;

class TestTopBar : public QObject {
    Q_OBJECT

private slots:
    void depthReadoutShowsEveryDigit_data();
    void depthReadoutShowsEveryDigit();
    void everyReadoutSaysWhatItShows();
};

void TestTopBar::depthReadoutShowsEveryDigit_data()
{
    QTest::addColumn<qint32>("depth");
    QTest::addColumn<bool>("sameFace");
    QTest::newRow("shallow") << 1500 << true;
    QTest::newRow("hundreds") << 123456 << true;
    QTest::newRow("deep feet log") << 10500001 << false;
    QTest::newRow("junk") << 1229660195 << false;
    QTest::newRow("most negative") << std::numeric_limits<qint32>::min() << false;
}

void TestTopBar::depthReadoutShowsEveryDigit()
{
    QFETCH(qint32, depth);
    QFETCH(bool, sameFace);
    TopBar bar;
    bar.show();
    const QFont normal = bar.Label1->font();
    const QString text = formatDepthReadout(depth, QLocale::c());
    bar.setDepthReadout(text);
    QCOMPARE(bar.Label1->text(), text);
    const int room = bar.Label1->contentsRect().width();
    QVERIFY2(QFontMetrics(bar.Label1->font()).horizontalAdvance(text) <= room, qPrintable(text));
    QCOMPARE(bar.Label1->font() == normal, sameFace);
    // A short depth after a long one has the normal face again.
    bar.setDepthReadout(formatDepthReadout(1500, QLocale::c()));
    QCOMPARE(bar.Label1->font(), normal);
}

void TestTopBar::everyReadoutSaysWhatItShows()
{
    TopBar bar;
    for (QLabel *part : {bar.Label1, bar.Label2, bar.Label3, bar.Label5, bar.Image1, bar.Image2,
                         bar.Image3, bar.Image5})
        QVERIFY2(!part->toolTip().isEmpty(), qPrintable(part->objectName()));
    QCOMPARE(bar.Image3->toolTip(), bar.Label1->toolTip()); // the ruler names the depth
}

QTEST_MAIN(TestTopBar)
#include "tst_topbar.moc"
