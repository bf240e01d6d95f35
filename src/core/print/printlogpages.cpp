// KIVO Log Viewer
#include "print/printlogpages.h"

#include "log/readouts.h"

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

constexpr double MetresPerInch = 0.0254;

// Floor and ceiling of a / b for b > 0, toward minus and plus infinity.
qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && (a < 0) ? 1 : 0);
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return -floorDiv(-a, b);
}

} // namespace

bool PrintLogPages::isScale(int scale)
{
    return std::find(Scales.begin(), Scales.end(), scale) != Scales.end();
}

PrintLogPages::PrintLogPages(qint64 shallow, qint64 deep, int scale, double metresPerUnit,
                             double dotsPerInch, double trackHeight)
    : m_shallow(shallow)
    , m_deep(deep)
    , m_scale(scale)
    , m_unitsPerDepth(0.001 * metresPerUnit / scale / MetresPerInch * dotsPerInch)
    , m_depthPerPage(trackHeight / m_unitsPerDepth)
{
    Q_ASSERT(shallow <= deep && isScale(scale) && trackHeight > 0);
    // A range that ends a hair past a page's end (rounding of the division) takes no new page.
    const double pages = double(deep - shallow) / m_depthPerPage;
    m_pageCount = qMax(1, int(std::ceil(pages - 1e-9)));
}

double PrintLogPages::pageTop(int page) const
{
    return double(m_shallow) + page * m_depthPerPage;
}

double PrintLogPages::pageBottom(int page) const
{
    return page + 1 >= m_pageCount ? double(m_deep) : pageTop(page + 1);
}

double PrintLogPages::trackHeight(int page) const
{
    return (pageBottom(page) - pageTop(page)) * m_unitsPerDepth;
}

double PrintLogPages::yOf(int page, double depth) const
{
    return (depth - pageTop(page)) * m_unitsPerDepth;
}

std::vector<qint64> PrintLogPages::ticks(int page) const
{
    const qint64 step = tickStep();
    const qint64 first = ceilDiv(qint64(std::ceil(pageTop(page) - 1e-6)), step);
    const bool last = page + 1 >= m_pageCount;
    const double bottom = pageBottom(page);
    std::vector<qint64> depths;
    for (qint64 n = first;; ++n) {
        const qint64 depth = n * step;
        if (last ? double(depth) > bottom + 1e-6 : double(depth) >= bottom - 1e-6)
            break;
        depths.push_back(depth);
    }
    return depths;
}

int PrintLogPages::labelDecimals() const
{
    return tickStep() % 1000 == 0 ? 0 : 1;
}

QString PrintLogPages::label(qint64 depth, const QString &unitSuffix, const QLocale &locale) const
{
    return formatDepthLabel(qint32(depth), labelDecimals(), unitSuffix, locale);
}

} // namespace kivo
