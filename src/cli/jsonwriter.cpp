// KIVO Log Viewer
#include "cli/jsonwriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLocale>

#include <cmath>

namespace kivo::cli {

namespace {

QByteArray quoted(const QString &text)
{
    // QJsonDocument escapes exactly as JSON requires; strip the array around the one string.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

void JsonWriter::item(const char *key)
{
    if (!m_hasItems.isEmpty()) {
        if (m_hasItems.last())
            m_out += ",";
        m_hasItems.last() = true;
        m_out += "\n" + QByteArray(2 * m_hasItems.size(), ' ');
    }
    if (key)
        m_out += quoted(QString::fromUtf8(key)) + ": ";
}

void JsonWriter::open(const char *key, char bracket)
{
    item(key);
    m_out += bracket;
    m_hasItems.append(false);
}

void JsonWriter::close(char bracket)
{
    const bool hadItems = m_hasItems.takeLast();
    if (hadItems)
        m_out += "\n" + QByteArray(2 * m_hasItems.size(), ' ');
    m_out += bracket;
}

JsonWriter &JsonWriter::beginObject(const char *key)
{
    open(key, '{');
    return *this;
}

JsonWriter &JsonWriter::endObject()
{
    close('}');
    return *this;
}

JsonWriter &JsonWriter::beginArray(const char *key)
{
    open(key, '[');
    return *this;
}

JsonWriter &JsonWriter::endArray()
{
    close(']');
    return *this;
}

JsonWriter &JsonWriter::value(const char *key, const QString &text)
{
    item(key);
    m_out += quoted(text);
    return *this;
}

JsonWriter &JsonWriter::value(const char *key, qint64 number)
{
    item(key);
    m_out += QByteArray::number(number);
    return *this;
}

JsonWriter &JsonWriter::value(const char *key, double number)
{
    item(key);
    // JSON has no infinities or NaN; the header reader never produces them.
    if (!std::isfinite(number))
        m_out += "null";
    else
        m_out += QLocale::c().toString(number, 'g', QLocale::FloatingPointShortest).toLatin1();
    return *this;
}

JsonWriter &JsonWriter::value(const char *key, bool flag)
{
    item(key);
    m_out += flag ? "true" : "false";
    return *this;
}

JsonWriter &JsonWriter::null(const char *key)
{
    item(key);
    m_out += "null";
    return *this;
}

} // namespace kivo::cli
