// KIVO Log Viewer
#include "log/datafilenotice.h"

#include <QtTest>

using namespace kivo;

class TestDataFileNotice : public QObject {
    Q_OBJECT

private slots:
    void notices_data();
    void notices();
};

void TestDataFileNotice::notices_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("notice");
    // 720 samples: 2172 bytes a record.
    QTest::newRow("text renamed .bhx")
        << qint64(3761)
        << "LOG.BHX: 3761 bytes, 1 whole record, 1589 bytes past the last "
           "record ignored";
    QTest::newRow("one byte over")
        << qint64(2 * 2172 + 1)
        << "LOG.BHX: 4345 bytes, 2 whole records, 1 byte past the last record ignored";
    QTest::newRow("shorter than a record")
        << qint64(100) << "LOG.BHX: 100 bytes, no whole record, all ignored";
    QTest::newRow("empty") << qint64(0) << "LOG.BHX: no records";
    QTest::newRow("whole records") << qint64(3 * 2172) << QString();
}

void TestDataFileNotice::notices()
{
    QFETCH(qint64, size);
    QFETCH(QString, notice);
    QCOMPARE(dataFileNotice(QStringLiteral("LOG.BHX"), size, 2172), notice);
}

QTEST_GUILESS_MAIN(TestDataFileNotice)
#include "tst_datafilenotice.moc"
