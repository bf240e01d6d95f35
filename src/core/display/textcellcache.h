// KIVO Log Viewer
#pragma once

#include <QCache>
#include <QFont>
#include <QImage>
#include <QRgb>
#include <QString>

namespace kivo {

// Rendered text cells for the surface canvas. A cell is the text drawn in its colour on an
// opaque background over the whole text cell (advance width x font height), as a 32-bit image.
// The viewer draws the same few depth labels again on every pass, so a cell is rendered once and
// after that costs a lookup and a block copy. The cache is bounded by pixel count and drops the
// cells used least recently.
//
// The face is the one named when it is installed; "MS LineDraw", which Linux does not have, and
// every other face that is not installed fall back to the fixed-pitch DejaVu Sans Mono. The size
// is the Windows canvas default (an 11-pixel em, a cell about 13 pixels high), and glyphs are
// drawn without antialiasing, so a cell holds only its two colours.
class TextCellCache {
public:
    TextCellCache();

    // Throws KivoError when no QGuiApplication exists: fonts need one.
    QImage cell(const QString &text, const QString &faceName, QRgb textColour, QRgb background);
    QSize extent(const QString &text, const QString &faceName);

private:
    struct Key {
        QString text;
        QString faceName;
        QRgb textColour;
        QRgb background;

        bool operator==(const Key &other) const
        {
            return text == other.text && faceName == other.faceName &&
                   textColour == other.textColour && background == other.background;
        }
    };
    friend size_t qHash(const Key &key, size_t seed) noexcept
    {
        return qHashMulti(seed, key.text, key.faceName, key.textColour, key.background);
    }

    const QFont &fontFor(const QString &faceName);

    QCache<Key, QImage> m_cells;
    QString m_faceName; // the face m_font was resolved for
    QFont m_font;
    bool m_fontResolved = false;
};

} // namespace kivo
