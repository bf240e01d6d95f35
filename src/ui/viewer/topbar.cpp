// KIVO Log Viewer
#include "ui/viewer/topbar.h"

#include "display/orientationstrip.h"
#include "ui/viewer/readouticons.h"

#include <QLabel>

namespace kivo {

namespace {

QLabel *label(QWidget *parent, const QString &text, const QColor &colour, int x, int y, int width,
              int height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *result = new QLabel(text, parent);
    result->setGeometry(x, y, width, height);
    result->setAlignment(alignment);
    QPalette palette = result->palette();
    palette.setColor(QPalette::WindowText, colour);
    result->setPalette(palette);
    return result;
}

QLabel *picture(QWidget *parent, const QPixmap &pixmap, int x, int y)
{
    auto *result = new QLabel(parent);
    result->setPixmap(pixmap);
    result->setGeometry(x, y, pixmap.width(), pixmap.height());
    return result;
}

} // namespace

TopBar::TopBar(QWidget *parent)
    : QFrame(parent)
{
    setFixedHeight(BarHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(palette);

    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    // The block over the depth margin.
    label(this, QStringLiteral("DEPTH"), QColor(255, 255, 0), 2, 1, BlockWidth - 4, 15);
    Label1 = label(this, QString(), Qt::white, 12, 18, BlockWidth - 12, 16,
                   Qt::AlignRight | Qt::AlignVCenter);
    Image3 = picture(this, rulerIcon(), 1, 19);

    // The upper strip over the image: the file name, centred, and the two angle readouts.
    const int left = BlockWidth + 1;
    Label2 =
        label(this, QString(), Qt::white, left + 160, 0, 400, UpperStripHeight, Qt::AlignCenter);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Image2 = picture(this, angleIcon(), left + 4, 1);
    Label3 = label(this, QString(), Qt::white, left + 24, 0, 60, UpperStripHeight);
    Image5 = picture(this, northArrowIcon(), left + 640, 1);
    Label5 = label(this, QString(), Qt::white, left + 656, 0, 60, UpperStripHeight);

    Image1 = new QLabel(this);
    Image1->setGeometry(left, UpperStripHeight, 720, StripHeight);
    setStrip(Image4());

    const QString depth = QStringLiteral("Depth of the record on the top row");
    const QString angle = QStringLiteral("Angle of the hole at that record: 90 minus its "
                                         "deviation from vertical, in degrees");
    const QString bearing =
        QStringLiteral("Bearing of the hole at that record, degrees clockwise from North");
    Label1->setToolTip(depth);
    Image3->setToolTip(depth);
    Label3->setToolTip(angle);
    Image2->setToolTip(angle);
    Label5->setToolTip(bearing);
    Image5->setToolTip(bearing);
    Label2->setToolTip(QStringLiteral("The open data file"));
    Image1->setToolTip(QStringLiteral("Orientation of the image columns: N E S W from North, or "
                                      "D L U R from the low side of the hole"));
}

void TopBar::setDepthReadout(const QString &text)
{
    QFont face = font();
    const int room = Label1->contentsRect().width();
    while (face.pointSizeF() > 3 && QFontMetrics(face).horizontalAdvance(text) > room)
        face.setPointSizeF(face.pointSizeF() - 0.5);
    Label1->setFont(face);
    Label1->setText(text);
}

void TopBar::setStrip(const QImage &source)
{
    m_strip = stretchedStrip(source);
    Image1->setPixmap(QPixmap::fromImage(m_strip));
}

} // namespace kivo
