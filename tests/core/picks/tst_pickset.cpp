// KIVO Log Viewer
#include "header/uniheader.h"
#include "picks/pickcalculator.h"
#include "picks/pickset.h"
#include "picks/picktablemodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

#include <functional>

using namespace kivo;

using PickChange = std::function<void(PickSet &)>;
Q_DECLARE_METATYPE(PickChange)

namespace {

Pick pickAt(double depth, const QString &comment = {})
{
    Pick pick;
    pick.trace = {depth, 0.048, 90.0};
    pick.comment = comment;
    return pick;
}

// The table's depth column, top to bottom.
QStringList depths(const PickTableModel &model)
{
    QStringList column;
    for (int r = 0; r < model.rowCount(); ++r)
        column.append(model.index(r, PickTableModel::Depth).data().toString());
    return column;
}

} // namespace

class TestPickSet : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void eachChangeUndoesAndRedoes_data();
    void eachChangeUndoesAndRedoes();
    void tableEditsGoThroughTheUndoStack();
    void valuesFollowTheDiameter();

private:
    uniheader m_header;
    PickCalculator *m_calculator = nullptr;
    PickSet *m_set = nullptr;
    PickTableModel *m_model = nullptr;
    QAbstractItemModelTester *m_tester = nullptr;
};

void TestPickSet::init()
{
    m_header = {};
    m_calculator = new PickCalculator(m_header, false, AzimuthReference::North, nullptr, 720);
    m_calculator->setFallbackDiameter(96.0);
    m_set = new PickSet;
    m_set->setCalculator(m_calculator);
    m_model = new PickTableModel(*m_set);
    // Checks every signal the model sends against what it then shows.
    m_tester = new QAbstractItemModelTester(m_model,
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_set->reset({pickAt(20.0, "b"), pickAt(10.0, "a"), pickAt(30.0, "c")});
}

void TestPickSet::cleanup()
{
    delete m_tester;
    delete m_model;
    delete m_set;
    delete m_calculator;
}

void TestPickSet::eachChangeUndoesAndRedoes_data()
{
    QTest::addColumn<PickChange>("change");
    QTest::addColumn<QStringList>("after"); // depth column once changed
    QTest::addColumn<QString>("comment");   // of this row once changed
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("type");
    const QStringList before{"10.000", "20.000", "30.000"};
    auto idOf = [](PickSet &set, double depth) {
        for (int r = 0; r < set.count(); ++r) {
            if (set.pick(r).trace.depth == depth)
                return set.id(r);
        }
        return PickId(0);
    };
    QTest::newRow("add") << PickChange([](PickSet &s) { s.add(pickAt(15.0, "new")); })
                         << QStringList{"10.000", "15.000", "20.000", "30.000"} << "new" << 1
                         << "other";
    QTest::newRow("move down past another")
        << PickChange([idOf](PickSet &s) { s.move(idOf(s, 20.0), 35.0); })
        << QStringList{"10.000", "30.000", "35.000"} << "b" << 2 << "other";
    QTest::newRow("move up to the top")
        << PickChange([idOf](PickSet &s) { s.move(idOf(s, 30.0), 5.0); })
        << QStringList{"5.000", "10.000", "20.000"} << "c" << 0 << "other";
    QTest::newRow("refit") << PickChange([idOf](PickSet &s) { s.refit(idOf(s, 20.0), 0.0, 10.0); })
                           << before << "b" << 1 << "other";
    QTest::newRow("retype") << PickChange([idOf](PickSet &s) { s.retype(idOf(s, 20.0), "vein"); })
                            << before << "b" << 1 << "vein";
    QTest::newRow("comment") << PickChange(
                                    [idOf](PickSet &s) { s.setComment(idOf(s, 20.0), "calcite"); })
                             << before << "calcite" << 1 << "other";
    QTest::newRow("delete") << PickChange([idOf](PickSet &s) { s.remove(idOf(s, 20.0)); })
                            << QStringList{"10.000", "30.000"} << "c" << 1 << "other";
}

void TestPickSet::eachChangeUndoesAndRedoes()
{
    QFETCH(PickChange, change);
    QFETCH(QStringList, after);
    QFETCH(QString, comment);
    QFETCH(int, row);
    QFETCH(QString, type);
    const QStringList before = {"10.000", "20.000", "30.000"};
    const QList<Pick> original = m_set->picks();
    QSignalSpy saves(m_set, &PickSet::picksChanged);
    QCOMPARE(depths(*m_model), before);
    change(*m_set);
    QCOMPARE(depths(*m_model), after);
    QCOMPARE(m_model->index(row, PickTableModel::Comment).data().toString(), comment);
    QCOMPARE(m_model->index(row, PickTableModel::Type).data().toString(), type);
    const QList<Pick> changed = m_set->picks();
    QCOMPARE(m_set->undoStack()->count(), 1);
    m_set->undoStack()->undo();
    QCOMPARE(depths(*m_model), before);
    QVERIFY(m_set->picks() == original);
    m_set->undoStack()->redo();
    QVERIFY(m_set->picks() == changed);
    QCOMPARE(saves.count(), 3); // each step is saved
}

void TestPickSet::tableEditsGoThroughTheUndoStack()
{
    const QModelIndex type = m_model->index(0, PickTableModel::Type);
    const QModelIndex depth = m_model->index(0, PickTableModel::Depth);
    QVERIFY(m_model->flags(type) & Qt::ItemIsEditable);
    QVERIFY(!(m_model->flags(depth) & Qt::ItemIsEditable));
    QVERIFY(m_model->setData(type, "fault"));
    QVERIFY(m_model->setData(m_model->index(0, PickTableModel::Comment), "slickensides"));
    QVERIFY(!m_model->setData(depth, 3.0));
    QCOMPARE(m_set->pick(0).type, QStringLiteral("fault"));
    QCOMPARE(m_set->pick(0).comment, QStringLiteral("slickensides"));
    QCOMPARE(m_set->undoStack()->count(), 2);
    m_set->undoStack()->undo();
    m_set->undoStack()->undo();
    QCOMPARE(type.data().toString(), QStringLiteral("other"));
    QCOMPARE(m_model->index(0, PickTableModel::Comment).data().toString(), QStringLiteral("a"));
    // An edit that changes nothing is no undo step.
    m_model->setData(type, "other");
    QCOMPARE(m_set->undoStack()->index(), 0);
}

void TestPickSet::valuesFollowTheDiameter()
{
    // 48 mm over a 48 mm radius: 45 degrees to the hole; no data file, so no true dip.
    const QModelIndex dip = m_model->index(0, PickTableModel::ApparentDip);
    QCOMPARE(dip.data().toString(), QStringLiteral("45.0"));
    QCOMPARE(m_model->index(0, PickTableModel::Diameter).data(Qt::UserRole).toDouble(), 96.0);
    QVERIFY(!m_model->index(0, PickTableModel::TrueDip).data().isValid());
    m_calculator->setFallbackDiameter(std::nullopt);
    m_set->recompute();
    QVERIFY(!dip.data().isValid());
    Pick own = pickAt(40.0);
    own.diameter = 192.0;
    m_set->add(own);
    QCOMPARE(m_model->index(3, PickTableModel::ApparentDip).data(Qt::UserRole).toDouble(),
             qRadiansToDegrees(std::atan(0.5)));
}

QTEST_GUILESS_MAIN(TestPickSet)
#include "tst_pickset.moc"
