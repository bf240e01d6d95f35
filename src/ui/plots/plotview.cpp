// KIVO Log Viewer
#include "ui/plots/plotview.h"

#include "kivoerror.h"
#include "ui/common/messages.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace kivo {

PlotView::PlotView(const QString &name, PlotPainter paint, HitTest hitTest, QWidget *parent)
    : QWidget(parent)
    , m_name(name)
    , m_paint(std::move(paint))
    , m_hitTest(std::move(hitTest))
{
    setObjectName(name);
    setMinimumSize(120, 120);
}

QImage PlotView::picture() const
{
    return plotImage(size(), m_paint);
}

void PlotView::copyToClipboard()
{
    QGuiApplication::clipboard()->setImage(picture());
}

void PlotView::saveTo(const QString &path) const
{
    savePlotFile(path, size(), m_name, m_paint);
}

void PlotView::saveAs()
{
    QString selected;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save Plot As"), m_name + ".png",
        QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"),
        &selected);
    if (path.isEmpty())
        return;
    QString target = path;
    if (!plotFormatOf(target))
        target += selected.contains("svg") ? ".svg" : selected.contains("pdf") ? ".pdf" : ".png";
    try {
        saveTo(target);
    } catch (const KivoError &error) {
        showErrorReport(this, error.text());
    }
}

void PlotView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_paint(painter, QRectF(rect()));
}

void PlotView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        if (const auto id = m_hitTest(QRectF(rect()), event->position()))
            emit pickClicked(*id);
    QWidget::mousePressEvent(event);
}

void PlotView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Copy"), this, &PlotView::copyToClipboard);
    menu.addAction(QStringLiteral("Save &As..."), this, &PlotView::saveAs);
    menu.exec(event->globalPos());
}

} // namespace kivo
