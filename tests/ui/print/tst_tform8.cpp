// KIVO Log Viewer
#include "log/logsession.h"
#include "ui/print/tform8.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

using namespace kivo;

namespace {

// Presses OK on every message box that comes up while it lives, keeping their texts in order.
class MessageRecorder {
public:
    MessageRecorder()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && box->isVisible()) {
                texts << box->text();
                box->accept();
            }
        });
        m_timer.start();
    }

    QStringList texts;

private:
    QTimer m_timer;
};

QString rangeMessage(const char *which, const QString &range)
{
    return QString::fromLatin1(which) + QStringLiteral(" depth out of range! (Range: ") + range +
           QLatin1Char(')');
}

const QString CrossOver = QStringLiteral("Corrected for \"cross-over\" in depth range");

} // namespace

class TestTForm8 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAndControls_data();
    void windowAndControls();
    void sizeAndPlace();
    void tabOrder();
    void startsWithHeaderTicked();
    void formShowResetsDivisionAndShowsDpi();
    void unitLabelsFollowTheLog_data();
    void unitLabelsFollowTheLog();
    void ok_data();
    void ok();
    void crossOverIsConfirmedWithASecondOk();
    void cancelStoresNothing();

private:
    void showDialog();
    // Hands the test's layout and resolution to the session the dialog shows.
    void share();

    std::unique_ptr<ViewerState> m_state;
    std::unique_ptr<LogSession> m_session;
    std::unique_ptr<QWidget> m_main;
    std::unique_ptr<TForm8> m_form;
};

void TestTForm8::init()
{
    m_state = std::make_unique<ViewerState>();
    m_session = std::make_unique<LogSession>();
    m_main = std::make_unique<QWidget>();
    m_main->resize(300, 200);
    m_main->show();
    m_form = std::make_unique<TForm8>(*m_session, m_main.get());
}

void TestTForm8::cleanup()
{
    m_form.reset();
    m_main.reset();
    m_session.reset();
    m_state.reset();
}

void TestTForm8::share()
{
    m_session->adoptHeader(m_state->header, m_state->layout);
    m_session->setVerticalDpi(m_state->params.VerticalDpi);
}

// As a command would show it: the main window waits while the dialog is open.
void TestTForm8::showDialog()
{
    m_main->setEnabled(false);
    share();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestTForm8::windowAndControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry"); // labels: only the position counts
    QTest::newRow("Label1") << "Label1"
                            << "Start Depth" << QRect(16, 16, 0, 0);
    QTest::newRow("Edit1") << "Edit1"
                           << "" << QRect(16, 32, 65, 17);
    QTest::newRow("Label3") << "Label3"
                            << "ft" << QRect(88, 35, 0, 0);
    QTest::newRow("Label2") << "Label2"
                            << "End Depth" << QRect(120, 16, 0, 0);
    QTest::newRow("Edit2") << "Edit2"
                           << "" << QRect(120, 32, 65, 17);
    QTest::newRow("Label5") << "Label5"
                            << "ft" << QRect(192, 35, 0, 0);
    QTest::newRow("Label4") << "Label4"
                            << "Depth Division:" << QRect(224, 16, 0, 0);
    QTest::newRow("ComboBox1") << "ComboBox1"
                               << "" << QRect(224, 29, 65, 21);
    QTest::newRow("Label6") << "Label6"
                            << "Vertical DPI.:" << QRect(328, 16, 0, 0);
    QTest::newRow("Edit3") << "Edit3"
                           << "" << QRect(328, 32, 73, 21);
    QTest::newRow("CheckBox2") << "CheckBox2"
                               << "Header" << QRect(32, 72, 65, 17);
    QTest::newRow("CheckBox1") << "CheckBox1"
                               << "Include Margins" << QRect(120, 72, 97, 17);
    QTest::newRow("Button2") << "Button2"
                             << "CANCEL" << QRect(256, 72, 65, 17);
    QTest::newRow("Button1") << "Button1"
                             << "OK" << QRect(336, 72, 67, 17);
}

void TestTForm8::windowAndControls()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    TForm8 &form = *m_form;
    const QHash<QString, QWidget *> controls = {
        {"Label1", form.Label1},   {"Edit1", form.Edit1},         {"Label3", form.Label3},
        {"Label2", form.Label2},   {"Edit2", form.Edit2},         {"Label5", form.Label5},
        {"Label4", form.Label4},   {"ComboBox1", form.ComboBox1}, {"Label6", form.Label6},
        {"Edit3", form.Edit3},     {"CheckBox2", form.CheckBox2}, {"CheckBox1", form.CheckBox1},
        {"Button2", form.Button2}, {"Button1", form.Button1}};
    QWidget *widget = controls.value(control);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), &form);
    if (geometry.isEmpty())
        QCOMPARE(widget->pos(), geometry.topLeft());
    else
        QCOMPARE(widget->geometry(), geometry);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), caption);
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        QCOMPARE(edit->text(), caption);
    QCOMPARE(form.windowTitle(), QStringLiteral("Print"));
}

void TestTForm8::sizeAndPlace()
{
    QVERIFY(m_form->windowFlags() & Qt::WindowStaysOnTopHint);
    QStringList items;
    for (int i = 0; i < m_form->ComboBox1->count(); ++i)
        items << m_form->ComboBox1->itemText(i);
    QCOMPARE(items, QStringList({"10", "20", "50", "100", "200"}));
    QVERIFY(!m_form->ComboBox1->isEditable());

    showDialog();
    // Without a window manager there is no frame: the window itself is the outer size.
    QTRY_COMPARE(m_form->frameGeometry().size(), QSize(425, 131));
    const QPoint centre = m_main->screen()->geometry().center();
    QVERIFY2((m_form->frameGeometry().center() - centre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2")
                            .arg(m_form->frameGeometry().x())
                            .arg(m_form->frameGeometry().y())));
}

void TestTForm8::tabOrder()
{
    TForm8 &form = *m_form;
    const QList<QWidget *> expected = {form.CheckBox2, form.ComboBox1, form.Edit1,
                                       form.Edit2,     form.Button1,   form.Button2,
                                       form.Edit3,     form.CheckBox1, form.CheckBox2};
    QList<QWidget *> chain = {form.CheckBox2};
    for (QWidget *widget = form.CheckBox2->nextInFocusChain(); chain.size() < expected.size();
         widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus && widget->parentWidget() == &form)
            chain << widget;
    }
    QCOMPARE(chain, expected);
}

void TestTForm8::startsWithHeaderTicked()
{
    QVERIFY(m_form->CheckBox2->isChecked());
    QVERIFY(!m_form->CheckBox1->isChecked());
    QVERIFY(!m_form->isVisible());
}

void TestTForm8::formShowResetsDivisionAndShowsDpi()
{
    m_state->params.VerticalDpi = 300;
    showDialog();
    QCOMPARE(m_form->ComboBox1->currentText(), QStringLiteral("100"));
    QCOMPARE(m_form->Edit3->text(), QStringLiteral("300"));
    m_form->ComboBox1->setCurrentIndex(1); // "20"
    m_form->Edit1->setText("150");
    m_form->Edit3->setText("600");
    m_form->hide();
    m_state->params.VerticalDpi = 12.5;
    share();
    m_form->show();
    QCOMPARE(m_form->ComboBox1->currentText(), QStringLiteral("100"));
    QCOMPARE(m_form->Edit3->text(), QStringLiteral("12.5"));
    QCOMPARE(m_form->Edit1->text(), QStringLiteral("150")); // the other controls keep theirs
    // The window system mapping the dialog again (after a minimise, say) is no new show.
    m_form->ComboBox1->setCurrentIndex(1);
    QShowEvent mappedAgain;
    QSpontaneKeyEvent::setSpontaneous(&mappedAgain);
    qApp->notify(m_form.get(), &mappedAgain); // as delivered: sendEvent() clears the flag
    QCOMPARE(m_form->ComboBox1->currentText(), QStringLiteral("20"));
}

void TestTForm8::unitLabelsFollowTheLog_data()
{
    QTest::addColumn<int>("depthUnit");
    QTest::addColumn<QString>("unit");
    QTest::newRow("metres") << 0 << "m";
    QTest::newRow("feet") << 1 << "ft";
    QTest::newRow("any other code is feet") << 7 << "ft";
}

void TestTForm8::unitLabelsFollowTheLog()
{
    QFETCH(int, depthUnit);
    QFETCH(QString, unit);
    m_state->layout.DepthUnit = depthUnit;
    m_state->layout.LogStartDepth = 10;
    m_state->layout.LogEndDepth = 20;
    showDialog();
    QCOMPARE(m_form->Label3->text(), unit);
    QCOMPARE(m_form->Label5->text(), unit);
    m_form->Edit1->setText("5");
    m_form->Edit2->setText("15");
    m_form->Edit3->setText("300");
    MessageRecorder messages;
    QTest::mouseClick(m_form->Button1, Qt::LeftButton);
    QCOMPARE(messages.texts, QStringList{rangeMessage("Start", "10 to 20" + unit)});
}

void TestTForm8::ok_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("startAfter");
    QTest::addColumn<QString>("endAfter");
    QTest::addColumn<double>("storedDpi"); // VerticalDpi starts at 72

    QTest::newRow("accepted") << 100.0 << 200.0 << "150"
                              << "180"
                              << "300" << QStringList() << "150"
                              << "180" << 300.0;
    QTest::newRow("cross-over swaps the edits") << 100.0 << 200.0 << "150"
                                                << "120"
                                                << "300" << QStringList{CrossOver} << "120"
                                                << "150" << 300.0;
    QTest::newRow("start out of range")
        << 100.0 << 200.0 << "250"
        << "150"
        << "300" << QStringList{rangeMessage("Start", "100 to 200ft")} << "250"
        << "150" << 300.0;
    QTest::newRow("both out of range")
        << 100.0 << 200.0 << "50"
        << "250"
        << "300"
        << QStringList{rangeMessage("Start", "100 to 200ft"), rangeMessage("End", "100 to 200ft")}
        << "50"
        << "250" << 300.0;
    QTest::newRow("decreasing: cross-over") << 200.0 << 100.0 << "120"
                                            << "150"
                                            << "300" << QStringList{CrossOver} << "150"
                                            << "120" << 300.0;
    QTest::newRow("decreasing: accepted") << 200.0 << 100.0 << "150"
                                          << "120"
                                          << "300" << QStringList() << "150"
                                          << "120" << 300.0;
    QTest::newRow("flat log: anything") << 100.0 << 100.0 << "900"
                                        << "-5"
                                        << "300" << QStringList() << "900"
                                        << "-5" << 300.0;
    QTest::newRow("300.5 stores 300") << 100.0 << 200.0 << "150"
                                      << "180"
                                      << "300.5" << QStringList() << "150"
                                      << "180" << 300.0;
    QTest::newRow("301.5 stores 302, even with a bad start")
        << 100.0 << 200.0 << "x"
        << "180"
        << "301.5" << QStringList{"Invalid value for Start depth!"} << "x"
        << "180" << 302.0;
    QTest::newRow("letters leave the resolution")
        << 100.0 << 200.0 << "150"
        << "180"
        << "abc" << QStringList{"Invalid value for Vertical DPI!"} << "150"
        << "180" << 72.0;
    QTest::newRow("every conversion fails, in order")
        << 100.0 << 200.0 << ""
        << "end"
        << "dpi"
        << QStringList{"Invalid value for Vertical DPI!", "Invalid value for Start depth!",
                       "Invalid value for End depth!"}
        << ""
        << "end" << 72.0;
    QTest::newRow("bad resolution, ranges still tested")
        << 100.0 << 200.0 << "50"
        << "250"
        << ""
        << QStringList{"Invalid value for Vertical DPI!", rangeMessage("Start", "100 to 200ft"),
                       rangeMessage("End", "100 to 200ft")}
        << "50"
        << "250" << 72.0;
}

void TestTForm8::ok()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, dpi);
    QFETCH(QStringList, messages);
    QFETCH(QString, startAfter);
    QFETCH(QString, endAfter);
    QFETCH(double, storedDpi);
    m_state->layout.DepthUnit = 1;
    m_state->params.VerticalDpi = 72;
    m_state->layout.LogStartDepth = a;
    m_state->layout.LogEndDepth = b;
    showDialog();
    m_form->Edit1->setText(start);
    m_form->Edit2->setText(end);
    m_form->Edit3->setText(dpi);

    MessageRecorder recorder;
    QTest::mouseClick(m_form->Button1, Qt::LeftButton);
    QCOMPARE(recorder.texts, messages);
    QCOMPARE(m_form->Edit1->text(), startAfter);
    QCOMPARE(m_form->Edit2->text(), endAfter);
    QCOMPARE(m_form->Edit3->text(), dpi); // kept as typed
    QCOMPARE(m_session->state().params.VerticalDpi, storedDpi);
    // Closed, and the main window back, only when everything passed.
    QCOMPARE(m_form->isVisible(), !messages.isEmpty());
    QCOMPARE(m_main->isEnabled(), messages.isEmpty());
}

void TestTForm8::crossOverIsConfirmedWithASecondOk()
{
    m_state->layout.LogStartDepth = 100;
    m_state->layout.LogEndDepth = 200;
    showDialog();
    m_form->Edit1->setText("150.5");
    m_form->Edit2->setText("120");
    m_form->Edit3->setText("300");
    MessageRecorder recorder;
    m_form->Button1Click();
    QCOMPARE(recorder.texts, QStringList{CrossOver});
    QCOMPARE(m_form->Edit1->text(), QStringLiteral("120"));
    QCOMPARE(m_form->Edit2->text(), QStringLiteral("150.5"));
    QVERIFY(m_form->isVisible());
    m_form->Button1Click();
    QCOMPARE(recorder.texts.size(), 1);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_main->isEnabled());
}

void TestTForm8::cancelStoresNothing()
{
    m_state->params.VerticalDpi = 72;
    showDialog();
    m_form->Edit1->setText("nonsense");
    m_form->Edit3->setText("600");
    MessageRecorder recorder;
    QTest::mouseClick(m_form->Button2, Qt::LeftButton);
    QVERIFY(recorder.texts.isEmpty());
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_main->isEnabled());
    QCOMPARE(m_session->state().params.VerticalDpi, 72.0);
}

QTEST_MAIN(TestTForm8)
#include "tst_tform8.moc"
