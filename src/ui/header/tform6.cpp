// KIVO Log Viewer
#include "ui/header/tform6.h"

#include "header/numberformat.h"
#include "log/loglayout.h"
#include "log/logsession.h"
#include "ui/common/dialogwindow.h"
#include "ui/common/placedcontrols.h"
#include "ui/header/wellpicture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>

namespace kivo {

using placed::captionedEdit;
using placed::RowHeight;

namespace {

// The picture at the top right of every tab; the fields to its left end at PictureLeft - 8,
// those below it start at PictureBottom.
constexpr int PictureLeft = 288;
constexpr int PictureTop = 8;
constexpr int PictureBottom = 152;
constexpr int PageRight = 441; // the right edge of the Remarks box
constexpr int RemarksTab = 4;

// Tabs with less space beside their captions, so that all five fit the page control's width.
class NarrowTabs : public QProxyStyle {
public:
    explicit NarrowTabs(QObject *parent) { setParent(parent); }

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 12;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// A "Select Run" group: the three run buttons side by side, "Run No.:" under them.
struct RunSelector {
    QGroupBox *group;
    QPushButton *buttons[3];
    QLineEdit *runNo;
};

RunSelector runSelector(QWidget *page, int groupNumber, int firstButton, int runNoEdit)
{
    RunSelector selector;
    selector.group =
        placed::groupBox(page, QStringLiteral("Select Run"), groupNumber, 8, 4, 272, 80);
    for (int i = 0; i < 3; ++i)
        selector.buttons[i] = placed::button(selector.group, QStringLiteral("Run %1").arg(i + 1),
                                             firstButton + i, 12 + 86 * i, 20, 76, 23);
    selector.runNo =
        captionedEdit(selector.group, QStringLiteral("Run No.:"), runNoEdit, 12, 50, 60, 74);
    return selector;
}

// Long texts show their beginning, as a reader expects.
void showText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

QString runNumber(const runtype &run)
{
    return QString::number(run.RunNo);
}

} // namespace

TForm6::TForm6(const LogSession &session, const QLocale &locale)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_session(session)
    , m_locale(locale)
{
    setWindowTitle(QStringLiteral("Edit Header"));
    setFixedSize(471, 368);
    setFont(dialogFont());

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 457, 329);
    PageControl1->tabBar()->setStyle(new NarrowTabs(PageControl1));
    m_picture = wellPicture();
    buildClientTab();
    buildDatumTab();
    buildRunTab();
    buildBitCasingTab();
    buildRemarksTab();
    PageControl1->setCurrentIndex(RemarksTab);

    Button1 = placed::button(this, QStringLiteral("Ok"), 1, 376, 344, 81, 17);
    connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    // Esc and Return close the dialog as its Ok button does.
    for (const QKeySequence &key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &TForm6::Button1Click);
    // Left open while one log is closed and another opened, the dialog shows the new one.
    connect(&session, &LogSession::logOpened, this, [this] {
        if (isVisible())
            FormShow();
    });

    centreOnScreen(*this);
}

QWidget *TForm6::addTab(const QString &caption)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet%1").arg(PageControl1->count() + 1));
    PageControl1->addTab(page, caption);
    auto *picture = new QLabel(page);
    picture->setObjectName(QStringLiteral("Image%1").arg(PageControl1->count()));
    picture->setPixmap(m_picture);
    picture->setGeometry(PictureLeft, PictureTop, 150, 136);
    return page;
}

void TForm6::buildClientTab()
{
    TabSheet1 = addTab(QStringLiteral("Client / Location"));
    QWidget *page = TabSheet1;
    const int x = 8, captionWidth = 96, width = PictureLeft - 8 - x - captionWidth;
    auto row = [&](const char *caption, int number, int y) {
        return captionedEdit(page, QString::fromLatin1(caption), number, x, y, captionWidth, width);
    };
    Edit1 = row("Project Heading:", 1, 8);
    Edit2 = row("Main Log Title:", 2, 8 + RowHeight);
    Edit3 = row("Company:", 3, 8 + 2 * RowHeight);
    Edit4 = row("Well:", 4, 8 + 3 * RowHeight);
    Edit5 = row("Field:", 5, 8 + 4 * RowHeight);
    Edit6 = row("Country:", 6, 8 + 5 * RowHeight);
    Edit7 = row("Latitude:", 7, PictureBottom);
    Edit8 = row("Longitude:", 8, PictureBottom + RowHeight);

    GroupBox1 = placed::groupBox(page, QStringLiteral("Other Services:"), 1, 8,
                                 PictureBottom + 2 * RowHeight + 6, PageRight - 8, 52);
    QLineEdit **services[] = {&Edit9, &Edit10, &Edit11, &Edit12, &Edit13};
    const int gap = 6, serviceWidth = (GroupBox1->width() - 16 - 4 * gap) / 5;
    for (int i = 0; i < 5; ++i) {
        *services[i] =
            placed::edit(GroupBox1, 9 + i, 8 + i * (serviceWidth + gap), 22, serviceWidth);
    }
}

void TForm6::buildDatumTab()
{
    TabSheet2 = addTab(QStringLiteral("Log Datum"));
    QWidget *page = TabSheet2;
    const int x = 8, captionWidth = 116, width = PictureLeft - 8 - x - captionWidth;
    QLineEdit **edits[] = {&Edit14, &Edit15, &Edit16, &Edit17, &Edit18, &Edit19, &Edit20};
    const char *captions[] = {
        "Permanent datum:",     "Elevation:",   "Log Datum:",   "Drilling Datum:",
        "Kelly Bushing Elev.:", "Drill Floor:", "Ground Level:"};
    for (int i = 0; i < 7; ++i) {
        *edits[i] = captionedEdit(page, QString::fromLatin1(captions[i]), 14 + i, x,
                                  8 + i * RowHeight, captionWidth, width);
    }
}

void TForm6::buildRunTab()
{
    TabSheet3 = addTab(QStringLiteral("Logging Run"));
    QWidget *page = TabSheet3;
    const RunSelector selector = runSelector(page, 2, 4, 21);
    GroupBox2 = selector.group;
    Button4 = selector.buttons[0];
    Button5 = selector.buttons[1];
    Button6 = selector.buttons[2];
    Edit21 = selector.runNo;
    connect(Button4, &QPushButton::clicked, this, &TForm6::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm6::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm6::Button6Click);

    // Left of the picture and under the group: date, log type, the four depths (with their
    // units), fluid and engineer; under the picture, on the same rows: the fluid's properties,
    // rig time, witness.
    const int top = PictureBottom - 2 * RowHeight, captionWidth = 84, width = 160,
              unitX = 8 + captionWidth + width + 4;
    auto left = [&](const char *caption, int number, int row) {
        return captionedEdit(page, QString::fromLatin1(caption), number, 8, top + row * RowHeight,
                             captionWidth, width);
    };
    Edit22 = left("Date:", 22, 0);
    Edit23 = left("Type of Log:", 23, 1);
    Edit24 = left("Depth Driller:", 24, 2);
    Edit25 = left("Depth Logger:", 25, 3);
    Edit26 = left("Log Deepest:", 26, 4);
    Edit27 = left("Log Shallow:", 27, 5);
    Edit28 = left("Fluid in Hole:", 28, 6);
    Edit29 = left("Log Engineer:", 29, 7);
    Label25 = placed::unitLabel(page, 25, unitX, top + 2 * RowHeight);
    Label26 = placed::unitLabel(page, 26, unitX, top + 3 * RowHeight);
    Label27 = placed::unitLabel(page, 27, unitX, top + 4 * RowHeight);
    Label28 = placed::unitLabel(page, 28, unitX, top + 5 * RowHeight);

    const int rightCaption = 76, rightWidth = PageRight - PictureLeft - rightCaption;
    auto right = [&](const char *caption, int number, int row) {
        return captionedEdit(page, QString::fromLatin1(caption), number, PictureLeft,
                             PictureBottom + row * RowHeight, rightCaption, rightWidth);
    };
    Edit30 = right("Salinity:", 30, 0);
    Edit31 = right("Density:", 31, 1);
    Edit32 = right("Level:", 32, 2);
    Edit33 = right("Max. Temp.:", 33, 3);
    Edit34 = right("Rig Time:", 34, 4);
    Edit35 = right("Witnessed by:", 35, 5);
}

void TForm6::buildBitCasingTab()
{
    TabSheet4 = addTab(QStringLiteral("Drill Bit Size / Casing"));
    QWidget *page = TabSheet4;
    const RunSelector selector = runSelector(page, 3, 7, 36);
    GroupBox3 = selector.group;
    Button7 = selector.buttons[0];
    Button8 = selector.buttons[1];
    Button9 = selector.buttons[2];
    Edit36 = selector.runNo;
    connect(Button7, &QPushButton::clicked, this, &TForm6::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TForm6::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &TForm6::Button9Click);

    // The two record groups side by side under the picture, one row per value.
    const int groupWidth = (PageRight - 8 - 8) / 2, captionWidth = 52;
    const int width = groupWidth - 8 - captionWidth - 4 - 24 - 8;
    auto row = [&](QGroupBox *group, const char *caption, int number, int unit, int rowIndex,
                   QLabel *&unitLabel) {
        const int y = 22 + rowIndex * RowHeight;
        QLineEdit *edit =
            captionedEdit(group, QString::fromLatin1(caption), number, 8, y, captionWidth, width);
        unitLabel = placed::unitLabel(group, unit, 8 + captionWidth + width + 4, y);
        return edit;
    };
    GroupBox4 = placed::groupBox(page, QStringLiteral("Casing Record"), 4, 8, PictureBottom,
                                 groupWidth, 22 + 4 * RowHeight + 6);
    Edit37 = row(GroupBox4, "Size:", 37, 43, 0, Label43);
    Edit38 = row(GroupBox4, "Weight:", 38, 44, 1, Label44);
    Edit39 = row(GroupBox4, "From:", 39, 45, 2, Label45);
    Edit40 = row(GroupBox4, "To:", 40, 46, 3, Label46);
    GroupBox5 = placed::groupBox(page, QStringLiteral("Bit Record"), 5, 8 + groupWidth + 8,
                                 PictureBottom, groupWidth, 22 + 3 * RowHeight + 6);
    Edit41 = row(GroupBox5, "Bit:", 41, 47, 0, Label47);
    Edit42 = row(GroupBox5, "From:", 42, 48, 1, Label48);
    Edit43 = row(GroupBox5, "To:", 43, 49, 2, Label49);
}

void TForm6::buildRemarksTab()
{
    TabSheet5 = addTab(QStringLiteral("Remarks"));
    placed::caption(TabSheet5, QStringLiteral("Remarks:"), 8, 168 - placed::EditHeight, 120);
    // The box's 800-character limit only ever limited typing, and the box is read-only: filling
    // it with the ten remarks is not limited, so long remarks show in full and no limit is set.
    Memo1 = new QPlainTextEdit(TabSheet5);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 168, 433, 121);
    Memo1->setPlainText(QStringList(10, QString()).join(u'\n'));
}

void TForm6::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window system's own show events (the window mapped again) are no hidden-to-visible
    // transition of the dialog: only show() is.
    if (!event->spontaneous())
        FormShow();
}

void TForm6::FormShow()
{
    setWindowTitle(QStringLiteral("View Header"));
    // Every QLineEdit of the dialog is one of Edit1 to Edit43.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->setReadOnly(true);
    Memo1->setReadOnly(true);
    FillHeaderDialog(1);
}

QString TForm6::number(double value) const
{
    return formatGeneral(value, m_locale);
}

void TForm6::FillHeaderDialog(int run)
{
    const uniheader &header = m_session.header();
    showText(Edit1, header.Project);
    showText(Edit2, header.LogName);
    showText(Edit3, header.Company);
    showText(Edit4, header.Wellname);
    showText(Edit5, header.Fieldname);
    showText(Edit6, header.Country);
    showText(Edit7, header.Latitude);
    showText(Edit8, header.Longitude);
    QLineEdit *services[] = {Edit9, Edit10, Edit11, Edit12, Edit13};
    for (int i = 1; i <= 5; ++i)
        showText(services[i - 1], header.OtherServices[i]);
    showText(Edit14, header.PermanentDatum);
    showText(Edit15, header.Elevation);
    showText(Edit16, header.LogDatum);
    showText(Edit17, header.DrillDatum);
    showText(Edit18, number(header.KellyBushing));
    showText(Edit19, number(header.DrillFloor));
    showText(Edit20, number(header.GroundLevel));

    DialogRuns = header.Runs;
    ShowRun(run);

    // Each field by what it is: depths in the depth unit, the casing and bit sizes in
    // millimetres or inches, the casing's weight per length.
    const bool metric = m_session.depthUnit() == 0;
    const QString depthUnit = depthUnitSuffix(m_session.depthUnit());
    for (QLabel *label : {Label25, Label26, Label27, Label28, Label45, Label46, Label48, Label49})
        label->setText(depthUnit);
    for (QLabel *label : {Label43, Label47})
        label->setText(metric ? QStringLiteral("mm") : QStringLiteral("\""));
    Label44->setText(metric ? QStringLiteral("kg/m") : QStringLiteral("lb/ft"));

    QStringList remarks;
    for (const QString &line : header.Comment)
        remarks << line;
    Memo1->setPlainText(remarks.join(u'\n'));
}

void TForm6::ShowRun(int run)
{
    const runtype &shown = DialogRuns[run];
    showText(Edit21, runNumber(shown));
    showText(Edit22, shown.DateRun);
    showText(Edit23, shown.LogType);
    showText(Edit24, number(shown.DepthDriller));
    showText(Edit25, number(shown.DepthLogger));
    showText(Edit26, number(shown.Deepest));
    showText(Edit27, number(shown.Shallow));
    showText(Edit28, shown.Fluid);
    showText(Edit29, shown.Engineer);
    showText(Edit30, shown.Salinity);
    showText(Edit31, shown.FluidDensity);
    showText(Edit32, shown.FluidLevel);
    showText(Edit33, number(shown.MaxTemperature));
    showText(Edit34, shown.RigTime);
    showText(Edit35, shown.Witness);

    showText(Edit36, runNumber(shown));
    showText(Edit37, number(shown.CasRecSize));
    showText(Edit38, number(shown.CasRecWeight));
    showText(Edit39, number(shown.CasRecFrom));
    showText(Edit40, number(shown.CasRecTo));
    showText(Edit41, number(shown.BitRec));
    showText(Edit42, number(shown.BitRecFrom));
    showText(Edit43, number(shown.BitRecTo));
}

void TForm6::Button1Click()
{
    hide();
}

} // namespace kivo
