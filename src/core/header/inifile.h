// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
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

    // Sets a key, keeping every other line byte for byte: replaces the line of the key the
    // reader sees, or adds the key at the end of the section (after its last non-blank line),
    // or adds the section at the end of the file. The value is written up to its first line
    // break or NUL byte, as no reader could see anything after them.
    void setValue(QByteArrayView section, QByteArrayView key, const QByteArray &value);
    // The file's text with the changes made by setValue. New lines end like the file's first
    // line (LF in a file without line ends).
    QByteArray toBytes() const { return m_text; }
    // Writes toBytes() atomically; throws KivoError("Unable to write to <path>") on failure.
    void save(const QString &path) const;

private:
    // A section or key name inside m_text, hashed and compared without regard to ASCII case.
    // The hash is kept so that probing and rehashing a large table never touch the text.
    struct Name {
        explicit Name(QByteArrayView name);
        bool operator==(const Name &other) const;
        friend size_t qHash(const Name &name, size_t) { return name.hash; }

        QByteArrayView text;
        size_t hash;
    };
    // Both start out as -1 when the parser adds a name, so that one lookup both finds a name
    // seen before and adds a new one.
    struct Line {
        qsizetype begin = -1;
        qsizetype end = -1; // before the line end
    };
    struct Section {
        qsizetype insertAt = -1; // just after the line end of the section's last non-blank line
        QHash<Name, Line> keys;  // first key line of each name
    };

    void parse();
    void splice(qsizetype at, qsizetype length, const QByteArray &bytes);
    bool endsInLineEnd() const;

    // The whole file, byte-order mark included; the names in m_sections point into it, so
    // every change to it is followed by parse().
    QByteArray m_text;
    QByteArray m_lineEnd = "\n";
    bool m_utf8Bom = false;
    QHash<Name, Section> m_sections; // first section of each name
};

} // namespace kivo
