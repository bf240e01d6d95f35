// KIVO Log Viewer
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kivo {

// One record of a CSV text and the line it starts on (from 1).
struct CsvRecord {
    int line = 0;
    QStringList fields;
};

// Splits CSV text into records by RFC 4180: fields separated by commas, records by CRLF or LF,
// a field in double quotes may hold commas, line breaks and doubled quotes. Empty lines are
// skipped. Throws KivoError("line N: ...") for a quote inside an unquoted field, text after a
// closing quote and a quote never closed.
QList<CsvRecord> parseCsv(const QString &text);

// The field as written in a record: in double quotes, inner quotes doubled, when it holds a
// comma, quote, line break or leading or trailing space; as it is otherwise.
QString csvField(const QString &field);

} // namespace kivo
