// KIVO Log Viewer
#include "picks/csv.h"

#include "kivoerror.h"

namespace kivo {

namespace {

KivoError csvError(int line, const QString &what)
{
    return KivoError(QStringLiteral("line %1: %2").arg(line).arg(what));
}

} // namespace

QList<CsvRecord> parseCsv(const QString &text)
{
    QList<CsvRecord> records;
    CsvRecord record{1, {}};
    QString field;
    int line = 1;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the current field was quoted and has closed
    bool lineEmpty = true;  // nothing but the line break so far in this record
    const qsizetype n = text.size();
    auto endField = [&] {
        record.fields.append(field);
        field.clear();
        wasQuoted = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < n && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
                wasQuoted = true;
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u',') {
            endField();
            lineEmpty = false;
        } else if (c == u'\n' || (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')) {
            if (c == u'\r')
                ++i;
            if (!lineEmpty || !field.isEmpty() || wasQuoted) {
                endField();
                records.append(record);
            }
            record = {line + 1, {}};
            field.clear();
            wasQuoted = false;
            lineEmpty = true;
            ++line;
        } else if (wasQuoted) {
            throw csvError(line, QStringLiteral("text after a closing quote"));
        } else if (c == u'"') {
            if (!field.isEmpty())
                throw csvError(line, QStringLiteral("a quote inside an unquoted field"));
            quoted = true;
            lineEmpty = false;
        } else {
            field += c;
            lineEmpty = false;
        }
    }
    if (quoted)
        throw csvError(record.line, QStringLiteral("a quote that is never closed"));
    if (!lineEmpty || !field.isEmpty() || wasQuoted) {
        endField();
        records.append(record);
    }
    return records;
}

QString csvField(const QString &field)
{
    const bool plain = !field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') &&
                       !field.contains(u'\r') && field == field.trimmed();
    if (plain)
        return field;
    QString escaped = field;
    escaped.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

} // namespace kivo
