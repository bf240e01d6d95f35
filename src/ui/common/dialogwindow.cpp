// KIVO Log Viewer
#include "ui/common/dialogwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kivo {

QFont dialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    return font;
}

void centreOnScreen(QWidget &window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace kivo
