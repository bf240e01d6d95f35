// KIVO Log Viewer
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace kivo {

// A header value, the whole text a decimal number in the given locale: optional blanks (spaces
// or tabs), an optional sign, digits with an optional fraction after the locale's decimal
// separator (at least one digit in all), an optional exponent ("E" or "e", optional sign,
// digits), optional blanks. Nothing else: no thousands separators, no "inf"/"nan", no other
// decimal separator. Out-of-range values (beyond the largest double) do not convert.
std::optional<double> parseLocaleFloat(const QString &text, const QLocale &locale);

// A number typed into a dialog: the same grammar, but the blanks before the number are spaces
// only and nothing, not even a blank, may follow it.
std::optional<double> parseEntryFloat(const QString &text, const QLocale &locale);

// parseLocaleFloat, throwing KivoError("'<text>' is not a valid floating point value") on failure.
double StrToFloat(const QString &text, const QLocale &locale);

// A 32-bit integer as the header format writes it: decimal digits with an optional sign, or,
// for a text longer than two characters beginning with "0x"/"0X", hex digits of a value that
// fits in 32 bits, leading zeros allowed (wrapping to the signed range). Anything else,
// out-of-range values included: nullopt.
std::optional<qint32> parseHeaderInteger(QByteArrayView text);

// General number display: up to 15 significant digits, no trailing zeros, the locale's decimal
// separator only when there is a fraction, scientific form ("1.5E-6", "1E+20") when the value
// needs more than 15 digits before the separator or is smaller than 0.00001 in magnitude.
// 0 gives "0", 12.5 gives "12.5" ("12,5" in a comma locale).
QString formatGeneral(double value, const QLocale &locale);

} // namespace kivo
