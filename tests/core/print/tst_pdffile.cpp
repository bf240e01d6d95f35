// KIVO Log Viewer
#include "kivoerror.h"
#include "print/pdffile.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace kivo;

namespace {

const QByteArray Earlier = "an earlier file of that name\n";

enum class Outcome { Written, GivenUp, Thrown, DiskFull };

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of a PDF as poppler's pdftotext reads it.
QString pdfText(const QString &path)
{
    QProcess process;
    process.start("pdftotext", {path, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestPdfFile : public QObject {
    Q_OBJECT

private slots:
    void earlierFileKeptUnlessComplete_data();
    void earlierFileKeptUnlessComplete();
    void folderThatCannotHoldIt();
};

void TestPdfFile::earlierFileKeptUnlessComplete_data()
{
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("error"); // what the user is told, or empty
    QTest::newRow("complete") << Outcome::Written << QString();
    QTest::newRow("given up") << Outcome::GivenUp << QString();
    QTest::newRow("drawing failed") << Outcome::Thrown << QString("drawing failed");
    QTest::newRow("disk full")
        << Outcome::DiskFull
        << QString("cannot be written: the disk is full or the file is larger than allowed");
}

// Only a complete document takes the name; anything else leaves the earlier file and no
// temporary file beside it.
void TestPdfFile::earlierFileKeptUnlessComplete()
{
    QFETCH(Outcome, outcome);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath("log pages é.pdf");
    {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write(Earlier);
    }
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    if (outcome == Outcome::DiskFull) {
        rlimit limit = saved;
        limit.rlim_cur = 20000; // less than the pages below take
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
    }
    const PdfFailureTexts texts{[](const QString &reason) { return "cannot open: " + reason; },
                                "failed"};
    QString told;
    bool written = false;
    try {
        written = writePdfFile(
            path, texts, [](QPdfWriter &writer) { writer.setResolution(96); },
            [&](QPainter &painter, QPdfWriter &writer) {
                for (int page = 1; page <= 3; ++page) {
                    if (page > 1)
                        writer.newPage();
                    painter.drawText(100, 100, QStringLiteral("page %1").arg(page));
                    // Noise that does not compress: the file outgrows the size limit.
                    QImage noise(200, 200, QImage::Format_RGB32);
                    for (int y = 0; y < noise.height(); ++y)
                        for (int x = 0; x < noise.width(); ++x)
                            noise.setPixel(x, y, quint32(std::rand()));
                    painter.drawImage(0, 200, noise);
                }
                if (outcome == Outcome::Thrown)
                    throw KivoError("drawing failed");
                return outcome != Outcome::GivenUp;
            });
    } catch (const KivoError &thrown) {
        told = thrown.text();
    }
    setrlimit(RLIMIT_FSIZE, &saved);

    QVERIFY2(told.contains(error) && told.isEmpty() == error.isEmpty(), qPrintable(told));
    QCOMPARE(written, outcome == Outcome::Written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{"log pages é.pdf"});
    if (outcome == Outcome::Written) {
        const QString text = pdfText(path);
        QVERIFY2(text.contains("page 1") && text.contains("page 3"), qPrintable(text));
    } else {
        QCOMPARE(contents(path), Earlier);
    }
}

void TestPdfFile::folderThatCannotHoldIt()
{
    QTemporaryDir dir;
    const PdfFailureTexts texts{[](const QString &reason) { return "cannot open: " + reason; },
                                "failed"};
    bool drawn = false;
    try {
        writePdfFile(
            dir.filePath("missing/page.pdf"), texts, [](QPdfWriter &) {},
            [&](QPainter &, QPdfWriter &) { return drawn = true; });
        QFAIL("the file must be refused");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().startsWith("cannot open: ") && error.text().size() > 13,
                 qPrintable(error.text()));
    }
    QVERIFY(!drawn);
    QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
}

QTEST_MAIN(TestPdfFile)
#include "tst_pdffile.moc"
