// KIVO Log Viewer
#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <vector>

namespace kivo {

// Where the depths of a Print Log fall on its pages: a pure function of the depth range, the
// vertical scale 1:N and the height the image track has on a page. Depths are thousandths of
// the log's unit and grow down the page; the paper shows depth / N in the same unit (a metre of
// a 1:20 log is 5 cm of paper, a foot of a 1:20 log 0.05 ft). Each page holds the depth its
// track height shows, the pages follow each other without gap or overlap, the last may be short.
class PrintLogPages {
public:
    static constexpr std::array<int, 5> Scales{10, 20, 50, 100, 200}; // the dialog's choices
    static bool isScale(int scale);

    // shallow <= deep (thousandths); scale one of Scales; metresPerUnit 1 for metres, 0.3048 for
    // feet; dotsPerInch the device units per inch; trackHeight the track's height on a full page
    // in device units (positive).
    PrintLogPages(qint64 shallow, qint64 deep, int scale, double metresPerUnit, double dotsPerInch,
                  double trackHeight);

    static double metresPerUnit(int depthUnit) { return depthUnit == 0 ? 1.0 : 0.3048; }

    qint64 shallow() const { return m_shallow; }
    qint64 deep() const { return m_deep; }
    int scale() const { return m_scale; }
    // Device units per thousandth of the depth unit.
    double unitsPerDepth() const { return m_unitsPerDepth; }
    // The depth one page holds, in thousandths.
    double depthPerPage() const { return m_depthPerPage; }
    int pageCount() const { return m_pageCount; }
    // The depths at the top and bottom of page k (0-based); the last page ends at deep().
    double pageTop(int page) const;
    double pageBottom(int page) const;
    // The height of page k's track in device units: the full height but on a short last page.
    double trackHeight(int page) const;
    // The y of a depth on page k, from the top of the track.
    double yOf(int page, double depth) const;

    // A tick every division of 0.01 * N units (10 * N thousandths), a label every fifth.
    qint64 tickStep() const { return 10 * qint64(m_scale); }
    qint64 labelStep() const { return 5 * tickStep(); }
    // The depths of the ticks on page k: the multiples of tickStep() from its top to its bottom,
    // the bottom only on the last page (a tick on a page boundary belongs to the page below).
    std::vector<qint64> ticks(int page) const;
    static bool isLabelled(qint64 tick, qint64 labelStep) { return tick % labelStep == 0; }
    // The decimals the division needs: 1 for 0.1, 0.2 and 0.5 units, none for 1 and 2.
    int labelDecimals() const;
    QString label(qint64 depth, const QString &unitSuffix,
                  const QLocale &locale = QLocale::system()) const;

private:
    qint64 m_shallow;
    qint64 m_deep;
    int m_scale;
    double m_unitsPerDepth;
    double m_depthPerPage;
    int m_pageCount;
};

} // namespace kivo
