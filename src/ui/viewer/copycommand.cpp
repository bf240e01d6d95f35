// KIVO Log Viewer
#include "ui/viewer/copycommand.h"

#include "display/surface.h"
#include "display/tdib.h"
#include "kivoerror.h"
#include "ui/common/messages.h"
#include "ui/display/tdxdraw.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>
#include <QScopeGuard>

#include <memory>
#include <new>

namespace kivo {

namespace {

// Captures the surface and replaces the clipboard's content; false when nothing was copied.
bool copySurface(TDXDraw &area)
{
    TDirectDrawSurface *surface = area.Surface();
    if (!surface)
        return false;
    try {
        TDIB picture;
        TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
        {
            // Whatever happens, the open command's loop can draw and present again.
            const auto release = qScopeGuard([&canvas] { canvas.ReleaseCanvas(); });
            surface->CaptureTo(picture);
        }
        area.overlayOnto(picture);
        auto item = std::make_unique<QMimeData>();
        item->setData(QStringLiteral("image/bmp"), picture.bmpFile());
        item->setImageData(picture.toImage());
        QGuiApplication::clipboard()->setMimeData(item.release());
        return true;
    } catch (const KivoError &) {
        return false;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace

void copyToClipboard(TDXDraw &area, QWidget *parent)
{
    bool copied = false;
    {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        const auto normalCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        copied = copySurface(area);
    }
    // The message box shows the normal cursor: the user has to press its button.
    if (!copied)
        showMessage(parent, QString::fromLatin1(CopyFailedMessage));
}

} // namespace kivo
