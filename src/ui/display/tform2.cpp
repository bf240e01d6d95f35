// KIVO Log Viewer
#include "ui/display/tform2.h"

#include "log/logsession.h"
#include "ui/common/dialogwindow.h"
#include "ui/common/placedcontrols.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace kivo {

namespace {

constexpr int BarLeft = 16;
constexpr int BarWidth = 201;
constexpr int BarHeight = 16;
// The "-" and "+" signs fill the 16 pixels above the brightness bar; a pixel size of 14 gives
// a text cell of about that height.
constexpr int SignPixelSize = 14;

// A horizontal scroll bar whose arrow keys move the thumb the way they point. QScrollBar
// inverts its controls so that Up, Page Up and the wheel move a vertical bar towards its top;
// on a horizontal bar that inversion also turns Left and Right around, which would make the
// right arrow move the thumb left, away from the "+" end.
class HorizontalBar : public QScrollBar {
public:
    explicit HorizontalBar(QWidget *parent)
        : QScrollBar(Qt::Horizontal, parent)
    {}

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
            const bool towardsMaximum = (event->key() == Qt::Key_Right) != isRightToLeft();
            triggerAction(towardsMaximum ? SliderSingleStepAdd : SliderSingleStepSub);
            event->accept();
            return;
        }
        QScrollBar::keyPressEvent(event);
    }
};

} // namespace

TForm2::TForm2(LogSession &session)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_session(session)
{
    setWindowTitle(QStringLiteral("Display Adjust"));
    setFixedSize(232, 122);
    setFont(dialogFont()); // the buttons are only 17 pixels high

    Label1 = placed::label(this, QStringLiteral("BRIGHTNESS"), 1, 80, 8);
    Label2 = placed::label(this, QStringLiteral("-"), 2, 16, 8);
    Label3 = placed::label(this, QStringLiteral("+"), 3, 208, 8);
    for (QLabel *sign : {Label2, Label3}) {
        QFont signFont = sign->font();
        signFont.setPixelSize(SignPixelSize);
        sign->setFont(signFont);
        sign->adjustSize();
    }
    ScrollBar1 = scrollBar(QStringLiteral("ScrollBar1"), 24, -100, 100, 0);
    Label4 = placed::label(this, QStringLiteral("CONTRAST"), 4, 88, 48);
    ScrollBar2 = scrollBar(QStringLiteral("ScrollBar2"), 64, 0, 800, 100);

    Button2 = placed::button(this, QStringLiteral("DEFAULT"), 2, 16, 96, 65, 17);
    Button3 = placed::button(this, QStringLiteral("APPLY"), 3, 96, 96, 57, 17);
    Button1 = placed::button(this, QStringLiteral("CLOSE"), 1, 168, 96, 51, 17);
    for (QPushButton *button : {Button1, Button2, Button3})
        button->setAutoDefault(false); // Enter in a bar presses nothing

    setTabOrder(ScrollBar1, ScrollBar2);
    setTabOrder(ScrollBar2, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm2::ScrollBar1Change);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &TForm2::ScrollBar2Change);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    // Esc closes the window as CLOSE does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &TForm2::Button1Click);

    centreOnScreen(*this);
}

QScrollBar *TForm2::scrollBar(const QString &name, int y, int minimum, int maximum, int position)
{
    auto *bar = new HorizontalBar(this);
    bar->setObjectName(name);
    bar->setGeometry(BarLeft, y, BarWidth, BarHeight);
    bar->setRange(minimum, maximum);
    bar->setValue(position);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::StrongFocus); // the bars are the first two stops of the tab order
    return bar;
}

void TForm2::ScrollBar1Change()
{
    m_session.setBrightness(ScrollBar1->value());
}

void TForm2::ScrollBar2Change()
{
    m_session.setContrast(ScrollBar2->value());
}

void TForm2::Button1Click()
{
    hide();
}

void TForm2::Button2Click()
{
    m_session.setBrightness(0.0);
    m_session.setContrast(100.0);
    ScrollBar1->setValue(0);
    ScrollBar2->setValue(100);
    m_session.applyColourMap();
}

void TForm2::Button3Click()
{
    m_session.applyColourMap();
}

} // namespace kivo
