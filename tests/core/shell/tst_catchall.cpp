// KIVO Log Viewer
#include "kivoerror.h"
#include "shell/catchall.h"

#include <QtTest>

#include <functional>
#include <new>
#include <stdexcept>

using namespace kivo;

using Body = std::function<int()>;
Q_DECLARE_METATYPE(Body)

class TestCatchAll : public QObject {
    Q_OBJECT

private slots:
    void status_data();
    void status();
    void failingReportStillGivesTheStatus();
};

void TestCatchAll::status_data()
{
    QTest::addColumn<Body>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reported"); // empty: nothing is reported
    QTest::newRow("success") << Body([] { return 0; }) << 0 << "";
    QTest::newRow("own failure status") << Body([] { return 1; }) << 1 << "";
    QTest::newRow("memory exhausted") << Body([]() -> int { throw std::bad_alloc(); }) << 2
                                      << "There is not enough memory to go on; the program stops";
    QTest::newRow("uncaught KivoError")
        << Body([]() -> int { throw KivoError("File not found: x.bhx"); }) << 2
        << "File not found: x.bhx";
    QTest::newRow("standard exception")
        << Body([]() -> int { throw std::runtime_error("bad state"); }) << 2
        << "An unexpected error stopped the program: bad state";
    QTest::newRow("not an exception class")
        << Body([]() -> int { throw 42; }) << 2 << "An unexpected error stopped the program";
}

void TestCatchAll::status()
{
    QFETCH(Body, body);
    QFETCH(int, status);
    QFETCH(QString, reported);
    QStringList reports;
    QCOMPARE(runCatchingAll(body, [&](const QString &text) { reports << text; }), status);
    QCOMPARE(reports, reported.isEmpty() ? QStringList() : QStringList{reported});
}

void TestCatchAll::failingReportStillGivesTheStatus()
{
    const int status = runCatchingAll([]() -> int { throw std::bad_alloc(); },
                                      [](const QString &) { throw std::bad_alloc(); });
    QCOMPARE(status, UncaughtErrorExitCode);
}

QTEST_GUILESS_MAIN(TestCatchAll)
#include "tst_catchall.moc"
