// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace kivo {

// A small reader (and single-key writer) for the INI text files of the logging systems: the
// ".HED" headers and our own settings file. Behaves like the Windows private-profile service
// the files were written for, not like a general INI library:
// - section and key names match without regard to ASCII case; the first section of a name,
//   and the first key of a name inside it, win (later duplicates are never seen);
// - a value is the rest of its line after the first "=", with blanks (spaces, tabs) trimmed,
//   cut at a NUL byte and then to its first MaxValueLength bytes;
// - lines whose first non-blank character is ";" are comments; lines without "=" and keys
//   before the first section are ignored; a "[" line without "]" names a section up to the
//   end of the line;
// - LF, CRLF and lone CR all end a line; a leading UTF-8 byte-order mark is skipped.
// Values are raw bytes: the caller decodes them (headers are Windows-1252, settings UTF-8).
class IniFile {
public:
    static constexpr int MaxValueLength = 1023;

    IniFile() = default;
    static IniFile fromBytes(const QByteArray &bytes);
    // Reads a file; throws KivoError naming the file when it cannot be read.
    static IniFile load(const QString &path);

    // The value of a key, or nullopt when the section or the key is absent.
    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;
    // True when the file began with a UTF-8 byte-order mark.
    bool hasUtf8Bom() const { return m_utf8Bom; }

    // Sets a key, keeping every other line as it was; adds the section and key when missing.
    void setValue(QByteArrayView section, QByteArrayView key, const QByteArray &value);
    // The file's text with the changes made by setValue (LF line ends for new lines).
    QByteArray toBytes() const;
    // Writes toBytes() atomically; throws KivoError("Unable to write to <path>") on failure.
    void save(const QString &path) const;

private:
    struct Entry {
        int line; // index into m_lines of the key line
        QByteArray value;
    };
    struct Section {
        int line; // index into m_lines of the section line
        int lastLine; // last line belonging to the section
        QHash<QByteArray, Entry> entries; // key folded to lower case -> first entry
    };

    void parse();

    QList<QByteArray> m_lines; // without line ends
    QByteArray m_lineEnd = "\n";
    bool m_utf8Bom = false;
    QHash<QByteArray, Section> m_sections; // name folded to lower case -> first section
    QList<QByteArray> m_sectionOrder;
};

} // namespace kivo
