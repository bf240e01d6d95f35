// KIVO Log Viewer
#include "picks/typecolour.h"

#include "picks/picktype.h"

#include <array>

namespace kivo {

QColor pickTypeColour(const QString &type)
{
    // Strong colours that stand apart from each other and from rock: bedding, foliation, vein,
    // fault, open fracture, closed fracture, other; then any other text.
    static const std::array<QRgb, 8> colours = {0x00e5ff, 0x76ff03, 0xffea00, 0xff1744,
                                                0xff00ff, 0xff9100, 0xffffff, 0xb0bec5};
    const int code = pickTypeCode(type); // 1..7, or 0 for a text not offered
    return QColor::fromRgb(colours[size_t(code == 0 ? 7 : code - 1)] | 0xff000000u);
}

QColor candidateColour()
{
    return QColor::fromRgb(0xff82b1ffu);
}

} // namespace kivo
