// KIVO Log Viewer
#include "log/logopener.h"

#include "header/headerfilename.h"
#include "header/headerio.h"
#include "header/inifile.h"

#include <QFileInfo>

namespace kivo {

QString LogHeaderCheck::refusal() const
{
    switch (outcome) {
    case Outcome::Accepted:
        return QString();
    case Outcome::InvalidHeader:
        return QString::fromLatin1(InvalidHeaderMessage);
    case Outcome::NoHeader:
        return QStringLiteral("No header file %1 for this log.").arg(headerFileName);
    case Outcome::NoIdent:
        return QStringLiteral(
                   "The header %1 does not identify a log (it has no \"Ident\" in section "
                   "[General]).")
            .arg(headerFileName);
    }
    return QString();
}

QString logHeaderFileName(const QString &dataPath)
{
    return findHeaderFile(MakeHeaderFileName(dataPath));
}

LogHeaderCheck checkLogHeader(const QString &dataPath, uniheader &header, int viewDepthUnit,
                              int defaultSampleCount, const QLocale &locale)
{
    return checkLogHeaderFile(logHeaderFileName(dataPath), header, viewDepthUnit,
                              defaultSampleCount, locale);
}

LogHeaderCheck checkLogHeaderFile(const QString &headerFileName, uniheader &header,
                                  int viewDepthUnit, int defaultSampleCount, const QLocale &locale)
{
    LogHeaderCheck check;
    check.headerFileName = headerFileName;
    if (!QFileInfo::exists(check.headerFileName)) {
        check.outcome = LogHeaderCheck::Outcome::NoHeader;
        return check;
    }
    const IniFile file = IniFile::load(check.headerFileName);
    if (ReadHeader(file, header, locale) == HeaderReadStatus::InvalidIdent) {
        check.outcome = LogHeaderCheck::Outcome::InvalidHeader;
        return check;
    }
    if (!identAccepted(file)) {
        check.outcome = LogHeaderCheck::Outcome::NoIdent;
        return check;
    }
    check.layout = readLogLayout(file, viewDepthUnit, defaultSampleCount, locale);
    check.outcome = LogHeaderCheck::Outcome::Accepted;
    return check;
}

} // namespace kivo
