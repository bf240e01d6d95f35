// KIVO Log Viewer
#include "export/picklas.h"

#include "picks/picktype.h"

#include <QStringList>

#include <algorithm>
#include <numeric>
#include <optional>

namespace kivo {

namespace {

constexpr double Null = -999.25;

// A header value on one line. A colon would end the value early for the readers that split
// the line at its first colon, so it becomes a space.
QString headerText(QString text)
{
    for (QChar &c : text) {
        if (c == u':' || c == u'\n' || c == u'\r' || c == u'~')
            c = u' ';
    }
    return text.simplified();
}

// "MNEM.UNIT  value  : description", the value in a column of its own.
QString line(const QString &mnemonic, const QString &unit, const QString &value,
             const QString &description)
{
    return QStringLiteral(" %1    %2    : %3\n")
        .arg((mnemonic + u'.' + unit).leftJustified(10), value.leftJustified(24), description);
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString number(const std::optional<double> &value, int decimals)
{
    return value ? number(*value, decimals) : number(Null, 2);
}

} // namespace

QByteArray writePicksLas(const QList<Pick> &picks, const QList<PickValues> &values,
                         const uniheader &header, bool feet)
{
    Q_ASSERT(picks.size() == values.size());
    std::vector<qsizetype> order(size_t(picks.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return picks[a].trace.depth < picks[b].trace.depth;
    });

    // The offered types have fixed numbers; any other text gets the next one, in depth order.
    QStringList types = pickTypes();
    QList<int> codes;
    for (qsizetype i : order) {
        int code = pickTypeCode(picks[i].type);
        if (code == 0) {
            const QString type = headerText(picks[i].type);
            if (!types.contains(type))
                types.append(type);
            code = int(types.indexOf(type)) + 1;
        }
        codes.append(code);
    }

    const QString depthUnit = feet ? QStringLiteral("F") : QStringLiteral("M");
    const QString sizeUnit = feet ? QStringLiteral("IN") : QStringLiteral("MM");
    const QString deg = QStringLiteral("DEG");
    const double first = order.empty() ? Null : picks[order.front()].trace.depth;
    const double last = order.empty() ? Null : picks[order.back()].trace.depth;

    QString out = QStringLiteral("~Version Information\n");
    out += line("VERS", {}, "2.0", "CWLS LOG ASCII STANDARD - VERSION 2.0");
    out += line("WRAP", {}, "NO", "ONE LINE PER DEPTH STEP");
    out += QStringLiteral("~Well Information\n");
    out += line("STRT", depthUnit, number(first, 4), "START DEPTH");
    out += line("STOP", depthUnit, number(last, 4), "STOP DEPTH");
    out += line("STEP", depthUnit, "0", "STEP (IRREGULAR DEPTHS)");
    out += line("NULL", {}, number(Null, 2), "NULL VALUE");
    out += line("COMP", {}, headerText(header.Company), "COMPANY");
    out += line("WELL", {}, headerText(header.Wellname), "WELL");
    out += line("FLD", {}, headerText(header.Fieldname), "FIELD");
    out += line("LOC", {}, headerText(header.Location), "LOCATION");
    out += line("CTRY", {}, headerText(header.Country), "COUNTRY");
    out += line("SRVC", {}, headerText(header.ServiceCompany), "SERVICE COMPANY");
    out += line("DATE", {}, headerText(header.Date), "LOG DATE");
    out += line("UWI", {}, headerText(header.UWI), "UNIQUE WELL ID");
    out += QStringLiteral("~Curve Information\n");
    out += line("DEPT", depthUnit, {}, "DEPTH OF THE PICK");
    out += line("DIP", deg, {}, "TRUE DIP");
    out += line("AZI", deg, {}, "TRUE DIP AZIMUTH FROM NORTH");
    out += line("ADIP", deg, {}, "APPARENT DIP TO THE HOLE");
    out += line("AAZI", deg, {}, "APPARENT DIP AZIMUTH ON THE IMAGE");
    out += line("HDEV", deg, {}, "HOLE DEVIATION FROM VERTICAL");
    out += line("HAZI", deg, {}, "HOLE AZIMUTH");
    out += line("AMPL", depthUnit, {}, "TRACE AMPLITUDE");
    out += line("DIAM", sizeUnit, {}, "HOLE DIAMETER");
    out += line("TYPE", {}, {}, "FEATURE TYPE, NUMBERS NAMED IN THE OTHER SECTION");
    out += QStringLiteral("~Other\n");
    for (qsizetype t = 0; t < types.size(); ++t)
        out += QStringLiteral("TYPE %1 = %2\n").arg(t + 1).arg(types[t]);
    out += QStringLiteral("~A  DEPT  DIP  AZI  ADIP  AAZI  HDEV  HAZI  AMPL  DIAM  TYPE\n");
    for (size_t k = 0; k < order.size(); ++k) {
        const Pick &p = picks[order[k]];
        const PickValues &v = values[order[k]];
        const QStringList fields = {
            number(p.trace.depth, 4),        number(v.trueDip, 2),
            number(v.trueDipAzimuth, 2),     number(v.apparentDip, 2),
            number(v.apparentDipAzimuth, 2), number(v.holeDeviation, 2),
            number(v.holeAzimuth, 2),        number(p.trace.amplitude, 4),
            number(v.diameter, 2),           QString::number(codes[qsizetype(k)])};
        out += fields.join(u' ') + u'\n';
    }
    return out.toUtf8();
}

} // namespace kivo
