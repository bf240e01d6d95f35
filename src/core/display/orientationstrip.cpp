// KIVO Log Viewer
#include "display/orientationstrip.h"

#include <array>
#include <string_view>

namespace kivo {

namespace {

constexpr QRgb Background = qRgb(128, 128, 128);
constexpr QRgb LetterColour = qRgb(255, 255, 0);
constexpr QRgb TickColour = qRgb(0, 0, 0);

constexpr int LetterTop = 8;
constexpr int GlyphRows = 5;
// Left edge of the five letters: the strip's left edge, the three quarter points and the right
// edge (the last letter ends on the strip's last column).
constexpr std::array<int, 5> LetterLeft = {0, 86, 175, 262, 349};

using Glyph = std::array<std::string_view, GlyphRows>;

// Five-row pixel letters, "#" set. All are 4 columns wide except W, which needs 5 and sits at
// the quarter point whose column range has room for it.
Glyph glyph(char letter)
{
    switch (letter) {
    case 'N':
        return {"#..#", "##.#", "#.##", "#..#", "#..#"};
    case 'E':
        return {"####", "#...", "###.", "#...", "####"};
    case 'S':
        return {".###", "#...", ".##.", "...#", "###."};
    case 'W':
        return {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."};
    case 'D':
        return {"###.", "#..#", "#..#", "#..#", "###."};
    case 'L':
        return {"#...", "#...", "#...", "#...", "####"};
    case 'U':
        return {"#..#", "#..#", "#..#", "#..#", ".##."};
    case 'R':
        return {"###.", "#..#", "###.", "#.#.", "#..#"};
    default:
        return {};
    }
}

void drawLetter(QImage &image, char letter, int left)
{
    const Glyph rows = glyph(letter);
    for (int row = 0; row < GlyphRows; ++row) {
        for (size_t column = 0; column < rows[row].size(); ++column) {
            if (rows[row][column] == '#')
                image.setPixel(left + int(column), LetterTop + row, LetterColour);
        }
    }
}

// One-pixel marks every 22 columns in the bottom row, two pixels tall every 44, three every 88.
void drawTicks(QImage &image)
{
    for (int x = 0; x < StripWidth; x += 22) {
        const int height = x % 88 == 0 ? 3 : x % 44 == 0 ? 2 : 1;
        for (int row = 0; row < height; ++row)
            image.setPixel(x, StripHeight - 1 - row, TickColour);
    }
}

QImage strip(std::string_view letters)
{
    QImage image(StripWidth, StripHeight, QImage::Format_RGB888);
    image.fill(Background);
    for (size_t i = 0; i < LetterLeft.size(); ++i)
        drawLetter(image, letters[i], LetterLeft[i]);
    drawTicks(image);
    return image;
}

} // namespace

QImage Image4()
{
    return strip("NESWN");
}

QImage Image8()
{
    return strip("DLURD");
}

void ShowOrientationStrip(int mode, QImage &Image1)
{
    if (mode == 1)
        Image1 = Image4();
    else if (mode == 2)
        Image1 = Image8();
}

QImage stretchedStrip(const QImage &source)
{
    if (source.isNull())
        return {};
    QImage shown(ShownStripWidth, ShownStripHeight, QImage::Format_RGB888);
    // Each shown pixel takes the source pixel under its centre.
    for (int y = 0; y < ShownStripHeight; ++y) {
        const int sourceY = (2 * y + 1) * source.height() / (2 * ShownStripHeight);
        for (int x = 0; x < ShownStripWidth; ++x) {
            const int sourceX = (2 * x + 1) * source.width() / (2 * ShownStripWidth);
            shown.setPixel(x, y, source.pixel(sourceX, sourceY));
        }
    }
    return shown;
}

} // namespace kivo
