// KIVO Log Viewer
#include "filepermissions.h"
#include "header/inifile.h"
#include "kivoerror.h"
#include "testlog.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace kivo;

using Value = std::optional<QByteArray>;

namespace QTest {
template <> char *toString(const Value &value)
{
    return value ? toString(*value) : qstrdup("nullopt");
}
} // namespace QTest

namespace {

QByteArray bytes(const char *text, qsizetype size)
{
    return QByteArray(text, size);
}

// The text of the error that loading or saving the path gives, empty when there is none.
QString loadError(const QString &path)
{
    try {
        IniFile::load(path);
    } catch (const KivoError &error) {
        return error.text();
    }
    return {};
}

QString saveError(const IniFile &file, const QString &path)
{
    try {
        file.save(path);
    } catch (const KivoError &error) {
        return error.text();
    }
    return {};
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void valueLength_data();
    void valueLength();
    void byteOrderMark();
    void binaryJunk();
    void longLines();
    void manyKeys();
    void load();
    void loadFailure_data();
    void loadFailure();
    void loadUnreadable();
    void setValue_data();
    void setValue();
    void setValueRoundTrip();
    void setValueLeavesCopies();
    void save();
    void saveFailure_data();
    void saveFailure();
};

void TestIniFile::lookup_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<Value>("expected");

    const Value absent;
    QTest::newRow("plain") << QByteArray("[General]\nIdent=WL_EXT\n") << QByteArray("General")
                           << QByteArray("Ident") << Value("WL_EXT");
    QTest::newRow("section case") << QByteArray("[WELLINFO]\nstep=1\n") << QByteArray("wellInfo")
                                  << QByteArray("step") << Value("1");
    QTest::newRow("key case") << QByteArray("[WellInfo]\nStartdepth=5\n") << QByteArray("WellInfo")
                              << QByteArray("StartDepth") << Value("5");
    QTest::newRow("only ASCII folds")
        << QByteArray("[\xDC]\na=1\n") << QByteArray("\xFC") << QByteArray("a") << absent;
    QTest::newRow("first section wins") << QByteArray("[S]\na=1\n[T]\n[s]\na=2\nb=3\n")
                                        << QByteArray("S") << QByteArray("a") << Value("1");
    QTest::newRow("repeated section unseen")
        << QByteArray("[S]\na=1\n[s]\nb=3\n") << QByteArray("S") << QByteArray("b") << absent;
    QTest::newRow("first key wins") << QByteArray("[S]\nKey=first\nkey=second\n") << QByteArray("S")
                                    << QByteArray("KEY") << Value("first");
    QTest::newRow("blanks trimmed") << QByteArray("  [ S\t]  \n \t a \t=  x y \t\n")
                                    << QByteArray("S") << QByteArray("a") << Value("x y");
    QTest::newRow("equals in value")
        << QByteArray("[S]\na = b=c =\n") << QByteArray("S") << QByteArray("a") << Value("b=c =");
    QTest::newRow("empty value") << QByteArray("[S]\na=\n") << QByteArray("S") << QByteArray("a")
                                 << Value("");
    QTest::newRow("empty key") << QByteArray("[S]\n=v\n") << QByteArray("S") << QByteArray("")
                               << Value("v");
    QTest::newRow("comment") << QByteArray("[S]\n;a=1\n") << QByteArray("S") << QByteArray(";a")
                             << absent;
    QTest::newRow("indented comment")
        << QByteArray("[S]\n \t;a=1\na=2\n") << QByteArray("S") << QByteArray("a") << Value("2");
    QTest::newRow("semicolon in value")
        << QByteArray("[S]\na=1;2\n") << QByteArray("S") << QByteArray("a") << Value("1;2");
    QTest::newRow("line without equals")
        << QByteArray("[S]\na\na=2\n") << QByteArray("S") << QByteArray("a") << Value("2");
    QTest::newRow("key before any section")
        << QByteArray("a=0\n[S]\n") << QByteArray("S") << QByteArray("a") << absent;
    QTest::newRow("bracket without close")
        << QByteArray("[Open Section \nk=v\n") << QByteArray("Open Section") << QByteArray("k")
        << Value("v");
    QTest::newRow("text after close")
        << QByteArray("[S] trailing]\nk=v\n") << QByteArray("S") << QByteArray("k") << Value("v");
    QTest::newRow("only a bracket")
        << QByteArray("[") << QByteArray("") << QByteArray("k") << absent;
    QTest::newRow("bracket names empty section")
        << QByteArray("[\nk=v") << QByteArray("") << QByteArray("k") << Value("v");
    QTest::newRow("missing section")
        << QByteArray("[S]\na=1\n") << QByteArray("T") << QByteArray("a") << absent;
    QTest::newRow("missing key") << QByteArray("[S]\na=1\n") << QByteArray("S") << QByteArray("b")
                                 << absent;
    QTest::newRow("empty file") << QByteArray() << QByteArray("S") << QByteArray("a") << absent;
    QTest::newRow("CR only") << QByteArray("[S]\ra=1\rb=2\r") << QByteArray("S") << QByteArray("b")
                             << Value("2");
    QTest::newRow("CRLF") << QByteArray("[S]\r\na=1\r\nb=2\r\n") << QByteArray("S")
                          << QByteArray("a") << Value("1");
    QTest::newRow("mixed line ends")
        << QByteArray("[S]\ra=1\r\nb=2\nc=3") << QByteArray("S") << QByteArray("c") << Value("3");
    QTest::newRow("LF CR is two line ends")
        << QByteArray("[S]\n\ra=1\n\r") << QByteArray("S") << QByteArray("a") << Value("1");
    QTest::newRow("NUL cuts value")
        << bytes("[S]\na=xy\0z\n", 11) << QByteArray("S") << QByteArray("a") << Value("xy");
    QTest::newRow("NUL after trimming")
        << bytes("[S]\na= x \0y \n", 13) << QByteArray("S") << QByteArray("a") << Value("x ");
    QTest::newRow("NUL first") << bytes("[S]\na=\0x\n", 9) << QByteArray("S") << QByteArray("a")
                               << Value("");
    QTest::newRow("byte-order mark later is data") << QByteArray("[S]\n\xEF\xBB\xBF"
                                                                 "a=1\n")
                                                   << QByteArray("S") << QByteArray("a") << absent;
}

void TestIniFile::lookup()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(Value, expected);
    QCOMPARE(IniFile::fromBytes(text).value(section, key), expected);
}

void TestIniFile::valueLength_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected");

    const auto run = [](int n, char c = 'x') {
        return QByteArray(n, c);
    };
    QTest::newRow("1023") << run(1023) << run(1023);
    QTest::newRow("1024") << run(1024) << run(1023);
    QTest::newRow("5000") << run(4999) + 'y' << run(1023);
    QTest::newRow("blanks trimmed before the cut") << "  " + run(1023) + "  " << run(1023);
    QTest::newRow("inner blank kept at the cut")
        << run(1022) + " " + run(10, 'z') << run(1022) + " ";
}

void TestIniFile::valueLength()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(IniFile::fromBytes("[S]\nk=" + value + "\n").value("S", "k"), Value(expected));
}

void TestIniFile::byteOrderMark()
{
    const IniFile marked = IniFile::fromBytes("\xEF\xBB\xBF[S]\nk=\xC3\xA9\n");
    QVERIFY(marked.hasUtf8Bom());
    QCOMPARE(marked.value("S", "k"), Value("\xC3\xA9"));
    QCOMPARE(marked.toBytes(), QByteArray("\xEF\xBB\xBF[S]\nk=\xC3\xA9\n"));

    const IniFile plain = IniFile::fromBytes("[S]\nk=\xE9\n");
    QVERIFY(!plain.hasUtf8Bom());
    QCOMPARE(plain.value("S", "k"), Value("\xE9"));
    QVERIFY(!IniFile::fromBytes("\xEF\xBB").hasUtf8Bom());
}

void TestIniFile::binaryJunk()
{
    QRandomGenerator random(1252);
    QByteArray junk(1 << 20, '\0');
    random.fillRange(reinterpret_cast<quint32 *>(junk.data()), junk.size() / 4);
    const IniFile file = IniFile::fromBytes(junk + "\n[Kivo Test]\nkey = value\n" + junk);
    QCOMPARE(file.value("Kivo Test", "key"), Value("value"));
    QCOMPARE(file.toBytes(), junk + "\n[Kivo Test]\nkey = value\n" + junk);
}

void TestIniFile::longLines()
{
    const QByteArray megabyte(1 << 20, 'k');
    const IniFile file = IniFile::fromBytes("[S]\n" + megabyte + "\n" + megabyte + "=long key\n" +
                                            "v=" + megabyte + "\n[" + megabyte + "]\nk=v\n");
    QCOMPARE(file.value("S", megabyte), Value("long key"));
    QCOMPARE(file.value("S", "v"), Value(QByteArray(IniFile::MaxValueLength, 'k')));
    QCOMPARE(file.value(megabyte, "k"), Value("v"));
}

void TestIniFile::manyKeys()
{
    constexpr int Count = 100000;
    QByteArray text = "[Many]\n";
    for (int i = 0; i < Count; ++i)
        text += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
    for (int i = 0; i < Count; ++i)
        text += "key" + QByteArray::number(i) + "=later\n";
    const IniFile file = IniFile::fromBytes(text);
    for (const int i : {0, 1, 4711, Count - 1})
        QCOMPARE(file.value("many", "KEY" + QByteArray::number(i)), Value(QByteArray::number(i)));
    QCOMPARE(file.value("Many", "Key" + QByteArray::number(Count)), Value());
}

void TestIniFile::load()
{
    QTemporaryDir dir;
    const QByteArray text = "\xEF\xBB\xBF[File Parameters]\r\nLogDir=/data/logs\r\n";
    test::writeFile(dir.filePath("bhx_view.Ini"), text);
    const IniFile file = IniFile::load(dir.filePath("bhx_view.Ini"));
    QCOMPARE(file.value("File Parameters", "LogDir"), Value("/data/logs"));
    QVERIFY(file.hasUtf8Bom());
    QCOMPARE(file.toBytes(), text);
}

void TestIniFile::loadFailure_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << QStringLiteral("missing.HED")
                             << QStringLiteral("No such file or directory");
    QTest::newRow("directory") << QString() << QStringLiteral("Is a directory");
    QTest::newRow("device") << QStringLiteral("/dev/null") << QStringLiteral("Not a regular file");
}

void TestIniFile::loadFailure()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    if (path.isEmpty())
        path = dir.path();
    else if (!path.startsWith('/'))
        path = dir.filePath(path);
    QCOMPARE(loadError(path), QStringLiteral("Cannot read %1: %2").arg(path, reason));
}

void TestIniFile::loadUnreadable()
{
    const test::FilePermissionsApply permissions;
    QTemporaryDir dir;
    const QString path = dir.filePath("locked.HED");
    test::writeFile(path, "[General]\n");
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QCOMPARE(loadError(path), QStringLiteral("Cannot read %1: Permission denied").arg(path));
}

void TestIniFile::setValue_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("replace") << QByteArray("; kept\n[A]\nx = 1\n[B]\n  K =old\nz=2\n")
                             << QByteArray("b") << QByteArray("new")
                             << QByteArray("; kept\n[A]\nx = 1\n[B]\nk=new\nz=2\n");
    QTest::newRow("replace first of repeats")
        << QByteArray("[B]\nk=1\nk=2\n[b]\nk=3\n") << QByteArray("B") << QByteArray("v")
        << QByteArray("[B]\nk=v\nk=2\n[b]\nk=3\n");
    QTest::newRow("add key after last line of section")
        << QByteArray("[A]\nx=1\n; note\n\n[B]\n") << QByteArray("A") << QByteArray("v")
        << QByteArray("[A]\nx=1\n; note\nk=v\n\n[B]\n");
    QTest::newRow("add key under bare header")
        << QByteArray("[A]\n\n[B]\n") << QByteArray("A") << QByteArray("v")
        << QByteArray("[A]\nk=v\n\n[B]\n");
    QTest::newRow("add key at end without line end")
        << QByteArray("[A]\nx=1") << QByteArray("A") << QByteArray("v")
        << QByteArray("[A]\nx=1\nk=v\n");
    QTest::newRow("add key to first of repeated sections")
        << QByteArray("[A]\nx=1\n[B]\n[a]\nk=old\n") << QByteArray("A") << QByteArray("v")
        << QByteArray("[A]\nx=1\nk=v\n[B]\n[a]\nk=old\n");
    QTest::newRow("stray key before sections kept")
        << QByteArray("k=stray\n[A]\n") << QByteArray("A") << QByteArray("v")
        << QByteArray("k=stray\n[A]\nk=v\n");
    QTest::newRow("add section") << QByteArray("[A]\nx=1\n") << QByteArray("B") << QByteArray("v")
                                 << QByteArray("[A]\nx=1\n[B]\nk=v\n");
    QTest::newRow("add section without line end")
        << QByteArray("[A]\nx=1") << QByteArray("B") << QByteArray("v")
        << QByteArray("[A]\nx=1\n[B]\nk=v\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("B") << QByteArray("v")
                                << QByteArray("[B]\nk=v\n");
    QTest::newRow("only a byte-order mark")
        << QByteArray("\xEF\xBB\xBF") << QByteArray("B") << QByteArray("v")
        << QByteArray("\xEF\xBB\xBF[B]\nk=v\n");
    QTest::newRow("CRLF kept") << QByteArray("[A]\r\nx=1\r\n") << QByteArray("B") << QByteArray("v")
                               << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    QTest::newRow("CRLF replace") << QByteArray("[A]\r\nk=1\r\nx=2\r\n") << QByteArray("A")
                                  << QByteArray("v") << QByteArray("[A]\r\nk=v\r\nx=2\r\n");
    QTest::newRow("CR kept") << QByteArray("[A]\rx=1\r") << QByteArray("A") << QByteArray("v")
                             << QByteArray("[A]\rx=1\rk=v\r");
    QTest::newRow("first line end decides")
        << QByteArray("[A]\r\nx=1\ny=2\r") << QByteArray("A") << QByteArray("v")
        << QByteArray("[A]\r\nx=1\ny=2\rk=v\r\n");
    QTest::newRow("odd bytes elsewhere kept")
        << bytes("\x01\xFF junk\n[A]\nk=1\n\0\t=\x80\n", 21) << QByteArray("A") << QByteArray("v")
        << bytes("\x01\xFF junk\n[A]\nk=v\n\0\t=\x80\n", 21);
    QTest::newRow("value cut at line break") << QByteArray("[A]\n") << QByteArray("A")
                                             << QByteArray("a\nb=c") << QByteArray("[A]\nk=a\n");
    QTest::newRow("value cut at NUL")
        << QByteArray("[A]\n") << QByteArray("A") << bytes("a\0b", 3) << QByteArray("[A]\nk=a\n");
}

void TestIniFile::setValue()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    IniFile file = IniFile::fromBytes(text);
    file.setValue(section, "k", value);
    QCOMPARE(file.toBytes(), expected);
}

void TestIniFile::setValueRoundTrip()
{
    IniFile file = IniFile::fromBytes("[File Parameters]\r\nLogDir=/old\r\n[Other]\r\nx=1\r\n");
    file.setValue("File Parameters", "LogDir", "/home/user/logs");
    file.setValue("Other", "y", " 2 ");
    file.setValue("New", "z", "3");
    file.setValue("file parameters", "logdir", "/mnt/data");
    const IniFile reread = IniFile::fromBytes(file.toBytes());
    for (const IniFile *f : {static_cast<const IniFile *>(&file), &reread}) {
        QCOMPARE(f->value("File Parameters", "LogDir"), Value("/mnt/data"));
        QCOMPARE(f->value("Other", "x"), Value("1"));
        QCOMPARE(f->value("Other", "y"), Value("2"));
        QCOMPARE(f->value("New", "z"), Value("3"));
    }
    QCOMPARE(file.toBytes(),
             QByteArray("[File Parameters]\r\nlogdir=/mnt/data\r\n[Other]\r\nx=1\r\ny= 2 \r\n"
                        "[New]\r\nz=3\r\n"));
}

void TestIniFile::setValueLeavesCopies()
{
    IniFile file = IniFile::fromBytes("[A]\nk=1\n");
    const IniFile copy = file;
    file.setValue("A", "k", "a much longer value that makes the text grow");
    file.setValue("B", "k", "2");
    QCOMPARE(copy.value("A", "k"), Value("1"));
    QCOMPARE(copy.value("B", "k"), Value());
    QCOMPARE(file.value("A", "k"), Value("a much longer value that makes the text grow"));
}

void TestIniFile::save()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bhx_view.Ini");
    test::writeFile(path, "[File Parameters]\nLogDir=/old\n");
    IniFile file = IniFile::load(path);
    file.setValue("File Parameters", "LogDir", "/new");
    QCOMPARE(saveError(file, path), QString());
    QCOMPARE(IniFile::load(path).toBytes(), QByteArray("[File Parameters]\nLogDir=/new\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"bhx_view.Ini"});
}

void TestIniFile::saveFailure_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing directory") << QStringLiteral("no/such/dir/bhx_view.Ini");
    QTest::newRow("directory") << QString();
}

void TestIniFile::saveFailure()
{
    QFETCH(QString, path);
    QTemporaryDir dir;
    path = path.isEmpty() ? dir.path() : dir.filePath(path);
    IniFile file;
    file.setValue("File Parameters", "LogDir", "/data");
    QCOMPARE(saveError(file, path), QStringLiteral("Unable to write to %1").arg(path));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
