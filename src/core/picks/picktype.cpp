// KIVO Log Viewer
#include "picks/picktype.h"

namespace kivo {

const QStringList &pickTypes()
{
    static const QStringList types = {
        QStringLiteral("bedding"),       QStringLiteral("foliation"),
        QStringLiteral("vein"),          QStringLiteral("fault"),
        QStringLiteral("open fracture"), QStringLiteral("closed fracture"),
        QStringLiteral("other"),
    };
    return types;
}

int pickTypeCode(const QString &type)
{
    return int(pickTypes().indexOf(type.trimmed().toLower())) + 1;
}

} // namespace kivo
