// KIVO Log Viewer
#include "header/headerio.h"
#include "header/inifile.h"
#include "log/logsession.h"
#include "ui/header/tform6.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include <memory>

using namespace kivo;

namespace {

const QDate ResetDay(2024, 3, 5);

QByteArray headerText(const QByteArray &wellInfo)
{
    return "[General]\r\nIdent=WL_EXT\r\n[WellInfo]\r\n" + wellInfo;
}

// The record as the Open command leaves it: reset, then read from the header text.
void readHeader(const QByteArray &wellInfo, uniheader &header)
{
    ResetHeader(header, ResetDay, QLocale::c());
    QCOMPARE(ReadHeader(IniFile::fromBytes(headerText(wellInfo)), header, QLocale::c()),
             HeaderReadStatus::Read);
}

// Runs 1 to 3 with values of their own: run n has RunNo 10 + n, texts ending in n and
// numbers n + a fraction (casing size n.25, bit size n.75 and so on).
QByteArray threeRuns()
{
    QByteArray text;
    for (int n = 1; n <= 3; ++n) {
        const QByteArray d = QByteArray::number(n);
        text += "RunNo" + d + "=" + QByteArray::number(10 + n) + "\r\n";
        text += "DateRun" + d + "=0" + d + "/02/2021\r\n";
        text += "LogType" + d + "=OPTV " + d + "\r\n";
        text += "DepthDriller" + d + "=" + d + "00.5\r\n";
        text += "Witness" + d + "=Witness " + d + "\r\n";
        text += "CasRecSize" + d + "=" + d + ".25\r\n";
        text += "CasRecTo" + d + "=" + d + "0.5\r\n";
        text += "BitRec" + d + "=" + d + ".75\r\n";
        text += "BitRecTo" + d + "=" + d + "00\r\n";
    }
    return text;
}

// Every field the dialog shows, as one text: equal texts mean an unchanged record.
QString shownFields(const uniheader &h)
{
    QStringList parts{h.Project,        h.LogName,   h.Company,  h.Wellname,
                      h.Fieldname,      h.Country,   h.Latitude, h.Longitude,
                      h.PermanentDatum, h.Elevation, h.LogDatum, h.DrillDatum};
    for (double value : {h.KellyBushing, h.DrillFloor, h.GroundLevel})
        parts << QString::number(value, 'g', 17);
    for (const QString &text : h.OtherServices)
        parts << text;
    for (const QString &text : h.Comment)
        parts << text;
    for (const runtype &r : h.Runs) {
        parts << QString::number(r.RunNo) << r.DateRun << r.LogType << r.Fluid << r.Engineer
              << r.Salinity << r.FluidDensity << r.FluidLevel << r.RigTime << r.Witness;
        for (double value :
             {r.DepthDriller, r.DepthLogger, r.Deepest, r.Shallow, r.MaxTemperature, r.CasRecSize,
              r.CasRecWeight, r.CasRecFrom, r.CasRecTo, r.BitRec, r.BitRecFrom, r.BitRecTo})
            parts << QString::number(value, 'g', 17);
    }
    return parts.join(u'|');
}

QStringList memoLines(const QPlainTextEdit *memo)
{
    QStringList lines;
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

} // namespace

class TestTForm6 : public QObject {
    Q_OBJECT

private slots:
    void escapeAndReturnClose_data();
    void escapeAndReturnClose();
    void init();
    void cleanup();

    void windowIsAFixedToolWindow();
    void pagesHoldTheirControls();
    void layoutIsTidy();
    void captionIsViewHeaderOnEveryShow();
    void unitLabelsSayXxxUntilFilled();
    void missingCompanyShowsTarvenix();
    void missingRunDateShowsEmpty();
    void runWithoutKeysShowsZeros();
    void unitLabels_data();
    void unitLabels();
    void runButtonsSwitchBothTabs_data();
    void runButtonsSwitchBothTabs();
    void contentsTakenOnlyWhenShown();
    void typingIsImpossible();
    void okHidesAndLeavesRecordAndFile();
    void firstShowOnRemarksThenLastTab();
    void windows1252TextsShowDecoded();
    void numbersInGeneralFormat_data();
    void numbersInGeneralFormat();
    void remarksFillTheTenLines();

private:
    void showDialog();
    void clickOn(QPushButton *button);
    QList<QLineEdit *> edits() const;

    // Hands the test's header record and depth unit to the session the dialog shows.
    void share();

    std::unique_ptr<ViewerState> m_state;
    std::unique_ptr<LogSession> m_session;
    std::unique_ptr<TForm6> m_form;
};

void TestTForm6::init()
{
    m_state = std::make_unique<ViewerState>();
    ResetHeader(m_state->header, ResetDay, QLocale::c());
    m_session = std::make_unique<LogSession>();
    m_form = std::make_unique<TForm6>(*m_session, QLocale::c());
}

void TestTForm6::cleanup()
{
    m_form.reset();
    m_session.reset();
    m_state.reset();
}

void TestTForm6::share()
{
    LogLayout layout;
    layout.DepthUnit = m_state->params.ViewDepthUnit;
    m_session->adoptHeader(m_state->header, layout);
}

void TestTForm6::showDialog()
{
    share();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

// Clicks a run button the way a user does: on its own tab.
void TestTForm6::clickOn(QPushButton *button)
{
    m_form->PageControl1->setCurrentWidget(button->parentWidget()->parentWidget());
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

QList<QLineEdit *> TestTForm6::edits() const
{
    QList<QLineEdit *> result;
    for (int i = 1; i <= 43; ++i)
        result << m_form->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(i));
    return result;
}

void TestTForm6::windowIsAFixedToolWindow()
{
    QCOMPARE(m_form->size(), QSize(471, 368));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    const Qt::WindowFlags flags = m_form->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinMaxButtonsHint));
    QVERIFY(!m_form->parentWidget());
    QVERIFY(!m_form->isVisible());

    // It never blocks the main window.
    QWidget mainWindow;
    mainWindow.show();
    showDialog();
    QCOMPARE(m_form->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(mainWindow.isEnabled());
}

void TestTForm6::pagesHoldTheirControls()
{
    QTabWidget *pages = m_form->PageControl1;
    QCOMPARE(pages->geometry(), QRect(8, 8, 457, 329));
    const QStringList captions{"Client / Location", "Log Datum", "Logging Run",
                               "Drill Bit Size / Casing", "Remarks"};
    const QList<QWidget *> sheets{m_form->TabSheet1, m_form->TabSheet2, m_form->TabSheet3,
                                  m_form->TabSheet4, m_form->TabSheet5};
    QCOMPARE(pages->count(), 5);
    QImage firstPicture;
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(pages->tabText(i), captions[i]);
        QCOMPARE(pages->widget(i), sheets[i]);
        auto *picture = sheets[i]->findChild<QLabel *>(QStringLiteral("Image%1").arg(i + 1));
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), QRect(288, 8, 150, 136));
        const QImage image = picture->pixmap().toImage();
        QCOMPARE(image.size(), QSize(150, 136));
        if (i == 0)
            firstPicture = image;
        QCOMPARE(image, firstPicture);
    }

    // Each edit box on its tab, in the order of its fields.
    const int firstEdit[] = {1, 14, 21, 36, 44};
    for (int i = 0; i < 4; ++i) {
        for (int n = firstEdit[i]; n < firstEdit[i + 1]; ++n) {
            auto *edit = sheets[i]->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n));
            QVERIFY2(edit, qPrintable(QStringLiteral("Edit%1").arg(n)));
        }
    }
    QCOMPARE(m_form->Edit9->parentWidget(), m_form->GroupBox1);
    for (QLineEdit *service : {m_form->Edit10, m_form->Edit11, m_form->Edit12, m_form->Edit13})
        QVERIFY(service->x() > m_form->Edit9->x());
    QCOMPARE(m_form->GroupBox1->title(), QStringLiteral("Other Services:"));
    QCOMPARE(m_form->GroupBox2->title(), QStringLiteral("Select Run"));
    QCOMPARE(m_form->GroupBox3->title(), QStringLiteral("Select Run"));
    QCOMPARE(m_form->GroupBox4->title(), QStringLiteral("Casing Record"));
    QCOMPARE(m_form->GroupBox5->title(), QStringLiteral("Bit Record"));
    QCOMPARE(m_form->Edit21->parentWidget(), m_form->GroupBox2);
    QCOMPARE(m_form->Edit36->parentWidget(), m_form->GroupBox3);
    QCOMPARE(m_form->Edit40->parentWidget(), m_form->GroupBox4);
    QCOMPARE(m_form->Edit43->parentWidget(), m_form->GroupBox5);
    QVERIFY(m_form->GroupBox4->x() < m_form->GroupBox5->x());
    const QList<QPushButton *> runButtons{m_form->Button4, m_form->Button5, m_form->Button6,
                                          m_form->Button7, m_form->Button8, m_form->Button9};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(runButtons[i]->text(), QStringLiteral("Run %1").arg(i % 3 + 1));

    QCOMPARE(m_form->Memo1->parentWidget(), m_form->TabSheet5);
    QCOMPARE(m_form->Memo1->geometry(), QRect(8, 168, 433, 121));
    QCOMPARE(m_form->Button1->text(), QStringLiteral("Ok"));
    QCOMPARE(m_form->Button1->geometry(), QRect(376, 344, 81, 17));

    // The captions of the edit boxes, as the user reads them.
    QStringList shown;
    for (QLabel *label : m_form->findChildren<QLabel *>()) {
        if (label->buddy())
            shown << label->text();
    }
    for (const char *caption : {"Project Heading:",
                                "Main Log Title:",
                                "Company:",
                                "Well:",
                                "Field:",
                                "Country:",
                                "Latitude:",
                                "Longitude:",
                                "Permanent datum:",
                                "Elevation:",
                                "Log Datum:",
                                "Drilling Datum:",
                                "Kelly Bushing Elev.:",
                                "Drill Floor:",
                                "Ground Level:",
                                "Date:",
                                "Type of Log:",
                                "Depth Driller:",
                                "Depth Logger:",
                                "Log Deepest:",
                                "Log Shallow:",
                                "Fluid in Hole:",
                                "Log Engineer:",
                                "Salinity:",
                                "Density:",
                                "Level:",
                                "Max. Temp.:",
                                "Rig Time:",
                                "Witnessed by:",
                                "Size:",
                                "Weight:",
                                "Bit:"})
        QVERIFY2(shown.contains(QString::fromLatin1(caption)), caption);
    QCOMPARE(shown.count(QStringLiteral("Run No.:")), 2);
    QCOMPARE(shown.count(QStringLiteral("From:")), 2);
    QCOMPARE(shown.count(QStringLiteral("To:")), 2);
}

// Every control lies inside its tab or group, no two overlap, and no caption is cut.
void TestTForm6::layoutIsTidy()
{
    showDialog();
    QList<QWidget *> containers{m_form->TabSheet1, m_form->TabSheet2, m_form->TabSheet3,
                                m_form->TabSheet4, m_form->TabSheet5};
    for (QGroupBox *group : m_form->findChildren<QGroupBox *>())
        containers << group;
    for (QWidget *container : containers) {
        const QList<QWidget *> children =
            container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QRect inside = container->rect();
        if (auto *group = qobject_cast<QGroupBox *>(container))
            inside.setTop(group->fontMetrics().height());
        for (int i = 0; i < children.size(); ++i) {
            const QString name = children[i]->objectName() + " in " + container->objectName();
            QVERIFY2(inside.contains(children[i]->geometry()), qPrintable(name));
            for (int j = i + 1; j < children.size(); ++j) {
                QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                         qPrintable(name + " and " + children[j]->objectName()));
            }
        }
    }
    for (QLabel *label : m_form->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    }
    for (QGroupBox *group : m_form->findChildren<QGroupBox *>())
        QVERIFY(group->fontMetrics().horizontalAdvance(group->title()) + 16 <= group->width());
    for (QPushButton *button : m_form->findChildren<QPushButton *>()) {
        const QFontMetrics metrics = button->fontMetrics();
        QVERIFY(metrics.horizontalAdvance(button->text()) + 8 <= button->width());
        QVERIFY(metrics.height() <= button->height());
    }
    // All five tabs fit the bar: none is cut or scrolled away.
    const QTabBar *bar = m_form->PageControl1->tabBar();
    QVERIFY(bar->tabRect(4).right() < m_form->PageControl1->width());
}

void TestTForm6::captionIsViewHeaderOnEveryShow()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Edit Header"));
    showDialog();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("View Header"));
    m_form->hide();
    m_form->setWindowTitle(QStringLiteral("Edit Header"));
    showDialog();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("View Header"));
}

void TestTForm6::unitLabelsSayXxxUntilFilled()
{
    for (int n : {25, 26, 27, 28, 43, 44, 45, 46, 47, 48, 49}) {
        auto *label = m_form->findChild<QLabel *>(QStringLiteral("Label%1").arg(n));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("xxx"));
    }
}

void TestTForm6::missingCompanyShowsTarvenix()
{
    readHeader("Wellname=BH-7\r\n", m_state->header);
    showDialog();
    QCOMPARE(m_form->Edit3->text(), QStringLiteral("TARVENIX"));
    QCOMPARE(m_form->Edit4->text(), QStringLiteral("BH-7"));
}

void TestTForm6::missingRunDateShowsEmpty()
{
    readHeader("DateRun1=01/02/2021\r\nDateRun3=03/02/2021\r\n", m_state->header);
    showDialog();
    QCOMPARE(m_form->Edit22->text(), QStringLiteral("01/02/2021"));
    clickOn(m_form->Button5);
    QCOMPARE(m_form->Edit22->text(), QString());
    clickOn(m_form->Button6);
    QCOMPARE(m_form->Edit22->text(), QStringLiteral("03/02/2021"));
}

void TestTForm6::runWithoutKeysShowsZeros()
{
    readHeader("RunNo1=4\r\nDepthDriller1=12.5\r\nBitRec1=6.5\r\n", m_state->header);
    showDialog();
    QCOMPARE(m_form->Edit21->text(), QStringLiteral("4"));
    QCOMPARE(m_form->Edit24->text(), QStringLiteral("12.5"));
    clickOn(m_form->Button9);
    const QList<QLineEdit *> numbers{m_form->Edit21, m_form->Edit24, m_form->Edit25, m_form->Edit26,
                                     m_form->Edit27, m_form->Edit33, m_form->Edit36, m_form->Edit37,
                                     m_form->Edit38, m_form->Edit39, m_form->Edit40, m_form->Edit41,
                                     m_form->Edit42, m_form->Edit43};
    for (QLineEdit *edit : numbers)
        QCOMPARE(edit->text(), QStringLiteral("0"));
    for (QLineEdit *edit : {m_form->Edit22, m_form->Edit23, m_form->Edit28, m_form->Edit35})
        QCOMPARE(edit->text(), QString());
}

void TestTForm6::unitLabels_data()
{
    QTest::addColumn<int>("viewDepthUnit");
    QTest::addColumn<QString>("depthUnit");
    QTest::addColumn<QString>("sizeUnit");
    QTest::addColumn<QString>("weightUnit");
    QTest::newRow("metric") << 0 << "m"
                            << "mm"
                            << "kg/m";
    QTest::newRow("feet") << 1 << "ft"
                          << "\""
                          << "lb/ft";
    QTest::newRow("any other value") << 7 << "ft"
                                     << "\""
                                     << "lb/ft";
    QTest::newRow("negative") << -1 << "ft"
                              << "\""
                              << "lb/ft";
}

void TestTForm6::unitLabels()
{
    QFETCH(int, viewDepthUnit);
    QFETCH(QString, depthUnit);
    QFETCH(QString, sizeUnit);
    QFETCH(QString, weightUnit);
    m_state->params.ViewDepthUnit = viewDepthUnit;
    // The record's own depth unit says the opposite: the viewer's copy rules.
    m_state->header.DepthUnit = viewDepthUnit == 0 ? 1 : 0;
    showDialog();
    // Depths (logger, driller, casing and bit intervals) in the depth unit, sizes as sizes and
    // the casing weight per length.
    for (QLabel *label : {m_form->Label25, m_form->Label26, m_form->Label27, m_form->Label28,
                          m_form->Label45, m_form->Label46, m_form->Label48, m_form->Label49})
        QCOMPARE(label->text(), depthUnit);
    for (QLabel *label : {m_form->Label43, m_form->Label47})
        QCOMPARE(label->text(), sizeUnit);
    QCOMPARE(m_form->Label44->text(), weightUnit);
}

void TestTForm6::runButtonsSwitchBothTabs_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("run");
    for (int button = 4; button <= 9; ++button) {
        const int run = (button - 4) % 3 + 1;
        QTest::addRow("Button%d", button) << button << run;
    }
}

void TestTForm6::runButtonsSwitchBothTabs()
{
    QFETCH(int, button);
    QFETCH(int, run);
    readHeader(threeRuns(), m_state->header);
    showDialog();
    // Start from another run than the one chosen.
    clickOn(run == 1 ? m_form->Button6 : m_form->Button4);
    clickOn(m_form->findChild<QPushButton *>(QStringLiteral("Button%1").arg(button)));

    // The other tab shows the same run.
    QWidget *otherTab = button <= 6 ? m_form->TabSheet4 : m_form->TabSheet3;
    m_form->PageControl1->setCurrentWidget(otherTab);
    const QString d = QString::number(run);
    QCOMPARE(m_form->Edit21->text(), QString::number(10 + run));
    QCOMPARE(m_form->Edit22->text(), "0" + d + "/02/2021");
    QCOMPARE(m_form->Edit23->text(), "OPTV " + d);
    QCOMPARE(m_form->Edit24->text(), d + "00.5");
    QCOMPARE(m_form->Edit35->text(), "Witness " + d);
    QCOMPARE(m_form->Edit36->text(), QString::number(10 + run));
    QCOMPARE(m_form->Edit37->text(), d + ".25");
    QCOMPARE(m_form->Edit40->text(), d + "0.5");
    QCOMPARE(m_form->Edit41->text(), d + ".75");
    QCOMPARE(m_form->Edit43->text(), d + "00");
}

void TestTForm6::contentsTakenOnlyWhenShown()
{
    readHeader("Company=First Ltd\r\n" + threeRuns() + "Comment1=first log\r\n", m_state->header);
    showDialog();
    clickOn(m_form->Button5);

    // A second log opened while the dialog stays visible.
    readHeader("Company=Second Ltd\r\nRunNo2=99\r\nComment1=second log\r\n", m_state->header);
    m_state->params.ViewDepthUnit = 1;
    share();
    m_form->show();
    QCOMPARE(m_form->Edit3->text(), QStringLiteral("First Ltd"));
    QCOMPARE(m_form->Edit21->text(), QStringLiteral("12"));
    QCOMPARE(m_form->Label25->text(), QStringLiteral("m"));
    QCOMPARE(memoLines(m_form->Memo1).first(), QStringLiteral("first log"));
    // The run buttons show the runs of the first log too.
    clickOn(m_form->Button6);
    QCOMPARE(m_form->Edit21->text(), QStringLiteral("13"));
    clickOn(m_form->Button8);
    QCOMPARE(m_form->Edit36->text(), QStringLiteral("12"));

    m_form->hide();
    showDialog();
    QCOMPARE(m_form->Edit3->text(), QStringLiteral("Second Ltd"));
    QCOMPARE(m_form->Edit21->text(), QStringLiteral("0")); // run 1 again
    clickOn(m_form->Button5);
    QCOMPARE(m_form->Edit21->text(), QStringLiteral("99"));
    QCOMPARE(m_form->Label25->text(), QStringLiteral("ft"));
    QCOMPARE(memoLines(m_form->Memo1).first(), QStringLiteral("second log"));
}

void TestTForm6::typingIsImpossible()
{
    QByteArray text = threeRuns() + "Company=Acme\r\nKellyBushing=3.5\r\n";
    for (int i = 1; i <= 10; ++i)
        text += "Comment" + QByteArray::number(i) + "=line " + QByteArray::number(i) + "\r\n";
    readHeader(text, m_state->header);
    // Whatever made a box writable before, showing makes it read-only again.
    m_form->Edit5->setReadOnly(false);
    m_form->Memo1->setReadOnly(false);
    showDialog();

    for (QLineEdit *edit : edits()) {
        m_form->PageControl1->setCurrentWidget(edit->parentWidget()->inherits("QGroupBox")
                                                   ? edit->parentWidget()->parentWidget()
                                                   : edit->parentWidget());
        QVERIFY2(edit->isReadOnly(), qPrintable(edit->objectName()));
        const QString before = edit->text();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("typed"));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), before);
    }
    m_form->PageControl1->setCurrentWidget(m_form->TabSheet5);
    QVERIFY(m_form->Memo1->isReadOnly());
    const QString before = m_form->Memo1->toPlainText();
    m_form->Memo1->setFocus();
    QTest::keyClicks(m_form->Memo1, QStringLiteral("typed"));
    QTest::keyClick(m_form->Memo1, Qt::Key_Return);
    QTest::keyClick(m_form->Memo1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_form->Memo1, Qt::Key_Delete);
    QCOMPARE(m_form->Memo1->toPlainText(), before);
}

void TestTForm6::okHidesAndLeavesRecordAndFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("HOLE7.HED"));
    const QByteArray bytes = headerText(threeRuns() + "Company=Acme\r\nComment2=note\r\n");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    ResetHeader(m_state->header, ResetDay, QLocale::c());
    ReadHeader(path, m_state->header, QLocale::c());
    const QString record = shownFields(m_state->header);

    showDialog();
    clickOn(m_form->Button6);
    QTest::keyClicks(m_form->Edit3, QStringLiteral("changed"));
    QTest::mouseClick(m_form->Button1, Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(shownFields(m_state->header), record);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TestTForm6::firstShowOnRemarksThenLastTab()
{
    showDialog();
    QCOMPARE(m_form->PageControl1->currentWidget(), m_form->TabSheet5);
    m_form->PageControl1->setCurrentWidget(m_form->TabSheet2);
    QTest::mouseClick(m_form->Button1, Qt::LeftButton);
    showDialog();
    QCOMPARE(m_form->PageControl1->currentWidget(), m_form->TabSheet2);
}

void TestTForm6::windows1252TextsShowDecoded()
{
    readHeader("Latitude=51\xB0 30' N\r\nCompany=Fa\xE7ons \x80 Cie\r\nComment1=cost \x80"
               "5\r\n",
               m_state->header);
    showDialog();
    QCOMPARE(m_form->Edit7->text(), QStringLiteral("51\u00B0 30' N"));
    QCOMPARE(m_form->Edit3->text(), QStringLiteral("Fa\u00E7ons \u20AC Cie"));
    QCOMPARE(memoLines(m_form->Memo1).first(), QStringLiteral("cost \u20AC5"));
}

void TestTForm6::numbersInGeneralFormat_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("zero") << c << 0.0 << "0";
    QTest::newRow("twelve and a half") << c << 12.5 << "12.5";
    QTest::newRow("twelve and a half, comma") << german << 12.5 << "12,5";
    QTest::newRow("whole") << german << 1500.0 << "1500";
    QTest::newRow("negative fraction, comma") << german << -0.25 << "-0,25";
    QTest::newRow("fifteen digits") << c << 123456789.012345 << "123456789.012345";
    QTest::newRow("sixteen integer digits") << c << 1e15 << "1E+15";
    QTest::newRow("tiny, comma") << german << 1.5e-6 << "1,5E-6";
}

void TestTForm6::numbersInGeneralFormat()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, shown);
    TForm6 form(*m_session, locale);
    m_state->header.KellyBushing = value;
    m_state->header.Runs[1].DepthLogger = value;
    m_state->header.Runs[1].CasRecWeight = value;
    share();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.Edit18->text(), shown);
    QCOMPARE(form.Edit25->text(), shown);
    QCOMPARE(form.Edit38->text(), shown);
}

void TestTForm6::remarksFillTheTenLines()
{
    QCOMPARE(memoLines(m_form->Memo1), QStringList(10, QString()));
    QByteArray text;
    QStringList expected;
    for (int i = 1; i <= 10; ++i) {
        // Line 4 is missing; the others are long enough to pass the box's 800 characters
        // together: every remark is shown in full.
        const QByteArray line =
            i == 4 ? QByteArray()
                   : "remark " + QByteArray::number(i) + " " + QByteArray(90, char('a' + i));
        if (!line.isEmpty())
            text += "Comment" + QByteArray::number(i) + "=" + line + "\r\n";
        expected << QString::fromLatin1(line);
    }
    readHeader(text, m_state->header);
    showDialog();
    QCOMPARE(memoLines(m_form->Memo1), expected);
}

void TestTForm6::escapeAndReturnClose_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
}

void TestTForm6::escapeAndReturnClose()
{
    QFETCH(int, key);
    showDialog();
    QVERIFY(QTest::qWaitFor([&] {
        m_form->activateWindow();
        return m_form->isActiveWindow();
    }));
    QTest::keyClick(m_form.get(), Qt::Key(key));
    QVERIFY(!m_form->isVisible());
}

QTEST_MAIN(TestTForm6)
#include "tst_tform6.moc"
