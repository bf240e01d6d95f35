// KIVO Log Viewer
#include "picks/pickstore.h"

#include "kivoerror.h"
#include "picks/atomicsave.h"
#include "picks/picksfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kivo {

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KivoError(
            QStringLiteral("%1 cannot be read: %2").arg(native(path), file.errorString()));
    return file.readAll();
}

} // namespace

PickStore::PickStore(const QString &logPath)
    : m_logPath(QFileInfo(logPath).absoluteFilePath())
{
    const QString fallback = fallbackPath(m_logPath);
    m_path = QFileInfo::exists(fallback) ? fallback : besideLogPath(m_logPath);
    m_known = contentOf(m_path);
}

QString PickStore::besideLogPath(const QString &logPath)
{
    const QFileInfo log(logPath);
    return log.absoluteDir().filePath(log.completeBaseName() + QStringLiteral(".picks.csv"));
}

QString PickStore::fallbackPath(const QString &logPath)
{
    const QFileInfo log(logPath);
    const QByteArray id =
        QCryptographicHash::hash(log.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kivo/picks/") + log.completeBaseName() + u'-' +
           QString::fromLatin1(id) + QStringLiteral(".picks.csv");
}

std::optional<QString> PickStore::takeFallbackNotice()
{
    if (!usesFallback() || m_noticeGiven)
        return std::nullopt;
    m_noticeGiven = true;
    return QStringLiteral("The folder of %1 cannot be written: its picks are kept in %2")
        .arg(native(m_logPath), native(m_path));
}

QList<Pick> PickStore::load()
{
    m_known = contentOf(m_path);
    // Picks that came with a log in a folder we cannot write, before we saved any of our own.
    QString source = m_path;
    if (!m_known.exists && usesFallback() && QFileInfo::exists(besideLogPath(m_logPath)))
        source = besideLogPath(m_logPath);
    if (!QFileInfo::exists(source)) {
        m_unreadable = false;
        return {};
    }
    m_unreadable = true;
    const QByteArray bytes = readAll(source);
    if (source == m_path)
        m_known = contentOf(bytes);
    QList<Pick> picks;
    try {
        picks = readPicksCsv(bytes);
    } catch (const KivoError &error) {
        throw KivoError(QStringLiteral("%1: %2").arg(native(source), error.text()));
    }
    m_unreadable = false;
    return picks;
}

bool PickStore::changedOnDisk() const
{
    return !(contentOf(m_path) == m_known);
}

void PickStore::save(const QByteArray &bytes)
{
    if (m_unreadable)
        throw KivoError(QStringLiteral("%1 could not be read and is left as it is: the picks are "
                                       "not saved")
                            .arg(native(m_path)));
    try {
        saveKeepingOld(m_path, bytes);
    } catch (const KivoError &) {
        const QString fallback = fallbackPath(m_logPath);
        if (m_path == fallback)
            throw;
        // The log's folder cannot be written: the picks move to the user's data folder.
        QDir().mkpath(QFileInfo(fallback).absolutePath());
        saveKeepingOld(fallback, bytes);
        m_path = fallback;
    }
    m_known = contentOf(bytes);
}

void PickStore::saveKeepingOld(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo::exists(path))
        saveFileAtomically(path + u'~', readAll(path));
    saveFileAtomically(path, bytes);
}

PickStore::Content PickStore::contentOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QFileInfo::exists(path), {}};
    return contentOf(file.readAll());
}

PickStore::Content PickStore::contentOf(const QByteArray &bytes)
{
    return {true, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

} // namespace kivo
