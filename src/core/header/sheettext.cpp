// KIVO Log Viewer
#include "header/sheettext.h"

namespace kivo {

QString sheetReal(double value, const QLocale &locale)
{
    QString text = QString::asprintf("%6.2f", value);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

QString asciiUpper(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return upper;
}

} // namespace kivo
