// KIVO Log Viewer
#include "header/win1252.h"

#include <QList>

#include <algorithm>
#include <array>
#include <iterator>

namespace kivo {

namespace {

// The characters of bytes 0x80 to 0x9F; every other byte is the Latin-1 character of its number.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr char16_t FirstHigh = 0x80;

char16_t decode(uchar byte)
{
    return byte >= FirstHigh && byte < FirstHigh + HighControls.size()
               ? HighControls[byte - FirstHigh]
               : char16_t(byte);
}

char encode(char32_t c)
{
    if (c < FirstHigh || (c >= FirstHigh + HighControls.size() && c <= 0xFF))
        return char(c);
    const auto found = std::find(HighControls.begin(), HighControls.end(), c);
    return found == HighControls.end()
               ? '?'
               : char(FirstHigh + std::distance(HighControls.begin(), found));
}

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char byte) { return QChar(decode(uchar(byte))); });
    return text;
}

QByteArray toWindows1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // One byte per character: a surrogate pair is one character outside the code page.
    for (const char32_t c : text.toUcs4())
        bytes += encode(c);
    return bytes;
}

} // namespace kivo
