// KIVO Log Viewer
#pragma once

#include "picks/pickset.h"
#include "plots/plotfile.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace kivo {

// One plot in the window: it paints through the drawing module at its own size, reports a
// click on a pick, and offers Copy (a PNG on the clipboard) and Save As (PNG, SVG or PDF) on
// right-click.
class PlotView : public QWidget {
    Q_OBJECT

public:
    // The pick a point of the plot shows, in an area of the plot's size.
    using HitTest = std::function<std::optional<PickId>(const QRectF &area, const QPointF &point)>;

    PlotView(const QString &name, PlotPainter paint, HitTest hitTest, QWidget *parent = nullptr);

    QSize sizeHint() const override { return QSize(320, 320); }
    QImage picture() const;
    void copyToClipboard();
    // Asks for a file and writes the plot at the view's size; errors are reported in a box.
    void saveAs();
    // Writes the plot at the view's size; throws KivoError.
    void saveTo(const QString &path) const;

signals:
    void pickClicked(PickId id);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QString m_name;
    PlotPainter m_paint;
    HitTest m_hitTest;
};

} // namespace kivo
