// KIVO Log Viewer
#include "shell/errorreport.h"

namespace kivo {

QString errorReportText(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

} // namespace kivo
