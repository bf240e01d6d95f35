// KIVO Log Viewer
#include "ui/viewer/tform7.h"

#include "shell/version.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace kivo {

namespace {

// An unrolled borehole wall: banded rock crossed by a dipping fracture, the orientation letters
// above it, framed as in the viewer.
QPixmap aboutPicture()
{
    QPixmap pixmap(150, 136);
    pixmap.fill(QColor(128, 128, 128));
    QPainter painter(&pixmap);
    const QRect wall(6, 22, 138, 108);
    QLinearGradient bands(wall.topLeft(), wall.bottomLeft());
    const QColor rock[] = {QColor(176, 140, 96), QColor(120, 96, 72), QColor(196, 170, 120),
                           QColor(96, 84, 70), QColor(168, 130, 90)};
    for (int i = 0; i < 5; ++i)
        bands.setColorAt(i / 4.0, rock[i]);
    painter.fillRect(wall, bands);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 30, 24), 3));
    QPolygonF fracture;
    for (int x = 0; x <= wall.width(); x += 2)
        fracture << QPointF(wall.left() + x,
                            wall.top() + 54 + 24 * std::sin(2 * M_PI * x / wall.width()));
    painter.drawPolyline(fracture);
    painter.setPen(QColor(255, 255, 0));
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    const char *letters[] = {"N", "E", "S", "W", "N"};
    for (int i = 0; i < 5; ++i)
        painter.drawText(QRect(wall.left() + i * wall.width() / 4 - 6, 4, 12, 14), Qt::AlignCenter,
                         QString::fromLatin1(letters[i]));
    painter.setPen(Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(wall.adjusted(-1, -1, 0, 0));
    return pixmap;
}

QLabel *text(QWidget *parent, const QString &caption, const QFont &font, int x, int y)
{
    auto *label = new QLabel(caption, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

TForm7::TForm7(QWidget *mainWindow)
    : QWidget(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_mainWindow(mainWindow)
{
    setWindowTitle(QStringLiteral("About KIVO Log Viewer"));
    setFixedSize(405, 160);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(palette);

    auto *picture = new QLabel(this);
    picture->setPixmap(aboutPicture());
    picture->setGeometry(10, 9, 150, 136);

    QFont kivo(QStringLiteral("Liberation Sans"));
    kivo.setPixelSize(40);
    kivo.setBold(true);
    kivo.setItalic(true);
    text(this, QStringLiteral("KIVO "), kivo, 192, 16);
    QFont title = font();
    title.setPixelSize(23);
    title.setBold(true);
    text(this, QStringLiteral("Log Viewer"), title, 192, 72);
    QFont small = font();
    small.setPointSize(8);
    text(this, QStringLiteral("Version "), small, 192, 128);
    const QLabel *release = text(this, QStringLiteral("101  25-9-00"), small, 248, 128);
    // The build's own version, on the line below the release it descends from.
    text(this, QStringLiteral("Version %1").arg(kivoVersion()), small, 192,
         release->geometry().bottom() + 1);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(336, 120, 57, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
}

void TForm7::About1Click()
{
    if (const QScreen *screen = m_mainWindow->screen())
        move(screen->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    m_mainWindow->setEnabled(false);
}

void TForm7::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TForm7::FormShow()
{
    m_mainWindow->setEnabled(false);
}

void TForm7::Button1Click()
{
    hide();
    m_mainWindow->setEnabled(true);
}

void TForm7::closeEvent(QCloseEvent *event)
{
    // Closed from the window system (Alt+F4, the window manager's Close): the same way back to
    // the main window as OK.
    Button1Click();
    event->accept();
}

} // namespace kivo
