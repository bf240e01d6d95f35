// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <optional>

namespace kivo {

// Where the records of a log stand in the view: a pure function of the record count C, the
// view's rows R, the stacking direction and the scroll position P (0..scrollMax()).
// Direction 2 stacks records top-down (position 0 shows the start of the file); direction 1
// bottom-up (position 0 shows the end of the file).
// - C > R: the scroll bar shows and scrollMax() = C - R, so every record can be brought into
//   view; row y shows record P + y (direction 2) or Max - P + (R - 1 - y) (direction 1).
// - C <= R: no scroll bar, scrollMax() 0; direction 2 draws records 0..C-1 from the top row,
//   direction 1 draws record 0 on the bottom row and the others upwards.
// The readouts describe the top-most record drawn; an empty file draws nothing.
struct ViewGeometry {
    static constexpr int WidthWithScrollBar = 783;
    static constexpr int WidthWithoutScrollBar = 801;

    qint64 recordCount = 0;
    int rows = 0;
    int direction = 2;

    bool scrollBarShown() const { return recordCount > rows; }
    qint64 scrollMax() const { return scrollBarShown() ? recordCount - rows : 0; }
    int surfaceWidth() const
    {
        return scrollBarShown() ? WidthWithScrollBar : WidthWithoutScrollBar;
    }
    // The record a redraw pass reads first: on the top row (direction 2) or the bottom row.
    qint64 viewStart(qint64 position) const;
    // The record on row y (0 = top), or nullopt where the row shows none.
    std::optional<qint64> recordOnRow(qint64 position, int y) const;
    // The row a record is drawn on, or nullopt when it is not in view.
    std::optional<int> rowOfRecord(qint64 position, qint64 record) const;
    // The position that shows the record on row y (the top row by default), or as near to it
    // as the scroll range allows.
    qint64 positionWithRecordOnTop(qint64 record, int y = 0) const;
    // The record the depth, angle and bearing readouts show, or nullopt for an empty log.
    std::optional<qint64> readoutRecord(qint64 position) const;
};

} // namespace kivo
