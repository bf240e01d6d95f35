// KIVO Log Viewer
#include "print/printoptions.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace kivo;

namespace {

const QString CrossOver = QStringLiteral("Corrected for \"cross-over\" in depth range");
const QString BadDpi = QStringLiteral("Invalid value for Vertical DPI!");
const QString BadStart = QStringLiteral("Invalid value for Start depth!");
const QString BadEnd = QStringLiteral("Invalid value for End depth!");

QString startRange(const QString &range)
{
    return QStringLiteral("Start depth out of range! (Range: ") + range + QLatin1Char(')');
}
QString endRange(const QString &range)
{
    return QStringLiteral("End depth out of range! (Range: ") + range + QLatin1Char(')');
}

constexpr double NoDpi = std::numeric_limits<double>::quiet_NaN();

} // namespace

class TestPrintOptions : public QObject {
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void TestPrintOptions::check_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<double>("a"); // the log's start depth
    QTest::addColumn<double>("b"); // and end depth
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<double>("storedDpi");       // NaN: none stored
    QTest::addColumn<QString>("correctedStart"); // null: no correction
    QTest::addColumn<QString>("correctedEnd");

    const QString none;
    // Increasing log, 100 to 200.
    QTest::newRow("accepted") << "150"
                              << "180"
                              << "300" << 100.0 << 200.0 << "ft"
                              << "C" << QStringList() << 300.0 << none << none;
    QTest::newRow("range ends included") << "100"
                                         << "200"
                                         << "0" << 100.0 << 200.0 << "ft"
                                         << "C" << QStringList() << 0.0 << none << none;
    QTest::newRow("cross-over") << "150"
                                << "120"
                                << "300" << 100.0 << 200.0 << "ft"
                                << "C" << QStringList{CrossOver} << 300.0 << "120"
                                << "150";
    QTest::newRow("start out of range")
        << "250"
        << "150"
        << "300" << 100.0 << 200.0 << "ft"
        << "C" << QStringList{startRange("100 to 200ft")} << 300.0 << none << none;
    QTest::newRow("end out of range, metres")
        << "150"
        << "50"
        << "300" << 100.0 << 200.0 << "m"
        << "C" << QStringList{endRange("100 to 200m")} << 300.0 << none << none;
    QTest::newRow("both out of range, no cross-over")
        << "250"
        << "50"
        << "300" << 100.0 << 200.0 << "ft"
        << "C" << QStringList{startRange("100 to 200ft"), endRange("100 to 200ft")} << 300.0 << none
        << none;
    // Decreasing log, 200 to 100.
    QTest::newRow("decreasing: cross-over") << "120"
                                            << "150"
                                            << "300" << 200.0 << 100.0 << "ft"
                                            << "C" << QStringList{CrossOver} << 300.0 << "150"
                                            << "120";
    QTest::newRow("decreasing: accepted") << "150"
                                          << "120"
                                          << "300" << 200.0 << 100.0 << "ft"
                                          << "C" << QStringList() << 300.0 << none << none;
    QTest::newRow("decreasing: out of range")
        << "250"
        << "120"
        << "300" << 200.0 << 100.0 << "ft"
        << "C" << QStringList{startRange("200 to 100ft")} << 300.0 << none << none;
    QTest::newRow("decreasing: below")
        << "150"
        << "99.5"
        << "300" << 200.0 << 100.0 << "ft"
        << "C" << QStringList{endRange("200 to 100ft")} << 300.0 << none << none;
    // A log whose start and end are the same: nothing is out of range, nothing crosses over.
    QTest::newRow("equal: wide") << "5"
                                 << "500"
                                 << "300" << 100.0 << 100.0 << "ft"
                                 << "C" << QStringList() << 300.0 << none << none;
    QTest::newRow("equal: reversed") << "500"
                                     << "5"
                                     << "300" << 100.0 << 100.0 << "ft"
                                     << "C" << QStringList() << 300.0 << none << none;
    // The resolution: rounded to whole numbers, halves to even, and stored at once.
    QTest::newRow("300.5 stores 300") << "150"
                                      << "180"
                                      << "300.5" << 100.0 << 200.0 << "ft"
                                      << "C" << QStringList() << 300.0 << none << none;
    QTest::newRow("301.5 stores 302") << "150"
                                      << "180"
                                      << "301.5" << 100.0 << 200.0 << "ft"
                                      << "C" << QStringList() << 302.0 << none << none;
    QTest::newRow("300.51 stores 301") << "150"
                                       << "180"
                                       << "300.51" << 100.0 << 200.0 << "ft"
                                       << "C" << QStringList() << 301.0 << none << none;
    QTest::newRow("-0.4 stores 0") << "150"
                                   << "180"
                                   << "-0.4" << 100.0 << 200.0 << "ft"
                                   << "C" << QStringList() << 0.0 << none << none;
    QTest::newRow("exponent") << "1.5e2"
                              << "180"
                              << "3E2" << 100.0 << 200.0 << "ft"
                              << "C" << QStringList() << 300.0 << none << none;
    QTest::newRow("letters") << "150"
                             << "180"
                             << "abc" << 100.0 << 200.0 << "ft"
                             << "C" << QStringList{BadDpi} << NoDpi << none << none;
    QTest::newRow("stored before a later failure")
        << "x"
        << "180"
        << "301.5" << 100.0 << 200.0 << "ft"
        << "C" << QStringList{BadStart} << 302.0 << none << none;
    // Conversions: the whole text must be the number.
    QTest::newRow("empty start") << ""
                                 << "180"
                                 << "300" << 100.0 << 200.0 << "ft"
                                 << "C" << QStringList{BadStart} << 300.0 << none << none;
    QTest::newRow("trailing unit") << "150"
                                   << "180ft"
                                   << "300" << 100.0 << 200.0 << "ft"
                                   << "C" << QStringList{BadEnd} << 300.0 << none << none;
    QTest::newRow("leading blanks") << "  150"
                                    << " 180"
                                    << " 300" << 100.0 << 200.0 << "ft"
                                    << "C" << QStringList() << 300.0 << none << none;
    // Unlike a header value, a typed number has no blank after it and no tab before it.
    QTest::newRow("trailing blank") << "3.25 "
                                    << "5"
                                    << "300" << 0.0 << 10.0 << "ft"
                                    << "C" << QStringList{BadStart} << 300.0 << none << none;
    QTest::newRow("leading tab") << "2"
                                 << "\t3.25"
                                 << "300" << 0.0 << 10.0 << "ft"
                                 << "C" << QStringList{BadEnd} << 300.0 << none << none;
    QTest::newRow("all three rejected, in order")
        << "a"
        << "b"
        << "c" << 100.0 << 200.0 << "ft"
        << "C" << QStringList{BadDpi, BadStart, BadEnd} << NoDpi << none << none;
    QTest::newRow("conversion then ranges")
        << "50"
        << "250"
        << "" << 100.0 << 200.0 << "ft"
        << "C" << QStringList{BadDpi, startRange("100 to 200ft"), endRange("100 to 200ft")} << NoDpi
        << none << none;
    // A rejected depth is not tested against the range.
    QTest::newRow("rejected start draws no range message")
        << "999x"
        << "250"
        << "300" << 100.0 << 200.0 << "ft"
        << "C" << QStringList{BadStart, endRange("100 to 200ft")} << 300.0 << none << none;
    // The cross-over correction only when everything else passed.
    QTest::newRow("no correction after a failure")
        << "150"
        << "120"
        << "bad" << 100.0 << 200.0 << "ft"
        << "C" << QStringList{BadDpi} << NoDpi << none << none;
    QTest::newRow("corrected texts in general form")
        << "150.250"
        << "1.2e2"
        << "300" << 100.0 << 200.0 << "ft"
        << "C" << QStringList{CrossOver} << 300.0 << "120"
        << "150.25";
    QTest::newRow("range in general form")
        << "0"
        << "150"
        << "300" << 0.5 << 1e20 << "ft"
        << "C" << QStringList{startRange("0.5 to 1E+20ft")} << 300.0 << none << none;
    // The locale's decimal separator, for entry and display.
    QTest::newRow("comma locale") << "150,5"
                                  << "180"
                                  << "300,5" << 100.5 << 200.0 << "ft"
                                  << "de" << QStringList() << 300.0 << none << none;
    QTest::newRow("comma locale: point rejected")
        << "150.5"
        << "180"
        << "300" << 100.0 << 200.0 << "ft"
        << "de" << QStringList{BadStart} << 300.0 << none << none;
    QTest::newRow("comma locale: messages")
        << "99"
        << "180"
        << "300" << 100.5 << 200.0 << "m"
        << "de" << QStringList{startRange("100,5 to 200m")} << 300.0 << none << none;
    QTest::newRow("comma locale: correction") << "180,5"
                                              << "120"
                                              << "300" << 100.0 << 200.0 << "m"
                                              << "de" << QStringList{CrossOver} << 300.0 << "120"
                                              << "180,5";
}

void TestPrintOptions::check()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, dpi);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QString, unit);
    QFETCH(QString, locale);
    QFETCH(QStringList, messages);
    QFETCH(double, storedDpi);
    QFETCH(QString, correctedStart);
    QFETCH(QString, correctedEnd);

    const QLocale language =
        locale == "de" ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c();
    const PrintOptionsCheck result = checkPrintOptions({start, end, dpi}, a, b, unit, language);
    QCOMPARE(result.messages, messages);
    QCOMPARE(result.valid, messages.isEmpty());
    QCOMPARE(result.verticalDpi.has_value(), !std::isnan(storedDpi));
    if (result.verticalDpi) {
        QCOMPARE(*result.verticalDpi, storedDpi);
        QVERIFY(!std::signbit(*result.verticalDpi) || storedDpi < 0);
    }
    QCOMPARE(result.correctedStart.has_value(), !correctedStart.isNull());
    QCOMPARE(result.correctedStart.value_or(QString()), correctedStart);
    QCOMPARE(result.correctedEnd.value_or(QString()), correctedEnd);
}

QTEST_GUILESS_MAIN(TestPrintOptions)
#include "tst_printoptions.moc"
