// KIVO Log Viewer
#include "shell/wheelnotches.h"

#include <QtTest>

using namespace kivo;

class TestWheelNotches : public QObject {
    Q_OBJECT

private slots:
    void notches_data();
    void notches();
};

void TestWheelNotches::notches_data()
{
    // One event's angle delta after another, and the notches each event completes.
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<QList<int>>("notches");
    QTest::newRow("one notch away") << QList{120} << QList{1};
    QTest::newRow("one notch towards") << QList{-120} << QList{-1};
    QTest::newRow("two at once") << QList{240} << QList{2};
    QTest::newRow("halves make a notch") << QList{60, 60} << QList{0, 1};
    QTest::newRow("parts carried on") << QList{100, 100, 100} << QList{0, 1, 1};
    QTest::newRow("parts towards") << QList{-90, -90} << QList{0, -1};
    QTest::newRow("a turn back cancels a part") << QList{90, -60, 90} << QList{0, 0, 1};
    QTest::newRow("no vertical turn") << QList{0, 0} << QList{0, 0};
}

void TestWheelNotches::notches()
{
    QFETCH(QList<int>, deltas);
    QFETCH(QList<int>, notches);
    WheelNotches wheel;
    QList<int> got;
    for (int delta : deltas)
        got << wheel.add(delta);
    QCOMPARE(got, notches);
}

QTEST_GUILESS_MAIN(TestWheelNotches)
#include "tst_wheelnotches.moc"
