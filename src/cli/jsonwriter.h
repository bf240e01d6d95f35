// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kivo::cli {

// Writes JSON with the keys in the order given (QJsonObject would sort them), so that a header
// dump reads in the header's own field order. Two-space indentation.
class JsonWriter {
public:
    JsonWriter &beginObject(const char *key = nullptr);
    JsonWriter &endObject();
    JsonWriter &beginArray(const char *key = nullptr);
    JsonWriter &endArray();

    JsonWriter &value(const char *key, const QString &text);
    JsonWriter &value(const char *key, qint64 number);
    JsonWriter &value(const char *key, double number);
    JsonWriter &value(const char *key, bool flag);
    JsonWriter &null(const char *key);
    // Overloads that resolve the integer types of the records unambiguously.
    JsonWriter &value(const char *key, int number) { return value(key, qint64(number)); }
    JsonWriter &value(const char *key, const char *text)
    {
        return value(key, QString::fromUtf8(text));
    }

    // The document, ending in a newline.
    QByteArray result() const { return m_out + "\n"; }

private:
    void open(const char *key, char bracket);
    void close(char bracket);
    void item(const char *key);

    QByteArray m_out;
    QList<bool> m_hasItems; // one entry per open object or array
};

} // namespace kivo::cli
