// KIVO Log Viewer
#include "header/sheetfonts.h"

#include <QFontMetricsF>
#include <QStringList>

#include <cmath>

namespace kivo {

namespace {

qreal cellHeightAt(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    return QFontMetricsF(font).height();
}

// The whole pixel size whose cell comes nearest the height asked for (the smaller on a tie).
// Cell height grows in proportion to the size, so the sizes on either side of the estimate
// from a large size are the only candidates.
QFont sizedFont(QFont font, int cellHeight)
{
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    constexpr int ReferenceSize = 1000;
    const qreal estimate = cellHeight * ReferenceSize / cellHeightAt(font, ReferenceSize);
    const int below = qMax(1, int(std::floor(estimate)));
    const int above = below + 1;
    const qreal missBelow = std::abs(cellHeightAt(font, below) - cellHeight);
    const qreal missAbove = std::abs(cellHeightAt(font, above) - cellHeight);
    font.setPixelSize(missAbove < missBelow ? above : below);
    return font;
}

} // namespace

QFont sheetProportionalFont(int cellHeight)
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    return sizedFont(font, cellHeight);
}

QFont sheetFixedFont(int cellHeight)
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return sizedFont(font, cellHeight);
}

} // namespace kivo
