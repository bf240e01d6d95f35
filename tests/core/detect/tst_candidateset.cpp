// KIVO Log Viewer
#include "detect/candidateset.h"
#include "picks/pickset.h"

#include <QSignalSpy>
#include <QtTest>

using namespace kivo;

namespace {

Pick candidate(double depth, double confidence)
{
    Pick pick;
    pick.trace = {depth, 0.02, 90.0};
    pick.type = QStringLiteral("detected");
    pick.confidence = confidence;
    return pick;
}

QList<double> depths(const QList<Pick> &picks)
{
    QList<double> out;
    for (const Pick &pick : picks)
        out.append(pick.trace.depth);
    return out;
}

} // namespace

class TestCandidateSet : public QObject {
    Q_OBJECT

private slots:
    void keepsDepthOrder();
    void acceptMakesAnUndoablePick();
    void rejectForgets();
    void acceptAllAbove_data();
    void acceptAllAbove();
};

void TestCandidateSet::keepsDepthOrder()
{
    CandidateSet set;
    QSignalSpy reset(&set, &CandidateSet::resetDone);
    set.reset({candidate(12.0, 0.5), candidate(10.0, 0.9), candidate(11.0, 0.2)});
    QCOMPARE(depths(set.candidates()), (QList<double>{10.0, 11.0, 12.0}));
    QCOMPARE(reset.count(), 1);
}

void TestCandidateSet::acceptMakesAnUndoablePick()
{
    CandidateSet set;
    PickSet picks;
    set.reset({candidate(10.0, 0.9), candidate(11.0, 0.4)});
    QSignalSpy removed(&set, &CandidateSet::removed);
    QVERIFY(set.accept(1, picks));
    QVERIFY(!set.accept(5, picks));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.first().first().toInt(), 1);
    QCOMPARE(depths(set.candidates()), QList<double>{10.0});
    QCOMPARE(picks.count(), 1);
    QCOMPARE(picks.pick(0), candidate(11.0, 0.4));
    picks.undoStack()->undo();
    QCOMPARE(picks.count(), 0);
}

void TestCandidateSet::rejectForgets()
{
    CandidateSet set;
    set.reset({candidate(10.0, 0.9), candidate(11.0, 0.4)});
    QVERIFY(set.reject(0));
    QVERIFY(!set.reject(-1));
    QCOMPARE(depths(set.candidates()), QList<double>{11.0});
}

void TestCandidateSet::acceptAllAbove_data()
{
    QTest::addColumn<double>("least");
    QTest::addColumn<QList<double>>("accepted");
    QTest::addColumn<QList<double>>("left");
    QTest::newRow("some") << 0.5 << QList<double>{10.0, 12.0} << QList<double>{11.0, 13.0};
    QTest::newRow("equal counts") << 0.9 << QList<double>{10.0} << QList<double>{11.0, 12.0, 13.0};
    QTest::newRow("none") << 0.95 << QList<double>{} << QList<double>{10.0, 11.0, 12.0, 13.0};
    QTest::newRow("all") << 0.0 << QList<double>{10.0, 11.0, 12.0, 13.0} << QList<double>{};
}

void TestCandidateSet::acceptAllAbove()
{
    QFETCH(double, least);
    QFETCH(QList<double>, accepted);
    QFETCH(QList<double>, left);
    CandidateSet set;
    PickSet picks;
    set.reset(
        {candidate(10.0, 0.9), candidate(11.0, 0.3), candidate(12.0, 0.6), candidate(13.0, 0.49)});
    QCOMPARE(set.acceptAllAbove(least, picks), accepted.size());
    QCOMPARE(depths(picks.picks()), accepted);
    QCOMPARE(depths(set.candidates()), left);
    // One step undoes them all.
    picks.undoStack()->undo();
    QCOMPARE(picks.count(), 0);
}

QTEST_GUILESS_MAIN(TestCandidateSet)
#include "tst_candidateset.moc"
