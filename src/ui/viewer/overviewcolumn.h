// KIVO Log Viewer
#pragma once

#include "display/overviewjob.h"

#include <QWidget>

#include <optional>
#include <utility>

namespace kivo {

class LogSession;

// The whole log squeezed to the column's height, at the right of the image panel in the space a
// wide window leaves, with the view's records marked. It is built in the background as a log
// opens (a progress line shows meanwhile) and gives the session the whole log's statistics; a
// click or a drag brings the records there to the middle of the view. Closing the log stops the
// build at once.
class OverviewColumn : public QWidget {
    Q_OBJECT

public:
    explicit OverviewColumn(LogSession &session, QWidget *parent = nullptr);

    bool built() const { return m_overview.has_value(); }
    bool building() const { return m_job.running(); }
    // "Overview 42 %" while it builds, the error if it failed, empty otherwise.
    const QString &progressText() const { return m_progressText; }
    // The column's rows [top, bottom) that mark the records in view; empty without an overview.
    std::pair<int, int> markedRows() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void startBuild();
    void stopBuild();
    void showOverview(const Overview &overview);
    // Column row of a record boundary, and the record at a column row, in the log's direction.
    int rowOfRecord(qint64 record) const;
    qint64 recordAtRow(int y) const;
    void scrollTo(int y);
    // The rectangle the mark of the records in view covers; empty without an overview.
    QRect markRect() const;
    // Repaints where the mark was last painted and where it is now.
    void updateMark();

    LogSession &m_session;
    OverviewJob m_job;
    std::optional<Overview> m_overview;
    QImage m_picture; // the overview in the direction the view stacks records
    QImage m_scaled;  // m_picture at the column's size, made when either changes
    QRect m_paintedMark;
    QString m_progressText;
};

} // namespace kivo
