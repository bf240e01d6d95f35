// KIVO Log Viewer
// The INI reader and its single-key writer on arbitrary text. Input: one byte choosing a
// section and key, a value up to the first newline, then the file's bytes.
//
// Besides the sanitizers' checks it holds the writer to its promise: after setValue the key
// reads back as written (as far as a line can carry it), and every other key reads as before.
#include "header/inifile.h"

#include <array>
#include <cstdlib>

using kivo::IniFile;

namespace {

// Names the headers and the settings file use, in several spellings of case.
constexpr std::array<const char *, 8> Sections = {"General",  "WellInfo",        "File1",
                                                  "Channel1", "File Parameters", "wellinfo",
                                                  "Track0",   "CHANNEL1"};
constexpr std::array<const char *, 16> Keys = {
    "Ident",       "SampleCount",  "LogMode",  "DepthUnit", "StartDepth", "Startdepth",
    "EndDepth",    "step",         "LogDir",   "Comment1",  "Company",    "KellyBushing",
    "RecLineSize", "RecLinesSize", "DateRun2", "IDENT"};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// What a reader sees of a value written by setValue: the part a line can carry, its blanks
// trimmed, cut to the longest value the reader returns.
QByteArray readBack(const QByteArray &written)
{
    qsizetype end = 0;
    while (end < written.size() && written[end] != '\n' && written[end] != '\r' &&
           written[end] != '\0')
        ++end;
    qsizetype begin = 0;
    while (begin < end && isBlank(written[begin]))
        ++begin;
    while (end > begin && isBlank(written[end - 1]))
        --end;
    return written.sliced(begin, qMin(end - begin, qsizetype(IniFile::MaxValueLength)));
}

using Snapshot = std::array<std::optional<QByteArray>, Sections.size() * Keys.size()>;

Snapshot snapshot(const IniFile &file)
{
    Snapshot values;
    for (size_t s = 0; s < Sections.size(); ++s) {
        for (size_t k = 0; k < Keys.size(); ++k)
            values[s * Keys.size() + k] = file.value(Sections[s], Keys[k]);
    }
    return values;
}

bool sameName(const char *a, const char *b)
{
    return QByteArrayView(a).compare(QByteArrayView(b), Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const size_t section = uchar(input[0]) % Sections.size();
    const size_t key = (uchar(input[0]) / Sections.size()) % Keys.size();
    qsizetype newline = input.indexOf('\n', 1);
    if (newline < 0)
        newline = input.size();
    const QByteArray value = input.sliced(1, newline - 1);
    const QByteArray text = input.sliced(qMin(newline + 1, input.size()));

    IniFile file = IniFile::fromBytes(text);
    const Snapshot before = snapshot(file);
    (void)file.hasUtf8Bom();

    file.setValue(Sections[section], Keys[key], value);
    const IniFile reread = IniFile::fromBytes(file.toBytes());
    if (reread.value(Sections[section], Keys[key]) != readBack(value))
        std::abort();
    const Snapshot after = snapshot(reread);
    for (size_t s = 0; s < Sections.size(); ++s) {
        for (size_t k = 0; k < Keys.size(); ++k) {
            const bool written =
                sameName(Sections[s], Sections[section]) && sameName(Keys[k], Keys[key]);
            if (!written && after[s * Keys.size() + k] != before[s * Keys.size() + k])
                std::abort();
        }
    }
    return 0;
}
