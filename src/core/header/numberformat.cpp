// KIVO Log Viewer
#include "header/numberformat.h"

#include "kivoerror.h"

#include <QByteArray>

#include <cmath>

namespace kivo {

namespace {

constexpr int SignificantDigits = 15;
// Fixed notation covers decimal exponents -5 (0.00001) to 14 (15 digits before the point).
constexpr int SmallestFixedExponent = -5;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Where a text may hold blanks besides the number.
enum class Blanks {
    Around,  // spaces and tabs before and after: values in a header file
    Leading, // spaces before only: numbers typed into a dialog
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the grammar of parseLocaleFloat over a text and rewrites the number in C notation
// ("-12.5e3"), so that the conversion itself is exact and locale-free.
class FloatSyntax {
public:
    FloatSyntax(QStringView text, QStringView point, Blanks blanks)
        : m_text(text)
        , m_point(point)
        , m_blanks(blanks)
    {}

    std::optional<QByteArray> plain()
    {
        skipBlanks();
        sign();
        qsizetype mantissa = digits();
        if (!m_point.isEmpty() && m_text.sliced(m_pos).startsWith(m_point)) {
            m_pos += m_point.size();
            m_plain += '.';
            mantissa += digits();
        }
        if (mantissa == 0)
            return std::nullopt;
        if (m_pos < m_text.size() && (m_text[m_pos] == u'e' || m_text[m_pos] == u'E')) {
            ++m_pos;
            m_plain += 'e';
            sign();
            if (digits() == 0)
                return std::nullopt;
        }
        if (m_blanks == Blanks::Around)
            skipBlanks();
        if (m_pos != m_text.size())
            return std::nullopt;
        return m_plain;
    }

private:
    bool isBlank(QChar c) const { return c == u' ' || (c == u'\t' && m_blanks == Blanks::Around); }
    void skipBlanks()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
    }
    void sign()
    {
        if (m_pos < m_text.size() && (m_text[m_pos] == u'+' || m_text[m_pos] == u'-'))
            m_plain += char(m_text[m_pos++].unicode());
    }
    qsizetype digits()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
            m_plain += char(m_text[m_pos++].unicode());
        return m_pos - start;
    }

    QStringView m_text;
    QStringView m_point;
    Blanks m_blanks;
    qsizetype m_pos = 0;
    QByteArray m_plain;
};

std::optional<double> parseFloat(const QString &text, const QLocale &locale, Blanks blanks)
{
    const QString point = locale.decimalPoint();
    const std::optional<QByteArray> plain = FloatSyntax(text, point, blanks).plain();
    if (!plain)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(QString::fromLatin1(*plain), &ok);
    if (ok)
        return value;
    // The conversion fails both above the largest double (giving an infinity) and below the
    // smallest one (giving 0). Only the first is out of range; a tiny value is just zero.
    if (std::isinf(value))
        return std::nullopt;
    return plain->startsWith('-') ? -0.0 : 0.0;
}

} // namespace

std::optional<double> parseLocaleFloat(const QString &text, const QLocale &locale)
{
    return parseFloat(text, locale, Blanks::Around);
}

std::optional<double> parseEntryFloat(const QString &text, const QLocale &locale)
{
    return parseFloat(text, locale, Blanks::Leading);
}

double StrToFloat(const QString &text, const QLocale &locale)
{
    if (const std::optional<double> value = parseLocaleFloat(text, locale))
        return *value;
    throw KivoError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

std::optional<qint32> parseHeaderInteger(QByteArrayView text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        quint64 value = 0;
        for (const char c : text.sliced(2)) {
            const int digit = hexDigit(c);
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + quint64(digit);
            if (value > 0xFFFFFFFFULL)
                return std::nullopt;
        }
        return qint32(quint32(value));
    }
    const bool negative = text.startsWith('-');
    if (negative || text.startsWith('+'))
        text = text.sliced(1);
    if (text.isEmpty())
        return std::nullopt;
    // The magnitude of the smallest int32; anything beyond it is out of range either way.
    constexpr qint64 Limit = 2147483648LL;
    qint64 magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > Limit)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > Limit - 1)
        return std::nullopt;
    return qint32(value);
}

QString formatGeneral(double value, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");

    // "d.dddddddddddddde+x": the value correctly rounded to 15 significant digits; a carry
    // (9.99...95 to 10) already shows in the exponent.
    const QByteArray rounded = QByteArray::number(std::fabs(value), 'e', SignificantDigits - 1);
    const qsizetype e = rounded.indexOf('e');
    const int exponent = rounded.sliced(e + 1).toInt();
    QString digits = QString::fromLatin1(rounded.first(1) + rounded.sliced(2, e - 2));
    while (digits.endsWith(u'0'))
        digits.chop(1);

    const QString point = locale.decimalPoint();
    QString text = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= SignificantDigits || exponent < SmallestFixedExponent) {
        text += digits.first(1);
        if (digits.size() > 1)
            text += point + digits.sliced(1);
        text += (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) +
                QString::number(std::abs(exponent));
    } else if (exponent < 0) {
        text += u'0' + point + QString(-exponent - 1, u'0') + digits;
    } else if (digits.size() <= exponent + 1) {
        text += digits + QString(exponent + 1 - digits.size(), u'0');
    } else {
        text += digits.first(exponent + 1) + point + digits.sliced(exponent + 1);
    }
    return text;
}

} // namespace kivo
