// KIVO Log Viewer
#include "header/numberformat.h"
#include "kivoerror.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace kivo;

using Number = std::optional<double>;
using Integer = std::optional<qint32>;

namespace QTest {
template <> char *toString(const Integer &number)
{
    return number ? qstrdup(QByteArray::number(*number)) : qstrdup("nullopt");
}
} // namespace QTest

namespace {

const QLocale German(QLocale::German, QLocale::Germany);
constexpr double Max = std::numeric_limits<double>::max();
constexpr double Infinity = std::numeric_limits<double>::infinity();

QLocale localeNamed(const QString &name)
{
    return name == "de" ? German : QLocale::c();
}

QString describe(const Number &number)
{
    return number ? QString::number(*number, 'g', 17) : QStringLiteral("nullopt");
}

// Parsed values must be the nearest double, not merely close, and keep the sign of a zero.
bool sameNumber(const Number &a, const Number &b)
{
    return a.has_value() == b.has_value() &&
           (!a || (*a == *b && std::signbit(*a) == std::signbit(*b)));
}

} // namespace

class TestNumberFormat : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void strToFloat();
    void headerInteger_data();
    void headerInteger();
    void format_data();
    void format();
    void formatParsesBack();
};

void TestNumberFormat::parse_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Number>("expected");

    const Number bad;
    const QList<std::tuple<const char *, const char *, Number>> cases = {
        {"C", "1.5", 1.5},
        {"C", "-1.5", -1.5},
        {"C", "+2", 2.0},
        {"C", "  3.25 \t", 3.25},
        {"C", "\t3.25", 3.25},
        {"C", "3.25 ", 3.25},
        {"C", "0.1", 0.1},
        {"C", "3.14159265358979323846264338327950288", 3.141592653589793},
        {"C", ".5", 0.5},
        {"C", "5.", 5.0},
        {"C", "007", 7.0},
        {"C", "-0", -0.0},
        {"C", "1e3", 1000.0},
        {"C", "1E+3", 1000.0},
        {"C", "2.5e-3", 0.0025},
        {"C", "1e0000000000000000000000003", 1000.0},
        {"C", "1.7976931348623157e308", Max},
        {"C", "4.9e-324", std::numeric_limits<double>::denorm_min()},
        {"C", "1e-400", 0.0},
        {"C", "-1e-400", -0.0},
        {"C", "0e999999999999", 0.0},
        {"C", "1.8e308", bad},
        {"C", "1e400", bad},
        {"C", "-1e99999999999999999999", bad},
        {"C", "1,5", bad},
        {"C", "1,000", bad},
        {"C", "", bad},
        {"C", "  ", bad},
        {"C", ".", bad},
        {"C", "-", bad},
        {"C", "-.", bad},
        {"C", "e5", bad},
        {"C", ".e5", bad},
        {"C", "1e", bad},
        {"C", "1e+", bad},
        {"C", "1e5.5", bad},
        {"C", "1.5.2", bad},
        {"C", "1 5", bad},
        {"C", "- 1", bad},
        {"C", "++1", bad},
        {"C", "1.5x", bad},
        {"C", "0x10", bad},
        {"C", "inf", bad},
        {"C", "-Infinity", bad},
        {"C", "nan", bad},
        {"C", "\u0661", bad},
        {"C", "\uFF11", bad},
        {"C", "1.5\n", bad},
        {"de", "1,5", 1.5},
        {"de", " -1,5e3 ", -1500.0},
        {"de", ",25", 0.25},
        {"de", "12", 12.0},
        {"de", "1.5", bad},
        {"de", "1.000", bad},
        {"de", "1.000,5", bad},
        {"de", "1,5,0", bad},
    };
    for (const auto &[locale, text, expected] : cases)
        QTest::addRow("%s \"%s\"", locale, QByteArray(text).replace('\n', "\\n").constData())
            << QString::fromLatin1(locale) << QString::fromUtf8(text) << expected;
    QTest::newRow("long underflow") << "C"
                                    << "0." + QString(2000, '0') + "1" << Number(0.0);
    QTest::newRow("long mantissa") << "C"
                                   << "1" + QString(400, '0') + "e-400" << Number(1.0);
}

void TestNumberFormat::parse()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(Number, expected);
    const Number actual = parseLocaleFloat(text, localeNamed(locale));
    QVERIFY2(
        sameNumber(actual, expected),
        qPrintable(QStringLiteral("%1 instead of %2").arg(describe(actual), describe(expected))));
}

void TestNumberFormat::strToFloat()
{
    QCOMPARE(StrToFloat("1500,5", German), 1500.5);
    QCOMPARE(StrToFloat("1500.5", QLocale::c()), 1500.5);
    for (const QString &text : {QStringLiteral("1500.5"), QString(), QStringLiteral("abc")}) {
        try {
            StrToFloat(text, German);
            QFAIL(qPrintable("no error for " + text));
        } catch (const KivoError &error) {
            QCOMPARE(error.text(), "'" + text + "' is not a valid floating point value");
        }
    }
}

void TestNumberFormat::headerInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Integer>("expected");

    const Integer bad;
    const QList<QPair<const char *, Integer>> cases = {
        {"0", 0},
        {"101", 101},
        {"-5", -5},
        {"+7", 7},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"0x65", 101},
        {"0X65", 101},
        {"0xff", 255},
        {"0xAbC", 0xABC},
        {"0x7FFFFFFF", 2147483647},
        {"0x80000000", -2147483647 - 1},
        {"0xFFFFFFFF", -1},
        {"0x00000000FF", 255},
        {"2147483648", bad},
        {"-2147483649", bad},
        {"99999999999999999999", bad},
        {"0x100000000", bad},
        {"0x", bad},
        {"0X", bad},
        {"0xG", bad},
        {"0x-1", bad},
        {"0x 1", bad},
        {"-0x10", bad},
        {"x65", bad},
        {"$65", bad},
        {"1500.5", bad},
        {"", bad},
        {"-", bad},
        {"+", bad},
        {"12abc", bad},
        {" 12", bad},
        {"12 ", bad},
        {"1e3", bad},
    };
    for (const auto &[text, expected] : cases)
        QTest::addRow("\"%s\"", text) << QByteArray(text) << expected;
}

void TestNumberFormat::headerInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(Integer, expected);
    QCOMPARE(parseHeaderInteger(text), expected);
}

void TestNumberFormat::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("german");

    const QList<std::tuple<const char *, double, const char *, const char *>> cases = {
        {"zero", 0.0, "0", "0"},
        {"negative zero", -0.0, "0", "0"},
        {"integer", 300.0, "300", "300"},
        {"negative", -3.0, "-3", "-3"},
        {"half", 12.5, "12.5", "12,5"},
        {"negative fraction", -1234.5678, "-1234.5678", "-1234,5678"},
        {"binary noise", 0.1 + 0.2, "0.3", "0,3"},
        {"third", 1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
        {"two thirds", 2.0 / 3.0, "0.666666666666667", "0,666666666666667"},
        {"pi", M_PI, "3.14159265358979", "3,14159265358979"},
        {"15 digits rounded", 123456.7890123456, "123456.789012346", "123456,789012346"},
        {"15 integer digits", 123456789012345.0, "123456789012345", "123456789012345"},
        {"1e14", 1e14, "100000000000000", "100000000000000"},
        {"largest fixed", 999999999999999.0, "999999999999999", "999999999999999"},
        {"rounding carries", 999999999999999.9, "1E+15", "1E+15"},
        {"1e15", 1e15, "1E+15", "1E+15"},
        {"16 digits", 1234567890123456.0, "1.23456789012346E+15", "1,23456789012346E+15"},
        {"1e20", 1e20, "1E+20", "1E+20"},
        {"-2.5e100", -2.5e100, "-2.5E+100", "-2,5E+100"},
        {"largest", Max, "1.79769313486232E+308", "1,79769313486232E+308"},
        {"0.0001", 0.0001, "0.0001", "0,0001"},
        {"0.00001", 0.00001, "0.00001", "0,00001"},
        {"0.0000123", 0.0000123, "0.0000123", "0,0000123"},
        {"rounds up to 0.00001", 0.000009999999999999999, "0.00001", "0,00001"},
        {"below 0.00001", 0.0000099, "9.9E-6", "9,9E-6"},
        {"1.5e-6", 1.5e-6, "1.5E-6", "1,5E-6"},
        {"-1e-10", -1e-10, "-1E-10", "-1E-10"},
        {"smallest", std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324",
         "4,94065645841247E-324"},
        {"nan", std::nan(""), "NAN", "NAN"},
        {"infinity", Infinity, "INF", "INF"},
        {"minus infinity", -Infinity, "-INF", "-INF"},
    };
    for (const auto &[name, value, c, german] : cases)
        QTest::newRow(name) << value << QString::fromLatin1(c) << QString::fromLatin1(german);
}

void TestNumberFormat::format()
{
    QFETCH(double, value);
    QFETCH(QString, c);
    QFETCH(QString, german);
    QCOMPARE(formatGeneral(value, QLocale::c()), c);
    QCOMPARE(formatGeneral(value, German), german);
    // The minus sign stays ASCII in locales whose own minus is U+2212.
    QCOMPARE(formatGeneral(value, QLocale(QLocale::Swedish, QLocale::Sweden)), german);
}

void TestNumberFormat::formatParsesBack()
{
    // What formatGeneral shows, parseLocaleFloat reads back to a value that shows the same.
    QRandomGenerator random(15);
    for (int i = 0; i < 20000; ++i) {
        const double value =
            (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(-30, 30));
        for (const QLocale &locale : {QLocale::c(), German}) {
            const QString shown = formatGeneral(value, locale);
            const Number parsed = parseLocaleFloat(shown, locale);
            QVERIFY2(parsed, qPrintable(shown));
            QCOMPARE(formatGeneral(*parsed, locale), shown);
            QVERIFY2(std::abs(*parsed - value) <= std::abs(value) * 5e-15, qPrintable(shown));
        }
    }
}

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
