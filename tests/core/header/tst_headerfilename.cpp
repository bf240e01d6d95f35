// KIVO Log Viewer
#include "header/headerfilename.h"

#include <QtTest>

using namespace kivo;

class TestHeaderFileName : public QObject {
    Q_OBJECT

private slots:
    void makeHeaderFileName_data();
    void makeHeaderFileName();
    void findsHeaderInAnotherCase();
    void keepsTheDirectoryAsWritten_data();
    void keepsTheDirectoryAsWritten();
    void exactNameWins();
};

void TestHeaderFileName::makeHeaderFileName_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("header");
    QTest::newRow("usual") << "/logs/HOLE7.bhx"
                           << "/logs/HOLE7.HED";
    QTest::newRow("windows path") << "D:\\LOGS\\HOLE7.bhx"
                                  << "D:\\LOGS\\HOLE7.HED";
    QTest::newRow("several dots") << "A.B.C"
                                  << "A.B.HED";
    QTest::newRow("dotted directory") << "/logs.old/HOLE7"
                                      << "/logs.old/HOLE7.HED";
    QTest::newRow("dotted windows directory") << "D:\\LOGS.OLD\\HOLE7"
                                              << "D:\\LOGS.OLD\\HOLE7.HED";
    QTest::newRow("no dot") << "HOLE7"
                            << "HOLE7.HED";
    QTest::newRow("trailing dot") << "HOLE7."
                                  << "HOLE7.HED";
    QTest::newRow("one character") << "a"
                                   << "a.HED";
    QTest::newRow("case kept before the dot") << "/Logs/Hole7.BHX"
                                              << "/Logs/Hole7.HED";
    QTest::newRow("spaces") << "/my logs/hole 7.bhx"
                            << "/my logs/hole 7.HED";
    QTest::newRow("utf-8 name") << "/logs/Bohrung-\u00E4\u00F6.bhx"
                                << "/logs/Bohrung-\u00E4\u00F6.HED";
    QTest::newRow("hidden file") << "/logs/.hole"
                                 << "/logs/.HED";
}

void TestHeaderFileName::makeHeaderFileName()
{
    QFETCH(QString, data);
    QFETCH(QString, header);
    QCOMPARE(MakeHeaderFileName(data), header);
}

void TestHeaderFileName::findsHeaderInAnotherCase()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("hole7.hed"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString derived = MakeHeaderFileName(dir.filePath("hole7.bhx"));
    QCOMPARE(derived, dir.filePath("hole7.HED"));
    QCOMPARE(findHeaderFile(derived), dir.filePath("hole7.hed"));
    // Nothing matching: the derived name itself.
    QCOMPARE(findHeaderFile(dir.filePath("other.HED")), dir.filePath("other.HED"));
    QCOMPARE(findHeaderFile("/no/such/dir/x.HED"), QStringLiteral("/no/such/dir/x.HED"));
}

void TestHeaderFileName::keepsTheDirectoryAsWritten_data()
{
    QTest::addColumn<QString>("derived"); // relative to the current directory
    QTest::addColumn<QString>("found");
    QTest::newRow("bare name, exact") << "hole7.HED"
                                      << "hole7.HED";
    QTest::newRow("bare name, other case") << "hole8.HED"
                                           << "hole8.hed";
    QTest::newRow("relative directory") << "sub/hole9.HED"
                                        << "sub/hole9.hed";
}

void TestHeaderFileName::keepsTheDirectoryAsWritten()
{
    QFETCH(QString, derived);
    QFETCH(QString, found);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    for (const char *name : {"hole7.HED", "hole8.hed", "sub/hole9.hed"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString result = findHeaderFile(derived);
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(result, found);
}

void TestHeaderFileName::exactNameWins()
{
    QTemporaryDir dir;
    for (const char *name : {"hole7.hed", "hole7.HED"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(findHeaderFile(dir.filePath("hole7.HED")), dir.filePath("hole7.HED"));
}

QTEST_GUILESS_MAIN(TestHeaderFileName)
#include "tst_headerfilename.moc"
