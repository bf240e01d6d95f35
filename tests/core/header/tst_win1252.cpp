// KIVO Log Viewer
#include "header/win1252.h"

#include <QSet>
#include <QStringDecoder>
#include <QtTest>

using namespace kivo;

namespace {

QByteArray allBytes()
{
    QByteArray bytes(256, '\0');
    for (int i = 0; i < 256; ++i)
        bytes[i] = char(i);
    return bytes;
}

} // namespace

class TestWin1252 : public QObject {
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void matchesSystemCodec();
    void roundTrip();
    void encode_data();
    void encode();
};

void TestWin1252::decode_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("character");

    const QList<QPair<int, int>> cases = {
        {0x00, 0x0000},
        {0x41, 0x0041},
        {0x7F, 0x007F},
        {0x80, 0x20AC},
        {0x82, 0x201A},
        {0x83, 0x0192},
        {0x85, 0x2026},
        {0x89, 0x2030},
        {0x8A, 0x0160},
        {0x8C, 0x0152},
        {0x8E, 0x017D},
        {0x91, 0x2018},
        {0x92, 0x2019},
        {0x93, 0x201C},
        {0x96, 0x2013},
        {0x97, 0x2014},
        {0x99, 0x2122},
        {0x9A, 0x0161},
        {0x9C, 0x0153},
        {0x9E, 0x017E},
        {0x9F, 0x0178},
        {0xA0, 0x00A0},
        {0xB0, 0x00B0},
        {0xB5, 0x00B5},
        {0xC4, 0x00C4},
        {0xDF, 0x00DF},
        {0xE9, 0x00E9},
        {0xF1, 0x00F1},
        {0xFC, 0x00FC},
        {0xFF, 0x00FF},
        // Left undefined by the code page: decoded as the control of the same number.
        {0x81, 0x0081},
        {0x8D, 0x008D},
        {0x8F, 0x008F},
        {0x90, 0x0090},
        {0x9D, 0x009D},
    };
    for (const auto &[byte, character] : cases)
        QTest::addRow("0x%02X", byte) << byte << character;
}

void TestWin1252::decode()
{
    QFETCH(int, byte);
    QFETCH(int, character);
    const QString text = fromWindows1252(QByteArray(1, char(byte)));
    QCOMPARE(text.size(), 1);
    QCOMPARE(int(text[0].unicode()), character);
}

void TestWin1252::matchesSystemCodec()
{
    QStringDecoder system("windows-1252");
    if (!system.isValid())
        QSKIP("Qt was built without a Windows-1252 codec");
    QCOMPARE(fromWindows1252(allBytes()), QString(system(allBytes())));
}

void TestWin1252::roundTrip()
{
    const QString text = fromWindows1252(allBytes());
    QCOMPARE(text.size(), 256);
    QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);
    QCOMPARE(toWindows1252(text), allBytes());
    QCOMPARE(fromWindows1252("Temp \xB0"
                             "C, \x80"
                             "5 \x96 caf\xE9"),
             QStringLiteral("Temp °C, €5 – café"));
    QCOMPARE(fromWindows1252(QByteArrayView()), QString());
}

void TestWin1252::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("mixed") << QStringLiteral("Grüße – 20 °C, €5, Š™")
                           << QByteArray("Gr\xFC\xDF"
                                         "e \x96 20 \xB0"
                                         "C, \x80"
                                         "5, \x8A\x99");
    QTest::newRow("undefined five")
        << QStringLiteral("\u0081\u008D\u008F\u0090\u009D") << QByteArray("\x81\x8D\x8F\x90\x9D");
    QTest::newRow("other C1 controls") << QStringLiteral("\u0080\u008A\u009F") << QByteArray("???");
    QTest::newRow("outside the code page") << QStringLiteral("Ωλ\u2212") << QByteArray("???");
    QTest::newRow("surrogate pair is one character")
        << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("NUL kept") << QString(QChar(0)) << QByteArray(1, '\0');
}

void TestWin1252::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(toWindows1252(text), expected);
}

QTEST_GUILESS_MAIN(TestWin1252)
#include "tst_win1252.moc"
