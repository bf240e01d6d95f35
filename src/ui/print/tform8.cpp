// KIVO Log Viewer
#include "ui/print/tform8.h"

#include "header/numberformat.h"
#include "log/loglayout.h"
#include "log/logsession.h"
#include "print/printoptions.h"
#include "ui/common/dialogwindow.h"
#include "ui/common/messages.h"
#include "ui/common/placedcontrols.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace kivo {

namespace {

// The depth labels read "ft" until the dialog is shown with the open log's unit.
constexpr int DesignedDepthUnit = 1;

template <typename Control> Control *place(Control *control, const QRect &geometry)
{
    control->setGeometry(geometry);
    return control;
}

} // namespace

TForm8::TForm8(LogSession &session, QWidget *mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_session(session)
    , m_mainWindow(mainWindow)
{
    setWindowTitle(QStringLiteral("Print"));
    // The dialog font at a character height of 11 pixels.
    QFont windowFont = dialogFont();
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setFixedSize(OuterSize);

    Label1 = placed::label(this, QStringLiteral("Start Depth"), 1, 16, 16);
    Edit1 = place(new QLineEdit(this), {16, 32, 65, 17});
    Label3 = placed::label(this, depthUnitSuffix(DesignedDepthUnit), 3, 88, 35);
    Label2 = placed::label(this, QStringLiteral("End Depth"), 2, 120, 16);
    Edit2 = place(new QLineEdit(this), {120, 32, 65, 17});
    Label5 = placed::label(this, depthUnitSuffix(DesignedDepthUnit), 5, 192, 35);
    Label4 = placed::label(this, QStringLiteral("Depth Division:"), 4, 224, 16);
    ComboBox1 = place(new QComboBox(this), {224, 29, 65, 21});
    ComboBox1->addItems({"10", "20", "50", "100", "200"});
    Label6 = placed::label(this, QStringLiteral("Vertical DPI.:"), 6, 328, 16);
    Edit3 = place(new QLineEdit(this), {328, 32, 73, 21});
    CheckBox2 = place(new QCheckBox(QStringLiteral("Header"), this), {32, 72, 65, 17});
    CheckBox2->setChecked(true);
    CheckBox1 = place(new QCheckBox(QStringLiteral("Include Margins"), this), {120, 72, 97, 17});
    Button2 = place(new QPushButton(QStringLiteral("CANCEL"), this), {256, 72, 65, 17});
    Button1 = place(new QPushButton(QStringLiteral("OK"), this), {336, 72, 67, 17});

    QWidget::setTabOrder(CheckBox2, ComboBox1);
    QWidget::setTabOrder(ComboBox1, Edit1);
    QWidget::setTabOrder(Edit1, Edit2);
    QWidget::setTabOrder(Edit2, Button1);
    QWidget::setTabOrder(Button1, Button2);
    QWidget::setTabOrder(Button2, Edit3);
    QWidget::setTabOrder(Edit3, CheckBox1);

    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm8::Button2Click);
}

void TForm8::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window system's own show events (the window mapped again) are no hidden-to-visible
    // transition of the dialog: only show() is.
    if (!event->spontaneous())
        FormShow();
}

void TForm8::FormShow()
{
    ComboBox1->setCurrentIndex(3); // "100"
    Edit3->setText(formatGeneral(m_session.state().params.VerticalDpi, QLocale()));
    // The depths are in the open log's unit.
    const QString unit = depthUnitSuffix(m_session.depthUnit());
    Label3->setText(unit);
    Label3->adjustSize();
    Label5->setText(unit);
    Label5->adjustSize();
    placeOnScreen();
}

void TForm8::placeOnScreen()
{
    // The outer size includes the frame, as far as the window system tells it.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    setFixedSize(OuterSize.shrunkBy(frame));
    if (const QScreen *screen = m_mainWindow->screen())
        move(screen->geometry().center() - QPoint(OuterSize.width(), OuterSize.height()) / 2);
}

void TForm8::Button1Click()
{
    const PrintOptionsCheck check = checkPrintOptions(
        {Edit1->text(), Edit2->text(), Edit3->text()}, m_session.layout().LogStartDepth,
        m_session.layout().LogEndDepth, Label3->text(), QLocale());
    if (check.verticalDpi)
        m_session.setVerticalDpi(*check.verticalDpi);
    if (check.correctedStart)
        Edit1->setText(*check.correctedStart);
    if (check.correctedEnd)
        Edit2->setText(*check.correctedEnd);
    for (const QString &message : check.messages)
        showMessage(this, message);
    if (check.valid) {
        m_mainWindow->setEnabled(true);
        hide();
        emit accepted();
    }
}

void TForm8::Button2Click()
{
    m_mainWindow->setEnabled(true);
    hide();
    m_mainWindow->repaint();
    emit cancelled();
}

void TForm8::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    Button2Click();
}

bool TForm8::printsHeader() const
{
    return CheckBox2->isChecked();
}

} // namespace kivo
