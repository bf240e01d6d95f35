// KIVO Log Viewer
#include "export/imageexport.h"
#include "filepermissions.h"
#include "kivoerror.h"
#include "log/imagefile.h"
#include "log/loglayout.h"
#include "log/depthindex.h"
#include "shell/jobprogress.h"
#include "testlog.h"
#include "tiffimage.h"

#include <QDir>
#include <QImage>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

Q_DECLARE_METATYPE(kivo::Decimation)
Q_DECLARE_METATYPE(kivo::ExportFormat)

namespace {

// Asks to stop once it has been called `calls` times.
class StopAfter final : public JobProgress {
public:
    explicit StopAfter(int calls)
        : m_left(calls)
    {}
    bool advance(qint64, qint64) override { return m_left-- > 0; }

private:
    int m_left;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Red = record k, green = column, blue = k + column: every row and column tells where it came
// from. 720 samples, so that column j is sample j.
QString writePatternLog(const QString &dir, qint64 count, qint32 firstDepth, qint32 step)
{
    return writeLog(dir, "log", validHeader(720), DataFileContent(720, count, firstDepth, step));
}

} // namespace

class TestImageExport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void rowCount_data();
    void rowCount();
    void spansFollowTheDepths_data();
    void spansFollowTheDepths();
    void decimatedRows_data();
    void decimatedRows();
    void tiffMatchesPng_data();
    void tiffMatchesPng();
    void cancelledExportLeavesNoFile_data();
    void cancelledExportLeavesNoFile();
    void unwritableFolderIsRefused();
    void rangeWithoutRecordsIsRefused();
    void pngRefusesMoreRowsThanReadersTake();
    void bigTiffOnlyPastFourGibibytes();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ImageFile m_file;
    LogLayout m_layout;
    void open(const QString &path);
};

void TestImageExport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_file.CloseImageFile();
    m_layout = LogLayout();
    m_layout.SamplesPerLine = 720;
}

void TestImageExport::open(const QString &path)
{
    m_file.OpenImageFile(path, m_layout.recordSize());
}

void TestImageExport::rowCount_data()
{
    QTest::addColumn<qint64>("records");
    QTest::addColumn<Decimation>("decimation");
    QTest::addColumn<int>("factor");
    QTest::addColumn<qint64>("rows");
    QTest::newRow("every record") << qint64(10) << Decimation::None << 7 << qint64(10);
    QTest::newRow("every 3rd, a remainder") << qint64(10) << Decimation::Every << 3 << qint64(4);
    QTest::newRow("average of 5, none left") << qint64(10) << Decimation::Average << 5 << qint64(2);
    QTest::newRow("factor past the records") << qint64(10) << Decimation::Every << 50 << qint64(1);
    QTest::newRow("factor 1") << qint64(10) << Decimation::Average << 1 << qint64(10);
}

void TestImageExport::rowCount()
{
    QFETCH(qint64, records);
    QFETCH(Decimation, decimation);
    QFETCH(int, factor);
    QFETCH(qint64, rows);
    QCOMPARE(exportRowCount(records, decimation, factor), rows);
}

void TestImageExport::spansFollowTheDepths_data()
{
    QTest::addColumn<qint32>("firstDepth");
    QTest::addColumn<qint32>("step");
    QTest::addColumn<qint64>("shallow");
    QTest::addColumn<qint64>("deep");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    // 100 records, 10 thousandths apart: 1000..1990 going down, 1990..1000 going up.
    QTest::newRow("down, inside") << 1000 << 10 << qint64(1095) << qint64(1200) << qint64(10)
                                  << qint64(20);
    QTest::newRow("down, on records")
        << 1000 << 10 << qint64(1100) << qint64(1100) << qint64(10) << qint64(10);
    QTest::newRow("down, past both ends")
        << 1000 << 10 << qint64(0) << qint64(5000) << qint64(0) << qint64(99);
    QTest::newRow("up, inside") << 1990 << -10 << qint64(1095) << qint64(1200) << qint64(79)
                                << qint64(89);
    QTest::newRow("up, past both ends")
        << 1990 << -10 << qint64(0) << qint64(5000) << qint64(0) << qint64(99);
    QTest::newRow("between two records")
        << 1000 << 10 << qint64(1101) << qint64(1109) << qint64(11) << qint64(10);
}

void TestImageExport::spansFollowTheDepths()
{
    QFETCH(qint32, firstDepth);
    QFETCH(qint32, step);
    QFETCH(qint64, shallow);
    QFETCH(qint64, deep);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    open(writePatternLog(m_dir->path(), 100, firstDepth, step));
    DepthIndex depths(m_file, m_layout.SamplesPerLine);
    QCOMPARE(depths.ascending(), step > 0);
    const RecordSpan span = depths.span(shallow, deep);
    QCOMPARE(span.first, first);
    QCOMPARE(span.last, last);
}

void TestImageExport::decimatedRows_data()
{
    QTest::addColumn<qint32>("step");
    QTest::addColumn<Decimation>("decimation");
    QTest::addColumn<int>("factor");
    for (const qint32 step : {10, -10}) {
        const char *way = step > 0 ? "down" : "up";
        QTest::addRow("%s, every record", way) << step << Decimation::None << 1;
        QTest::addRow("%s, every 4th", way) << step << Decimation::Every << 4;
        QTest::addRow("%s, average of 3", way) << step << Decimation::Average << 3;
    }
}

// Rows against the pattern itself: record k's sample j is (k, j, k + j), and the shallowest
// record comes first whichever way the log was recorded.
void TestImageExport::decimatedRows()
{
    QFETCH(qint32, step);
    QFETCH(Decimation, decimation);
    QFETCH(int, factor);
    constexpr qint64 Count = 50;
    open(writePatternLog(m_dir->path(), Count, step > 0 ? 0 : (Count - 1) * 10, step));
    ExportRequest request;
    request.fromDepth = 0;
    request.toDepth = 10;
    request.path = m_dir->filePath("out.png");
    request.decimation = decimation;
    request.factor = factor;
    NoProgress progress;
    const auto rows = exportImage(m_file, m_layout, request, progress);
    QVERIFY(rows);
    const QImage image(request.path);
    QCOMPARE(image.size(), QSize(720, int(*rows)));
    QCOMPARE(*rows, decimation == Decimation::None ? Count : (Count + factor - 1) / factor);
    // Record k in depth order is file record k going down, Count - 1 - k going up.
    const auto fileRecord = [&](qint64 k) {
        return step > 0 ? k : Count - 1 - k;
    };
    for (int y = 0; y < image.height(); ++y) {
        const qint64 first = decimation == Decimation::None ? y : qint64(y) * factor;
        const qint64 group =
            decimation == Decimation::Average ? qMin<qint64>(factor, Count - first) : 1;
        for (const int j : {0, 1, 359, 719}) {
            int sum[3] = {0, 0, 0};
            for (qint64 k = first; k < first + group; ++k) {
                const Rgb c = patternColour(fileRecord(k), j);
                for (int b = 0; b < 3; ++b)
                    sum[b] += c[size_t(b)];
            }
            const QRgb expected = qRgb((sum[0] * 2 + int(group)) / (2 * int(group)),
                                       (sum[1] * 2 + int(group)) / (2 * int(group)),
                                       (sum[2] * 2 + int(group)) / (2 * int(group)));
            QCOMPARE(image.pixel(j, y), expected);
        }
    }
}

void TestImageExport::tiffMatchesPng_data()
{
    QTest::addColumn<ExportFormat>("format");
    QTest::addColumn<int>("compression");
    QTest::newRow("uncompressed") << ExportFormat::Tiff << 1;
    QTest::newRow("deflate") << ExportFormat::TiffDeflate << 8;
}

// Over several strips (a strip is about 485 rows) and through non-neutral tables.
void TestImageExport::tiffMatchesPng()
{
    QFETCH(ExportFormat, format);
    QFETCH(int, compression);
    open(writePatternLog(m_dir->path(), 1200, 0, 10));
    ExportRequest request;
    request.fromDepth = 0;
    request.toDepth = 20;
    request.colours.Brightness = 10;
    request.colours.Contrast = 130;
    BuildColourMap(request.colours);
    NoProgress progress;
    request.path = m_dir->filePath("out.png");
    QCOMPARE(exportImage(m_file, m_layout, request, progress), std::optional<qint64>(1200));
    request.path = m_dir->filePath("out.tif");
    request.format = format;
    QCOMPARE(exportImage(m_file, m_layout, request, progress), std::optional<qint64>(1200));
    const TiffImage tiff = readTiff(request.path);
    QCOMPARE(tiff.compression, compression);
    QVERIFY(!tiff.bigTiff);
    QCOMPARE(tiff.image.convertToFormat(QImage::Format_RGB32),
             QImage(m_dir->filePath("out.png")).convertToFormat(QImage::Format_RGB32));
    // The tables did reach the pixels: record 1's red sample 1 is (1 * 130 + 1000) / 100 = 11.
    QCOMPARE(qRed(tiff.image.pixel(0, 1)), 11);
}

void TestImageExport::cancelledExportLeavesNoFile_data()
{
    QTest::addColumn<ExportFormat>("format");
    QTest::addColumn<int>("calls");
    QTest::addColumn<bool>("earlierFile");
    QTest::newRow("PNG at the start") << ExportFormat::Png << 0 << false;
    QTest::newRow("PNG half-way, over a file") << ExportFormat::Png << 3 << true;
    QTest::newRow("TIFF half-way") << ExportFormat::Tiff << 3 << false;
    QTest::newRow("TIFF at the very end, over a file") << ExportFormat::TiffDeflate << 4 << true;
}

void TestImageExport::cancelledExportLeavesNoFile()
{
    QFETCH(ExportFormat, format);
    QFETCH(int, calls);
    QFETCH(bool, earlierFile);
    // 1000 rows: progress is asked at rows 0, 256, 512, 768 and once more at the end.
    open(writePatternLog(m_dir->path(), 1000, 0, 10));
    const QString out = m_dir->filePath(format == ExportFormat::Png ? "out.png" : "out.tif");
    if (earlierFile)
        writeFile(out, "earlier");
    const QStringList before = QDir(m_dir->path()).entryList(QDir::Files);
    ExportRequest request;
    request.toDepth = 100;
    request.path = out;
    request.format = format;
    StopAfter progress(calls);
    QVERIFY(!exportImage(m_file, m_layout, request, progress));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), before);
    QCOMPARE(fileBytes(out), earlierFile ? QByteArray("earlier") : QByteArray());
}

void TestImageExport::unwritableFolderIsRefused()
{
    open(writePatternLog(m_dir->path(), 10, 0, 10));
    const QString folder = m_dir->filePath("locked");
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    ExportRequest request;
    request.toDepth = 1;
    request.path = folder + "/out.png";
    NoProgress progress;
    try {
        FilePermissionsApply permissions;
        exportImage(m_file, m_layout, request, progress);
        QFAIL("the export went through");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().startsWith("Cannot write the file " + request.path),
                 qPrintable(error.text()));
    }
    QVERIFY(QDir(folder).isEmpty());
}

void TestImageExport::rangeWithoutRecordsIsRefused()
{
    open(writePatternLog(m_dir->path(), 10, 1000, 10));
    ExportRequest request;
    request.fromDepth = 5;
    request.toDepth = 6;
    request.path = m_dir->filePath("out.png");
    NoProgress progress;
    QVERIFY_THROWS_EXCEPTION(KivoError, exportImage(m_file, m_layout, request, progress));
    QVERIFY(!QFile::exists(request.path));
}

void TestImageExport::pngRefusesMoreRowsThanReadersTake()
{
    // A sparse file: a million and one records read as zeros.
    const QString path = writePatternLog(m_dir->path(), 1, 0, 0);
    QFile data(path);
    QVERIFY(data.resize((MaxPngRows + 1) * m_layout.recordSize()));
    open(path);
    ExportRequest request;
    request.path = m_dir->filePath("big.png");
    NoProgress progress;
    try {
        exportImage(m_file, m_layout, request, progress);
        QFAIL("the export went through");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().contains("TIFF"), qPrintable(error.text()));
    }
    QVERIFY(!QFile::exists(request.path));
}

void TestImageExport::bigTiffOnlyPastFourGibibytes()
{
    constexpr qint64 RowBytes = 720 * 3;
    QVERIFY(!needsBigTiff(1000000));
    QVERIFY(!needsBigTiff(qint64(3.9 * (1LL << 30)) / RowBytes));
    QVERIFY(needsBigTiff((1LL << 32) / RowBytes + 1));
}

QTEST_GUILESS_MAIN(TestImageExport)
#include "tst_imageexport.moc"
