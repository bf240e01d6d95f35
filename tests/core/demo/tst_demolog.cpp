// KIVO Log Viewer
#include "demo/demolog.h"
#include "kivoerror.h"
#include "log/timageline.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace kivo;

namespace {

const int Samples = 720;
const qint64 RecordBytes = 3 * Samples + 12;
// 10.000 m to 25.000 m at one record per millimetre.
const qint64 Records = 25000 - 10000 + 1;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Key -> value per section, both names folded to lower case, from "key=value" lines.
using Sections = QHash<QByteArray, QHash<QByteArray, QByteArray>>;

Sections parseHeader(const QByteArray &text)
{
    Sections sections;
    QByteArray current;
    for (const QByteArray &line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            current = trimmed.mid(1, trimmed.size() - 2).toLower();
            sections[current];
        } else if (const qsizetype equals = trimmed.indexOf('='); equals > 0) {
            sections[current].insert(trimmed.left(equals).toLower(), trimmed.mid(equals + 1));
        }
    }
    return sections;
}

const char *const RunStems[] = {
    "DateRun",    "RunNo",          "Engineer",   "Witness", "DepthDriller", "DepthLogger",
    "Deepest",    "Shallow",        "LogType",    "Fluid",   "Salinity",     "FluidDensity",
    "FluidLevel", "MaxTemperature", "RigTime",    "BitRec",  "BitRecFrom",   "BitRecTo",
    "CasRecSize", "CasRecWeight",   "CasRecFrom", "CasRecTo"};
const char *const RealRunStems[] = {"DepthDriller",   "DepthLogger",  "Deepest",    "Shallow",
                                    "MaxTemperature", "BitRec",       "BitRecFrom", "BitRecTo",
                                    "CasRecSize",     "CasRecWeight", "CasRecFrom", "CasRecTo"};

} // namespace

class TestDemoLog : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;
    QString m_dir;
    QByteArray m_data;
    QByteArray m_header;
    Sections m_sections;

    TImageLine record(qint64 n) const
    {
        return {reinterpret_cast<const uchar *>(m_data.constData()) + n * RecordBytes, Samples};
    }
    double luminance(qint64 n, int column) const
    {
        const uchar *s = record(n).Samples() + 3 * column;
        return 0.299 * s[0] + 0.587 * s[1] + 0.114 * s[2];
    }
    // Mean luminance of a block of whole records.
    double meanLuminance(qint64 first, qint64 last) const
    {
        double sum = 0.0;
        for (qint64 n = first; n <= last; ++n) {
            for (int i = 0; i < Samples; ++i)
                sum += luminance(n, i);
        }
        return sum / double((last - first + 1) * Samples);
    }
    double rowDeviation(qint64 n) const
    {
        double sum = 0.0, squares = 0.0;
        for (int i = 0; i < Samples; ++i) {
            const double y = luminance(n, i);
            sum += y;
            squares += y * y;
        }
        const double mean = sum / Samples;
        return std::sqrt(squares / Samples - mean * mean);
    }
    QByteArray value(const char *section, const char *key) const
    {
        return m_sections.value(QByteArray(section).toLower()).value(QByteArray(key).toLower());
    }
    bool hasKey(const char *section, const QByteArray &key) const
    {
        return m_sections.value(QByteArray(section).toLower()).contains(key.toLower());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_temp.isValid());
        // A folder that does not exist yet, two levels deep.
        m_dir = m_temp.filePath("new/demo");
        writeDemoLog(m_dir);
        m_data = readAll(m_dir + "/demo.bhx");
        m_header = readAll(m_dir + "/demo.HED");
        m_sections = parseHeader(m_header);
    }

    void filesHoldTheDesignedRecords()
    {
        QVERIFY(QFile::exists(m_dir + "/demo.bhx"));
        QVERIFY(QFile::exists(m_dir + "/demo.HED"));
        QCOMPARE(TImageLine::recordSize(Samples), 2172);
        QCOMPARE(m_data.size() % RecordBytes, 0);
        QCOMPARE(m_data.size() / RecordBytes, Records);
        QCOMPARE(QDir(m_dir).entryList(QDir::Files).size(), 2); // no temporary files left
    }

    void depthsFallOneMillimetrePerRecord()
    {
        // Logged upwards: the deepest record first.
        QCOMPARE(record(0).Depth(), 25000);
        QCOMPARE(record(Records - 1).Depth(), 10000);
        for (qint64 n = 1; n < Records; ++n) {
            if (record(n).Depth() != record(n - 1).Depth() - 1)
                QFAIL(qPrintable(QString("record %1 has depth %2 after %3")
                                     .arg(n)
                                     .arg(record(n).Depth())
                                     .arg(record(n - 1).Depth())));
        }
    }

    void orientationTurnsSlowlyAndStaysInRange()
    {
        QSet<int> bearings;
        for (qint64 n = 0; n < Records; ++n) {
            const TImageLine line = record(n);
            QVERIFY2(line.Bearing() >= 0 && line.Bearing() <= 359, qPrintable(QString::number(n)));
            QVERIFY2(line.Angle() >= 0 && line.Angle() <= 10, qPrintable(QString::number(n)));
            bearings.insert(line.Bearing());
            if (n > 0) {
                const int turn = (line.Bearing() - record(n - 1).Bearing() + 360) % 360;
                QVERIFY2(turn <= 1, qPrintable(QString("bearing jumps at %1").arg(n)));
                QVERIFY2(std::abs(line.Angle() - record(n - 1).Angle()) <= 1,
                         qPrintable(QString("angle jumps at %1").arg(n)));
            }
            // The cells' second halves are not used: they are written as zeros.
            const uchar *cells = line.Samples() + 3 * Samples;
            QVERIFY(cells[2] == 0 && cells[3] == 0 && cells[6] == 0 && cells[7] == 0);
        }
        QCOMPARE(bearings.size(), 360);
    }

    void headerValues_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Ident") << QByteArray("General") << QByteArray("Ident")
                               << QByteArray("WL_EXT");
        QTest::newRow("Version") << QByteArray("General") << QByteArray("Version")
                                 << QByteArray("101");
        QTest::newRow("Data_Files")
            << QByteArray("General") << QByteArray("Data_Files") << QByteArray("1");
        QTest::newRow("DepthUnit")
            << QByteArray("WellInfo") << QByteArray("DepthUnit") << QByteArray("0");
        QTest::newRow("LogMode") << QByteArray("WellInfo") << QByteArray("LogMode")
                                 << QByteArray("11");
        QTest::newRow("Startdepth")
            << QByteArray("WellInfo") << QByteArray("Startdepth") << QByteArray("25");
        QTest::newRow("EndDepth") << QByteArray("WellInfo") << QByteArray("EndDepth")
                                  << QByteArray("10");
        QTest::newRow("step") << QByteArray("WellInfo") << QByteArray("step") << QByteArray("1");
        QTest::newRow("RunNo1") << QByteArray("WellInfo") << QByteArray("RunNo1")
                                << QByteArray("1");
        QTest::newRow("RunNo2") << QByteArray("WellInfo") << QByteArray("RunNo2")
                                << QByteArray("2");
        QTest::newRow("RunNo3 unused")
            << QByteArray("WellInfo") << QByteArray("RunNo3") << QByteArray("0");
        QTest::newRow("FileName") << QByteArray("File1") << QByteArray("FileName")
                                  << QByteArray("demo.bhx");
        QTest::newRow("RecLineSize")
            << QByteArray("File1") << QByteArray("RecLineSize") << QByteArray("2172");
        QTest::newRow("SampleCount")
            << QByteArray("Channel1") << QByteArray("SampleCount") << QByteArray("720");
    }
    void headerValues()
    {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        QVERIFY2(hasKey(section, key), key.constData());
        QCOMPARE(value(section, key), expected);
    }

    void headerHasEveryWellKey()
    {
        const char *const keys[] = {"SondeLength",    "UserProcessFlag",
                                    "UserDLL",        "StartTime",
                                    "EndTime",        "Zero",
                                    "Company",        "Wellname",
                                    "Fieldname",      "Location",
                                    "Latitude",       "Longitude",
                                    "Country",        "ServiceCompany",
                                    "Date",           "UWI",
                                    "Project",        "LogName",
                                    "OtherServices1", "OtherServices2",
                                    "OtherServices3", "OtherServices4",
                                    "OtherServices5", "PermanentDatum",
                                    "Elevation",      "LogDatum",
                                    "DrillDatum",     "KellyBushing",
                                    "DrillFloor",     "GroundLevel"};
        for (const char *key : keys)
            QVERIFY2(hasKey("General", key) || hasKey("WellInfo", key), key);
        QVERIFY(!value("WellInfo", "Company").isEmpty());
        QVERIFY(!value("WellInfo", "Wellname").isEmpty());
        for (const char *stem : RunStems) {
            for (int run = 1; run <= 3; ++run) {
                const QByteArray key = stem + QByteArray::number(run);
                QVERIFY2(hasKey("WellInfo", key), key.constData());
            }
        }
        for (int n = 1; n <= 10; ++n) {
            const QByteArray key = "Comment" + QByteArray::number(n);
            QVERIFY2(!value("WellInfo", key).isEmpty(), key.constData());
        }
    }

    // Reals are parsed in the user's locale, so any decimal separator would fail somewhere.
    void realValuesAreWholeNumbers()
    {
        QList<QByteArray> keys = {"Zero", "KellyBushing", "DrillFloor", "GroundLevel",
                                  "step", "Startdepth",   "EndDepth"};
        for (const char *stem : RealRunStems) {
            for (int run = 1; run <= 3; ++run)
                keys << stem + QByteArray::number(run);
        }
        const QRegularExpression whole("^-?[0-9]+$");
        for (const QByteArray &key : keys) {
            const QString text = QString::fromLatin1(value("WellInfo", key));
            QVERIFY2(whole.match(text).hasMatch(), qPrintable(key + "=" + text));
        }
    }

    void headerMatchesTheData()
    {
        QCOMPARE(value("WellInfo", "Startdepth").toLongLong() * 1000, record(0).Depth());
        QCOMPARE(value("WellInfo", "EndDepth").toLongLong() * 1000, record(Records - 1).Depth());
        QCOMPARE(value("File1", "RecLineSize").toLongLong() * Records, m_data.size());
        QCOMPARE(value("Channel1", "SampleCount").toInt(), Samples);
    }

    void remarksAreWindows1252()
    {
        QVERIFY(m_header.contains("14 \xB0"
                                  "C"));
        QVERIFY(m_header.contains("Zo\xEB M\xFCller"));
        QVERIFY(m_header.contains("1 200 \x80"));
        QVERIFY(!m_header.contains("\xC2\xB0")); // not UTF-8
        const QByteArray undefined("\x81\x8D\x8F\x90\x9D");
        for (qsizetype i = 0; i < m_header.size(); ++i) {
            const auto byte = uchar(m_header[i]);
            const bool lineEnd = (byte == '\r' && m_header.mid(i + 1, 1) == "\n") ||
                                 (byte == '\n' && i > 0 && m_header[i - 1] == '\r');
            QVERIFY2(lineEnd || (byte >= 0x20 && byte != 0x7f), qPrintable(QString::number(i)));
            QVERIFY2(!undefined.contains(char(byte)), qPrintable(QString::number(i)));
        }
        QVERIFY(m_header.endsWith("\r\n"));
    }

    // The remarks put the fracture and the broken zone where the image shows them.
    void remarksGiveTheDesignedDepths()
    {
        QString remarks;
        for (int n = 1; n <= 10; ++n)
            remarks += QString::fromLatin1(value("WellInfo", "Comment" + QByteArray::number(n)));
        const auto millimetres = [](const QString &metres) {
            return qint32(std::lround(metres.toDouble() * 1000));
        };

        const QRegularExpressionMatch fracture =
            QRegularExpression("fracture at ([0-9.]+) m dipping ([0-9]+)").match(remarks);
        QVERIFY(fracture.hasMatch());
        const auto named = std::find_if(
            demo::Fractures.begin(), demo::Fractures.end(), [&](const demo::Fracture &f) {
                return demo::depthOf(f.record) == millimetres(fracture.captured(1)) &&
                       f.dip == fracture.captured(2).toDouble();
            });
        QVERIFY2(named != demo::Fractures.end(), qPrintable(fracture.captured(0)));
        QVERIFY(named->halo > 0); // the remark speaks of a weathered rim

        const QRegularExpressionMatch zone =
            QRegularExpression("Broken zone from ([0-9.]+) m to ([0-9.]+) m").match(remarks);
        QVERIFY(zone.hasMatch());
        QCOMPARE(millimetres(zone.captured(1)), demo::depthOf(demo::BrokenZoneLast));
        QCOMPARE(millimetres(zone.captured(2)), demo::depthOf(demo::BrokenZoneFirst));
    }

    void sameBytesOnEveryRun()
    {
        QTemporaryDir other;
        writeDemoLog(other.path());
        QVERIFY(readAll(other.filePath("demo.bhx")) == m_data);
        QCOMPARE(readAll(other.filePath("demo.HED")), m_header);
        // Writing over an existing log replaces it.
        QFile::resize(other.filePath("demo.bhx"), 100);
        writeDemoLog(other.path());
        QVERIFY(readAll(other.filePath("demo.bhx")) == m_data);
    }

    void imageIsTexturedAndBanded()
    {
        for (qint64 n = 0; n < Records; n += 250)
            QVERIFY2(rowDeviation(n) > 3.0, qPrintable(QString("record %1 is flat").arg(n)));
        // Beds of different rock down the hole.
        double darkest = 255.0, brightest = 0.0;
        for (qint64 first = 0; first + 100 <= Records; first += 500) {
            const double mean = meanLuminance(first, first + 99);
            darkest = std::min(darkest, mean);
            brightest = std::max(brightest, mean);
        }
        QVERIFY2(brightest - darkest > 40.0,
                 qPrintable(QString("%1 %2").arg(darkest).arg(brightest)));
        // Texture also down a column, not only across a row.
        int changes = 0;
        for (qint64 n = 101; n < 300; ++n)
            changes += luminance(n, 360) != luminance(n - 1, 360);
        QVERIFY(changes > 150);
    }

    void fracturesAreDarkSinusoids_data()
    {
        QTest::addColumn<int>("index");
        for (size_t k = 0; k < demo::Fractures.size(); ++k)
            QTest::addRow("fracture at record %lld", qint64(demo::Fractures[k].record)) << int(k);
    }
    void fracturesAreDarkSinusoids()
    {
        QFETCH(int, index);
        const demo::Fracture &f = demo::Fractures[size_t(index)];
        const double away = f.aperture + f.halo + 15.0;
        double trace = 0.0, around = 0.0;
        for (int i = 0; i < Samples; ++i) {
            const double row = demo::fractureRow(f, i);
            QVERIFY(row - away >= 0 && row + away < Records);
            trace += luminance(std::llround(row), i);
            around +=
                (luminance(std::llround(row - away), i) + luminance(std::llround(row + away), i)) /
                2;
        }
        trace /= Samples;
        around /= Samples;
        QVERIFY2(trace < 0.5 * around,
                 qPrintable(QString("trace %1, around %2").arg(trace).arg(around)));
        // A dipping plane: its trace spans many records, more for a steeper dip.
        const double amplitude = demo::fractureRow(f, int(f.azimuth * 2)) - double(f.record);
        QVERIFY(amplitude > 10.0);
    }

    void brokenZoneIsDarkerAndRougher()
    {
        const qint64 first = demo::BrokenZoneFirst;
        const qint64 last = demo::BrokenZoneLast;
        QVERIFY(last - first >= 300 && last - first <= 500); // about 0.4 m
        const double zone = meanLuminance(first + 50, last - 50);
        const double above = meanLuminance(first - 400, first - 100);
        const double below = meanLuminance(last + 100, last + 400);
        QVERIFY2(zone < 0.8 * std::min(above, below),
                 qPrintable(QString("%1 %2 %3").arg(zone).arg(above).arg(below)));
        QVERIFY(rowDeviation((first + last) / 2) > 2.0 * rowDeviation(first - 200));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("blocker"); // what stands in the way
        QTest::addColumn<QString>(
            "target"); // the folder asked for, relative to the blocker's folder
        QTest::addColumn<QString>("named"); // what the message names
        QTest::newRow("folder is a file") << "plain"
                                          << "plain"
                                          << "plain";
        QTest::newRow("folder below a file") << "plain"
                                             << "plain/logs"
                                             << "plain";
        QTest::newRow("data file is a folder") << "demo.bhx/"
                                               << "."
                                               << "demo.bhx";
        QTest::newRow("header file is a folder") << "demo.HED/"
                                                 << "."
                                                 << "demo.HED";
    }
    void failures()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, target);
        QFETCH(QString, named);
        QTemporaryDir temp;
        if (blocker.endsWith('/')) {
            QVERIFY(QDir(temp.path()).mkdir(blocker));
        } else {
            QFile file(temp.filePath(blocker));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        try {
            writeDemoLog(temp.filePath(target));
            QFAIL("no error");
        } catch (const KivoError &error) {
            QVERIFY2(error.text().contains(named), qPrintable(error.text()));
        }
    }
};

QTEST_GUILESS_MAIN(TestDemoLog)
#include "tst_demolog.moc"
