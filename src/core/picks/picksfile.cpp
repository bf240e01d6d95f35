// KIVO Log Viewer
#include "picks/picksfile.h"

#include "kivoerror.h"
#include "picks/csv.h"

#include <QHash>
#include <QLocale>
#include <QStringDecoder>

#include <cmath>

namespace kivo {

namespace {

const QStringList Columns = {"Depth",       "Amplitude",          "TroughAzimuth", "Diameter",
                             "ApparentDip", "ApparentDipAzimuth", "HoleDeviation", "HoleAzimuth",
                             "TrueDip",     "TrueDipAzimuth",     "Type",          "Comment"};
const QString Confidence = QStringLiteral("Confidence");

QString decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (!decoder.hasError())
        return text;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringDecoder line(QStringDecoder::Utf8);
        const QString decoded = line(lines[i]);
        if (line.hasError())
            throw KivoError(QStringLiteral("line %1: not UTF-8 text").arg(i + 1));
    }
    throw KivoError(QStringLiteral("not UTF-8 text"));
}

// The column of each name, lowercased, in the header record.
QHash<QString, qsizetype> columnsOf(const CsvRecord &header)
{
    QHash<QString, qsizetype> columns;
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const QString name = header.fields[i].trimmed().toLower();
        if (name.isEmpty()) // the unnamed trailing columns some spreadsheets write
            continue;
        if (columns.contains(name))
            throw KivoError(QStringLiteral("line %1: column '%2' appears twice")
                                .arg(header.line)
                                .arg(header.fields[i].trimmed()));
        columns.insert(name, i);
    }
    for (const char *required : {"Depth", "Amplitude", "TroughAzimuth"}) {
        if (!columns.contains(QString::fromLatin1(required).toLower()))
            throw KivoError(QStringLiteral("line %1: no %2 column").arg(header.line).arg(required));
    }
    return columns;
}

class RecordReader {
public:
    RecordReader(const QHash<QString, qsizetype> &columns, const CsvRecord &record)
        : m_columns(columns)
        , m_record(record)
    {}

    QString text(const QString &column) const
    {
        const qsizetype i = m_columns.value(column.toLower(), -1);
        return i < 0 ? QString() : m_record.fields[i];
    }
    // An empty field gives nullopt, unless it is required.
    std::optional<double> number(const QString &column, bool required = false) const
    {
        const QString field = text(column).trimmed();
        if (field.isEmpty() && !required)
            return std::nullopt;
        bool ok = false;
        const double value = QLocale::c().toDouble(field, &ok);
        if (!ok || !std::isfinite(value))
            throw error(QStringLiteral("%1 '%2' is not a number").arg(column, field));
        return value;
    }
    KivoError error(const QString &what) const
    {
        return KivoError(QStringLiteral("line %1: %2").arg(m_record.line).arg(what));
    }

private:
    const QHash<QString, qsizetype> &m_columns;
    const CsvRecord &m_record;
};

Pick readPick(const RecordReader &in)
{
    Pick pick;
    pick.trace.depth = *in.number("Depth", true);
    pick.trace.amplitude = *in.number("Amplitude", true);
    if (pick.trace.amplitude < 0.0)
        throw in.error(QStringLiteral("Amplitude must not be negative"));
    pick.trace.troughAzimuth = normalizedAzimuth(*in.number("TroughAzimuth", true));
    pick.diameter = in.number("Diameter");
    if (pick.diameter && *pick.diameter <= 0.0)
        throw in.error(QStringLiteral("Diameter must be more than 0"));
    const QString type = in.text("Type").trimmed();
    if (!type.isEmpty())
        pick.type = type;
    pick.comment = in.text("Comment");
    pick.confidence = in.number(Confidence);
    return pick;
}

QString number(std::optional<double> value, int decimals)
{
    return value ? QString::number(*value, 'f', decimals) : QString();
}

} // namespace

QList<Pick> readPicksCsv(const QByteArray &bytes)
{
    const QList<CsvRecord> records = parseCsv(decodeUtf8(bytes));
    QList<Pick> picks;
    if (records.isEmpty())
        return picks;
    const QHash<QString, qsizetype> columns = columnsOf(records.first());
    for (qsizetype r = 1; r < records.size(); ++r) {
        const CsvRecord &record = records[r];
        if (record.fields.size() != records.first().fields.size())
            throw KivoError(QStringLiteral("line %1: %2 fields where the header has %3")
                                .arg(record.line)
                                .arg(record.fields.size())
                                .arg(records.first().fields.size()));
        picks.append(readPick(RecordReader(columns, record)));
    }
    return picks;
}

QByteArray writePicksCsv(const QList<Pick> &picks, const QList<PickValues> &values,
                         bool withConfidence)
{
    Q_ASSERT(picks.size() == values.size());
    bool confidence = withConfidence;
    for (const Pick &pick : picks)
        confidence = confidence || pick.confidence.has_value();
    QStringList header = Columns;
    if (confidence)
        header.append(Confidence);
    QString out = header.join(u',') + QStringLiteral("\r\n");
    for (qsizetype i = 0; i < picks.size(); ++i) {
        const Pick &p = picks[i];
        const PickValues &v = values[i];
        QStringList fields = {number(p.trace.depth, 6),
                              number(p.trace.amplitude, 6),
                              number(p.trace.troughAzimuth, 4),
                              number(p.diameter, 4),
                              number(v.apparentDip, 2),
                              number(v.apparentDipAzimuth, 2),
                              number(v.holeDeviation, 2),
                              number(v.holeAzimuth, 2),
                              number(v.trueDip, 2),
                              number(v.trueDipAzimuth, 2),
                              csvField(p.type),
                              csvField(p.comment)};
        if (confidence)
            fields.append(p.confidence ? QLocale::c().toString(*p.confidence, 'g',
                                                               QLocale::FloatingPointShortest)
                                       : QString());
        out += fields.join(u',') + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace kivo
