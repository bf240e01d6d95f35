// KIVO Log Viewer
#include "log/readouts.h"
#include "log/timageline.h"
#include "testlog.h"

#include <QtTest>

using namespace kivo;

class TestReadouts : public QObject {
    Q_OBJECT

private slots:
    void depth_data();
    void depth();
    void depthInCommaLocale();
    void angle_data();
    void angle();
    void bearing_data();
    void bearing();
    void depthMark_data();
    void depthMark();
    void setReadoutsKeepsAngleOutOfRange();
};

void TestReadouts::depth_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("text");
    QTest::newRow("1500") << 1500 << " 1.500";
    QTest::newRow("2345") << 2345 << " 2.345";
    QTest::newRow("12345") << 12345 << "12.345";
    QTest::newRow("123456") << 123456 << "123.456";
    QTest::newRow("-250") << -250 << "-0.250";
    QTest::newRow("0") << 0 << " 0.000";
    QTest::newRow("-12345") << -12345 << "-12.345";
    QTest::newRow("max") << std::numeric_limits<qint32>::max() << "2147483.647";
    QTest::newRow("min") << std::numeric_limits<qint32>::min() << "-2147483.648";
}

void TestReadouts::depth()
{
    QFETCH(int, depth);
    QFETCH(QString, text);
    QCOMPARE(formatDepthReadout(depth, QLocale::c()), text);
}

void TestReadouts::depthInCommaLocale()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    QCOMPARE(formatDepthReadout(1500, german), QStringLiteral(" 1,500"));
    QCOMPARE(*formatDepthMark(12300, "m", german), QStringLiteral(" 12,3m"));
}

void TestReadouts::angle_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<QString>("text"); // empty: the readout keeps its text
    QTest::newRow("0") << 0 << "90.0";
    QTest::newRow("90") << 90 << "0.0";
    QTest::newRow("180") << 180 << "-90.0";
    QTest::newRow("-30") << -30 << "60.0";
    QTest::newRow("-180") << -180 << "-90.0";
    QTest::newRow("181") << 181 << "";
    QTest::newRow("200") << 200 << "";
    QTest::newRow("-32768") << -32768 << "";
}

void TestReadouts::angle()
{
    QFETCH(int, angle);
    QFETCH(QString, text);
    QCOMPARE(formatAngleReadout(qint16(angle)).value_or(QString()), text);
}

void TestReadouts::bearing_data()
{
    QTest::addColumn<int>("bearing");
    QTest::addColumn<QString>("text");
    QTest::newRow("45") << 45 << "45.0";
    QTest::newRow("-45") << -45 << "45.0";
    QTest::newRow("0") << 0 << "0.0";
    QTest::newRow("-32768") << -32768 << "32768.0";
}

void TestReadouts::bearing()
{
    QFETCH(int, bearing);
    QFETCH(QString, text);
    QCOMPARE(formatBearingReadout(qint16(bearing)), text);
}

void TestReadouts::depthMark_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("label"); // empty: no mark
    QTest::newRow("100") << 100 << "m"
                         << "  0.1m";
    QTest::newRow("150") << 150 << "m"
                         << "";
    QTest::newRow("12300") << 12300 << "m"
                           << " 12.3m";
    QTest::newRow("0") << 0 << "m"
                       << "  0.0m";
    QTest::newRow("1234500") << 1234500 << "m"
                             << "1234.5m";
    QTest::newRow("-100") << -100 << "m"
                          << " -0.1m";
    QTest::newRow("-150") << -150 << "m"
                          << "";
    QTest::newRow("feet") << 2500 << "ft"
                          << "  2.5ft";
    QTest::newRow("min multiple") << -2147483600 << "m"
                                  << "-2147483.6m";
}

void TestReadouts::depthMark()
{
    QFETCH(int, depth);
    QFETCH(QString, unit);
    QFETCH(QString, label);
    QCOMPARE(formatDepthMark(depth, unit, QLocale::c()).value_or(QString()), label);
}

void TestReadouts::setReadoutsKeepsAngleOutOfRange()
{
    const auto grey = [](int) {
        return test::Rgb{9, 9, 9};
    };
    const QByteArray first = test::makeRecord(360, 2345, -45, -30, grey);
    const QByteArray second = test::makeRecord(360, 12345, 10, 200, grey);
    ReadoutTexts texts;
    setReadouts(texts, TImageLine(reinterpret_cast<const uchar *>(first.constData()), 360),
                QLocale::c());
    QCOMPARE(texts.depth, QStringLiteral(" 2.345"));
    QCOMPARE(texts.angle, QStringLiteral("60.0"));
    QCOMPARE(texts.bearing, QStringLiteral("45.0"));
    setReadouts(texts, TImageLine(reinterpret_cast<const uchar *>(second.constData()), 360),
                QLocale::c());
    QCOMPARE(texts.depth, QStringLiteral("12.345"));
    QCOMPARE(texts.angle, QStringLiteral("60.0"));
    QCOMPARE(texts.bearing, QStringLiteral("10.0"));
}

QTEST_GUILESS_MAIN(TestReadouts)
#include "tst_readouts.moc"
