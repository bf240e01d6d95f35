// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <optional>

namespace kivo {

// Where the records of a log stand in the view: a pure function of the record count C, the
// view's rows R, the zoom Z, the stacking direction and the scroll position P (0..scrollMax()).
// At zoom Z the view shows lines: line k holds records kZ .. kZ + Z - 1 (the last line what is
// left), and each row shows one line; the scroll position counts lines. At zoom 1 a line is a
// record. L = ceil(C / Z) lines.
// Direction 2 stacks lines top-down (position 0 shows the start of the file); direction 1
// bottom-up (position 0 shows the end of the file).
// - L > R: the scroll bar shows and scrollMax() = L - R, so every line can be brought into
//   view; row y shows line P + y (direction 2) or Max - P + (R - 1 - y) (direction 1).
// - L <= R: no scroll bar, scrollMax() 0; direction 2 draws lines 0..L-1 from the top row,
//   direction 1 draws line 0 on the bottom row and the others upwards.
// The readouts describe the first record of the top-most line drawn; an empty file draws
// nothing.
struct ViewGeometry {
    static constexpr int WidthWithScrollBar = 783;
    static constexpr int WidthWithoutScrollBar = 801;

    qint64 recordCount = 0;
    int rows = 0;
    int direction = 2;
    int zoom = 1; // records a row averages

    // The records of a line: the first and how many.
    struct Records {
        qint64 first = 0;
        int count = 0;
    };

    qint64 lineCount() const { return (recordCount + zoom - 1) / zoom; }
    bool scrollBarShown() const { return lineCount() > rows; }
    qint64 scrollMax() const { return scrollBarShown() ? lineCount() - rows : 0; }
    int surfaceWidth() const
    {
        return scrollBarShown() ? WidthWithScrollBar : WidthWithoutScrollBar;
    }
    // The line a redraw pass reads first: on the top row (direction 2) or the bottom row.
    qint64 viewStart(qint64 position) const;
    // The line on row y (0 = top), or nullopt where the row shows none.
    std::optional<qint64> lineOnRow(qint64 position, int y) const;
    Records recordsOfLine(qint64 line) const;
    // The first record of the line on row y, or nullopt where the row shows none.
    std::optional<qint64> recordOnRow(qint64 position, int y) const;
    // The row a record is drawn on (its line's), or nullopt when it is not in view.
    std::optional<int> rowOfRecord(qint64 position, qint64 record) const;
    // The position that shows the record on row y (the top row by default), or as near to it
    // as the scroll range allows.
    qint64 positionWithRecordOnTop(qint64 record, int y = 0) const;
    // The record the depth, angle and bearing readouts show, or nullopt for an empty log.
    std::optional<qint64> readoutRecord(qint64 position) const;
};

} // namespace kivo
