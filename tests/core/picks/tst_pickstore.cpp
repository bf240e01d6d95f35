// KIVO Log Viewer
#include "filepermissions.h"
#include "kivoerror.h"
#include "picks/atomicsave.h"
#include "picks/pickstore.h"
#include "testlog.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace kivo;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

const QByteArray OnePick = "Depth,Amplitude,TroughAzimuth\n12.5,0.02,90\n";
const QByteArray TwoPicks = "Depth,Amplitude,TroughAzimuth\n12.5,0.02,90\n13.5,0.03,80\n";

} // namespace

class TestPickStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void picksFileIsBesideTheLog();
    void saveKeepsThePreviousFile();
    void failedWriteLeavesTheOldFile_data();
    void failedWriteLeavesTheOldFile();
    void readOnlyFolderFallsBack();
    void changedOnDisk();
    void unreadableFileIsNeverTouched();

private:
    QString log(const QString &name) { return m_dir.filePath(name + ".bhx"); }
    QTemporaryDir m_dir;
};

void TestPickStore::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestPickStore::picksFileIsBesideTheLog()
{
    PickStore store(log("hole"));
    QCOMPARE(store.path(), m_dir.filePath("hole.picks.csv"));
    QVERIFY(!store.usesFallback());
    QVERIFY(store.load().isEmpty()); // no file yet: no picks
    QVERIFY(!store.takeFallbackNotice());
}

void TestPickStore::saveKeepsThePreviousFile()
{
    PickStore store(log("kept"));
    store.save(OnePick);
    QCOMPARE(contents(store.path()), OnePick);
    store.save(TwoPicks);
    QCOMPARE(contents(store.path()), TwoPicks);
    QCOMPARE(contents(store.path() + "~"), OnePick);
    QCOMPARE(PickStore(log("kept")).load().size(), 2);
}

void TestPickStore::failedWriteLeavesTheOldFile_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("past the write buffer: a write falls short") << 100000;
    QTest::newRow("within the write buffer: its flush fails") << 10000;
}

void TestPickStore::failedWriteLeavesTheOldFile()
{
    QFETCH(int, size);
    const QString path = m_dir.filePath("limited.csv");
    saveFileAtomically(path, OnePick);
    // A file size limit makes the write fail half way, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 4096;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
    bool refused = false;
    try {
        saveFileAtomically(path, QByteArray(size, 'x'));
    } catch (const KivoError &error) {
        refused = error.text().contains("limited.csv cannot be written");
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(refused);
    QCOMPARE(contents(path), OnePick);
    QCOMPARE(QDir(m_dir.path()).entryList({"limited*"}, QDir::Files | QDir::Hidden),
             QStringList{"limited.csv"}); // no temporary file left behind
}

void TestPickStore::readOnlyFolderFallsBack()
{
    QTemporaryDir folder;
    const QString logPath = folder.filePath("ro.bhx");
    test::writeFile(folder.filePath("ro.picks.csv"), OnePick); // came with the log
    const QString fallback = PickStore::fallbackPath(logPath);
    QFile::remove(fallback);
    QVERIFY(fallback.startsWith(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/kivo/picks/ro-"));
    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    {
        test::FilePermissionsApply permissions;
        PickStore store(logPath);
        QCOMPARE(store.load().size(), 1); // the picks beside the log
        store.save(TwoPicks);
        QCOMPARE(store.path(), fallback);
        QVERIFY(store.usesFallback());
        const std::optional<QString> notice = store.takeFallbackNotice();
        QVERIFY(notice && notice->contains(fallback));
        QVERIFY(!store.takeFallbackNotice()); // told once
        store.save(OnePick);
    }
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(contents(folder.filePath("ro.picks.csv")), OnePick);
    QCOMPARE(contents(fallback), OnePick);
    QCOMPARE(contents(fallback + "~"), TwoPicks);
    // The next time the log is opened, its picks are found where they went.
    PickStore again(logPath);
    QCOMPARE(again.path(), fallback);
    QCOMPARE(again.load().size(), 1);
    QFile::remove(fallback);
    QFile::remove(fallback + "~");
}

void TestPickStore::changedOnDisk()
{
    PickStore store(log("watched"));
    QVERIFY(!store.changedOnDisk());
    store.save(OnePick);
    QVERIFY(!store.changedOnDisk());
    QByteArray other = OnePick;
    other.replace("90", "91"); // same size, at once: only the content tells
    test::writeFile(store.path(), other);
    QVERIFY(store.changedOnDisk());
    test::writeFile(store.path(), OnePick); // back as we left it
    QVERIFY(!store.changedOnDisk());
    test::writeFile(store.path(), TwoPicks);
    QVERIFY(store.changedOnDisk());
    QCOMPARE(store.load().size(), 2); // reloaded: ours again
    QVERIFY(!store.changedOnDisk());
    QFile::remove(store.path());
    QVERIFY(store.changedOnDisk());
}

void TestPickStore::unreadableFileIsNeverTouched()
{
    PickStore store(log("bad"));
    const QByteArray bad = "Depth,Amplitude,TroughAzimuth\n12.5,0.02,90\n12.x,0.02,90\n";
    test::writeFile(store.path(), bad);
    try {
        store.load();
        QFAIL("loaded");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().contains("bad.picks.csv: line 3"), qPrintable(error.text()));
    }
    QVERIFY_THROWS_EXCEPTION(KivoError, store.save(OnePick));
    QCOMPARE(contents(store.path()), bad);
    QVERIFY(!QFile::exists(store.path() + "~"));
}

QTEST_GUILESS_MAIN(TestPickStore)
#include "tst_pickstore.moc"
