// KIVO Log Viewer
#include "filepermissions.h"
#include "kivoerror.h"
#include "shell/errorreport.h"
#include "shell/settingsfile.h"
#include "testlog.h"

#include <QtTest>

using namespace kivo;

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void pathFollowsXdgConfigHome();
    void missingFileGivesFallback();
    void roundTripCreatesDirectory();
    void keepsOtherContent();
    void junkFileIsReplacedNotLost();
    void unwritableLocationNamesTheFile();
    void logDirectory_data();
    void logDirectory();
    void errorReportFullStop_data();
    void errorReportFullStop();
};

void TestSettingsFile::pathFollowsXdgConfigHome()
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    QCOMPARE(settingsFilePath(), dir.path() + "/kivo/bhx_view.Ini");
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(settingsFilePath(), QDir::homePath() + "/.config/kivo/bhx_view.Ini");
}

void TestSettingsFile::missingFileGivesFallback()
{
    QTemporaryDir dir;
    QCOMPARE(loadLastLogDir(dir.filePath("none/bhx_view.Ini"), "/opt/kivo/"),
             QStringLiteral("/opt/kivo/"));
    test::writeFile(dir.filePath("nokey.Ini"), "[File Parameters]\nOther=1\n");
    QCOMPARE(loadLastLogDir(dir.filePath("nokey.Ini"), "/opt/kivo/"), QStringLiteral("/opt/kivo/"));
    // A directory where the file should be cannot be read, nor a file without read permission:
    // the fallback, no error.
    QCOMPARE(loadLastLogDir(dir.path(), "/opt/kivo/"), QStringLiteral("/opt/kivo/"));
    test::writeFile(dir.filePath("locked.Ini"), "[File Parameters]\nLogDir=/data\n");
    QVERIFY(QFile::setPermissions(dir.filePath("locked.Ini"), QFile::WriteOwner));
    const test::FilePermissionsApply permissions;
    QCOMPARE(loadLastLogDir(dir.filePath("locked.Ini"), "/opt/kivo/"),
             QStringLiteral("/opt/kivo/"));
}

void TestSettingsFile::roundTripCreatesDirectory()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/kivo/bhx_view.Ini");
    const QString logs = QStringLiteral("/data/Bohrl\u00F6cher 2026");
    saveLastLogDir(path, logs);
    QCOMPARE(loadLastLogDir(path, "/fallback"), logs);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), ("[File Parameters]\nLogDir=" + logs + "\n").toUtf8());
    saveLastLogDir(path, "/data/next");
    QCOMPARE(loadLastLogDir(path, "/fallback"), QStringLiteral("/data/next"));
}

void TestSettingsFile::keepsOtherContent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bhx_view.Ini");
    test::writeFile(path,
                    "; written by hand\r\n[Other]\r\nA=1\r\n[file parameters]\r\nlogdir=/old\r\n");
    saveLastLogDir(path, "/new");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(
        file.readAll(),
        QByteArray("; written by hand\r\n[Other]\r\nA=1\r\n[file parameters]\r\nLogDir=/new\r\n"));
}

void TestSettingsFile::junkFileIsReplacedNotLost()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bhx_view.Ini");
    test::writeFile(path, QByteArray("\x00\x01\xff garbage \n\n[[[\n", 18));
    QCOMPARE(loadLastLogDir(path, "/fallback"), QStringLiteral("/fallback"));
    saveLastLogDir(path, "/data");
    QCOMPARE(loadLastLogDir(path, "/fallback"), QStringLiteral("/data"));
}

void TestSettingsFile::unwritableLocationNamesTheFile()
{
    QTemporaryDir dir;
    // A plain file where the settings directory should be: no user can write there.
    test::writeFile(dir.filePath("blocker"), "x");
    const QString path = dir.filePath("blocker/kivo/bhx_view.Ini");
    try {
        saveLastLogDir(path, "/data");
        QFAIL("saving must fail");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), "Unable to write to " + path);
    }
    const test::FilePermissionsApply permissions;
    QDir(dir.path()).mkdir("readonly");
    QFile::setPermissions(dir.filePath("readonly"), QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY_THROWS_EXCEPTION(KivoError, saveLastLogDir(dir.filePath("readonly/x.Ini"), "/d"));
}

void TestSettingsFile::logDirectory_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("directory");
    QTest::newRow("usual") << "/data/logs/hole7.bhx"
                           << "/data/logs";
    QTest::newRow("root") << "/hole7.bhx"
                          << "/";
    QTest::newRow("spaces") << "/my logs/a b.bhx"
                            << "/my logs";
}

void TestSettingsFile::logDirectory()
{
    QFETCH(QString, data);
    QFETCH(QString, directory);
    QCOMPARE(logDirectoryOf(data), directory);
}

void TestSettingsFile::errorReportFullStop_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "File not found"
                            << "File not found.";
    QTest::newRow("digit") << "I/O error 5"
                           << "I/O error 5.";
    QTest::newRow("path") << "Unable to write to /x/bhx_view.Ini"
                          << "Unable to write to /x/bhx_view.Ini.";
    QTest::newRow("exclamation") << "Invalid Header!"
                                 << "Invalid Header!";
    QTest::newRow("full stop") << "Done."
                               << "Done.";
    QTest::newRow("quote") << "'x' is not a valid floating point value"
                           << "'x' is not a valid floating point value.";
    QTest::newRow("closing parenthesis") << "error (5)"
                                         << "error (5)";
    QTest::newRow("empty") << ""
                           << "";
}

void TestSettingsFile::errorReportFullStop()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(errorReportText(text), shown);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
