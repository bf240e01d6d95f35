// KIVO Log Viewer
#include "picks/pickkeeper.h"

#include "kivoerror.h"
#include "picks/pickset.h"
#include "picks/picksfile.h"

#include <QDir>
#include <QScopedValueRollback>

namespace kivo {

PickKeeper::PickKeeper(PickSet &picks, QObject *parent)
    : QObject(parent)
    , m_picks(picks)
{
    connect(&m_picks, &PickSet::picksChanged, this, &PickKeeper::save);
}

void PickKeeper::open(const QString &logPath)
{
    m_store.emplace(logPath);
    m_asking = false;
    const QScopedValueRollback<bool> loading(m_loading, true);
    m_picks.reset({});
    // On a bad file the store keeps refusing to write over it: every later save says so.
    m_picks.reset(m_store->load());
}

void PickKeeper::close()
{
    m_store.reset();
    m_asking = false;
}

QString PickKeeper::path() const
{
    return m_store ? m_store->path() : QString();
}

void PickKeeper::save()
{
    if (m_loading || !m_store)
        return;
    if (m_asking || m_store->changedOnDisk()) {
        m_asking = true;
        emit changedElsewhere(QDir::toNativeSeparators(m_store->path()));
        return;
    }
    write();
}

void PickKeeper::write()
{
    try {
        m_store->save(writePicksCsv(m_picks.picks(), m_picks.allValues()));
        if (const auto text = m_store->takeFallbackNotice())
            emit notice(*text);
    } catch (const KivoError &error) {
        emit saveFailed(error.text());
    }
}

void PickKeeper::reload()
{
    if (!m_store)
        return;
    m_asking = false;
    QList<Pick> loaded;
    try {
        loaded = m_store->load();
    } catch (const KivoError &error) {
        emit saveFailed(error.text());
        return;
    }
    const QScopedValueRollback<bool> loading(m_loading, true);
    m_picks.reset(loaded);
}

void PickKeeper::keepMine()
{
    if (!m_store)
        return;
    m_asking = false;
    write();
}

void PickKeeper::checkDisk()
{
    if (m_store && !m_asking && m_store->changedOnDisk()) {
        m_asking = true;
        emit changedElsewhere(QDir::toNativeSeparators(m_store->path()));
    }
}

} // namespace kivo
