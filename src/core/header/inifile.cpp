// KIVO Log Viewer
#include "header/inifile.h"

#include "kivoerror.h"
#include "picks/atomicsave.h"

#include <QFile>
#include <QFileInfo>

namespace kivo {

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

char foldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

QByteArrayView trimBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// The value of a key line: the rest after the first "=", blanks trimmed, cut at a NUL byte and
// then to the longest value the reader returns.
QByteArray valueOf(QByteArrayView line)
{
    QByteArrayView value = trimBlanks(line.sliced(line.indexOf('=') + 1));
    const qsizetype nul = value.indexOf('\0');
    if (nul >= 0)
        value.truncate(nul);
    value = value.first(qMin(value.size(), qsizetype(IniFile::MaxValueLength)));
    return value.toByteArray();
}

// A value as setValue writes it: up to the first byte that would end the line or the value.
QByteArray storable(const QByteArray &value)
{
    qsizetype end = 0;
    while (end < value.size() && value[end] != '\n' && value[end] != '\r' && value[end] != '\0')
        ++end;
    return value.first(end);
}

QString readFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot read %1: %2").arg(path, reason);
}

} // namespace

IniFile::Name::Name(QByteArrayView name)
    : text(name)
{
    // FNV-1a over the folded bytes, so that names differing only in case hash alike, then the
    // MurmurHash3 finaliser: FNV leaves the low bits, which pick the bucket, poorly mixed.
    quint64 h = 14695981039346656037ULL;
    for (const char c : text)
        h = (h ^ uchar(foldCase(c))) * 1099511628211ULL;
    h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDULL;
    h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53ULL;
    hash = size_t(h ^ (h >> 33));
}

bool IniFile::Name::operator==(const Name &other) const
{
    if (hash != other.hash || text.size() != other.text.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (foldCase(text[i]) != foldCase(other.text[i]))
            return false;
    }
    return true;
}

IniFile IniFile::fromBytes(const QByteArray &bytes)
{
    IniFile file;
    file.m_text = bytes;
    file.parse();
    return file;
}

IniFile IniFile::load(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw KivoError(readFailure(path, QStringLiteral("Is a directory")));
    // Devices and pipes could block or never end; settings and headers are plain files.
    if (info.exists() && !info.isFile())
        throw KivoError(readFailure(path, QStringLiteral("Not a regular file")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KivoError(readFailure(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw KivoError(readFailure(path, file.errorString()));
    return fromBytes(bytes);
}

std::optional<QByteArray> IniFile::value(QByteArrayView section, QByteArrayView key) const
{
    const auto s = m_sections.constFind(Name(section));
    if (s == m_sections.cend())
        return std::nullopt;
    const auto k = s->keys.constFind(Name(key));
    if (k == s->keys.cend())
        return std::nullopt;
    return valueOf(QByteArrayView(m_text).sliced(k->begin, k->end - k->begin));
}

void IniFile::parse()
{
    m_sections.clear();
    m_lineEnd = "\n";
    m_utf8Bom = m_text.startsWith(Utf8Bom);

    const QByteArrayView text(m_text);
    const qsizetype size = text.size();
    bool lineEndSeen = false;
    Section *current = nullptr; // null before the first section and inside a repeated one
    qsizetype pos = m_utf8Bom ? Utf8Bom.size() : 0;
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && text[end] != '\n' && text[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < size)
            next += text[next] == '\r' && next + 1 < size && text[next + 1] == '\n' ? 2 : 1;
        if (!lineEndSeen && next > end) {
            m_lineEnd = text.sliced(end, next - end).toByteArray();
            lineEndSeen = true;
        }

        const QByteArrayView body = trimBlanks(text.sliced(pos, end - pos));
        if (body.startsWith('[')) {
            QByteArrayView name = body.sliced(1);
            const qsizetype close = name.indexOf(']');
            if (close >= 0)
                name.truncate(close);
            name = trimBlanks(name);
            Section &section = m_sections[Name(name)];
            current = section.insertAt < 0 ? &section : nullptr;
            if (current)
                current->insertAt = next;
        } else if (current && !body.isEmpty()) {
            current->insertAt = next;
            const qsizetype equals = body.indexOf('=');
            if (!body.startsWith(';') && equals >= 0) {
                Line &line = current->keys[Name(trimBlanks(body.first(equals)))];
                if (line.begin < 0)
                    line = Line{pos, end};
            }
        }
        pos = next;
    }
}

void IniFile::setValue(QByteArrayView section, QByteArrayView key, const QByteArray &value)
{
    const QByteArray line = key.toByteArray() + '=' + storable(value);
    const auto s = m_sections.constFind(Name(section));
    if (s == m_sections.cend()) {
        const qsizetype bodyStart = m_utf8Bom ? Utf8Bom.size() : 0;
        QByteArray added = m_text.size() > bodyStart && !endsInLineEnd() ? m_lineEnd : "";
        added += '[' + section.toByteArray() + ']' + m_lineEnd + line + m_lineEnd;
        splice(m_text.size(), 0, added);
        return;
    }
    const auto k = s->keys.constFind(Name(key));
    if (k != s->keys.cend()) {
        splice(k->begin, k->end - k->begin, line);
        return;
    }
    const qsizetype at = s->insertAt;
    const QByteArray before = at == m_text.size() && !endsInLineEnd() ? m_lineEnd : "";
    splice(at, 0, before + line + m_lineEnd);
}

void IniFile::save(const QString &path) const
{
    AtomicFile file(path);
    bool written = file.open(QIODevice::WriteOnly) && file.write(m_text) == m_text.size();
    try {
        if (written)
            file.commitChecked();
    } catch (const KivoError &) {
        written = false;
    }
    if (!written) {
        file.cancelWriting();
        throw KivoError(QStringLiteral("Unable to write to %1").arg(path));
    }
}

void IniFile::splice(qsizetype at, qsizetype length, const QByteArray &bytes)
{
    m_text.replace(at, length, bytes);
    parse();
}

bool IniFile::endsInLineEnd() const
{
    return m_text.endsWith('\n') || m_text.endsWith('\r');
}

} // namespace kivo
