// KIVO Log Viewer
#include "display/orientationstrip.h"
#include "header/inifile.h"
#include "pixelcompare.h"
#include "referenceview.h"
#include "shell/settingsfile.h"
#include "testlog.h"
#include "ui/display/tdxdraw.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/topbar.h"
#include "ui/viewer/tscrollbar.h"
#include "viewerdriver.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestTForm1 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void startUp();
    void settingsFileAfterOpenAndExit();
    void exitWhileALogIsOpen();
    void unwritableSettingsStillExit();
    void aboutBoxDisablesMainWindow();
    void keysScrollAgainAfterTheAboutBox();
    void aboutBoxClosedByTheWindowSystem();
    void aboutBoxShowsTheVersionBelowItsTexts();
    void commandLineArgumentsIgnored_data();
    void commandLineArgumentsIgnored();
    void ctrlOOpensTheDialog();
    void headerDialogFromTheMenu();
    void screenshotWithALogOpen();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_settings;
};

void TestTForm1::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
    m_settings = m_dir->filePath("config/kivo/bhx_view.Ini");
}

void TestTForm1::startUp()
{
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    QCOMPARE(form.windowTitle(), QStringLiteral("KIVO Log Viewer"));
    QCOMPARE(form.settingsPath(), m_settings);
    QCOMPARE(form.state().LastLogDir, QCoreApplication::applicationDirPath() + "/");
    QCOMPARE(form.state().ColourMap.Contrast, 100.0);
    QCOMPARE(form.state().ColourMap.RedTable[77], 77);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(!Panel10(form)->isVisible());
    QCOMPARE(DXDraw1(form)->width(), 801);
    QVERIFY(!DXDraw1(form)->IsReady());
    for (QWidget *window :
         {static_cast<QWidget *>(viewer.form2.get()), static_cast<QWidget *>(viewer.form6.get()),
          static_cast<QWidget *>(viewer.form7.get()), static_cast<QWidget *>(viewer.form8.get())})
        QVERIFY(!window->isVisible());
    QCOMPARE(viewer.form2->windowTitle(), QStringLiteral("Display Adjust"));
    QCOMPARE(viewer.form7->windowTitle(), QStringLiteral("About KIVO Log Viewer"));
    QCOMPARE(viewer.form8->windowTitle(), QStringLiteral("Print"));
    QCOMPARE(Panel1(form)->strip(), stretchedStrip(Image4()));
    QCOMPARE(form.menu().Exit1->text(), "E&xit" + QString(26, ' '));
    QVERIFY(!QFile::exists(m_settings)); // nothing written at start-up
}

void TestTForm1::settingsFileAfterOpenAndExit()
{
    QDir(m_dir->path()).mkdir("logs");
    const QString log = writeLog(m_dir->filePath("logs"), "a", validHeader(720), {720, 10});
    {
        Viewer viewer;
        viewer.form1->show();
        ViewerDriver driver(*viewer.form1);
        driver.openAndRun(log);
        viewer.form1->close();
    }
    const IniFile settings = IniFile::load(m_settings);
    QCOMPARE(settings.value("File Parameters", "LogDir").value_or(QByteArray()),
             m_dir->filePath("logs").toUtf8());
    // The next start offers that directory.
    Viewer next;
    QCOMPARE(next.form1->state().LastLogDir, m_dir->filePath("logs"));
}

void TestTForm1::exitWhileALogIsOpen()
{
    const QString log = writeLog(m_dir->path(), "open", validHeader(720), {720, 3000});
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    ViewerDriver driver(form);
    driver.then([&] { form.menu().Exit1->trigger(); });
    driver.openAndRun(log);
    // The quit ended the loop and the close-down ran.
    QVERIFY(form.quitRequested());
    QVERIFY(!form.isVisible());
    QVERIFY(!form.openCommand().viewing());
    QVERIFY(!form.state().ImageFile.isOpen());
    QVERIFY(!DXDraw1(form)->area().isInitialized());
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
    QCOMPARE(loadLastLogDir(m_settings, "none"), m_dir->path());
}

void TestTForm1::unwritableSettingsStillExit()
{
    // A plain file where the settings directory should be: nobody can write there.
    writeFile(m_dir->filePath("config"), "not a directory");
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QString message;
    answerMessageBox(&message);
    form.Exit1Click();
    QCOMPARE(message, "Unable to write to " + m_settings + ".");
    QVERIFY(form.quitRequested());
    QVERIFY(!form.isVisible());
}

void TestTForm1::aboutBoxDisablesMainWindow()
{
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(activate(&form));
    QTest::keyClick(&form, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(activate(viewer.form7.get()));
    QVERIFY(!form.isEnabled());
    QCOMPARE(viewer.form7->size(), QSize(405, 160));
    // The main window takes no input, even when the user brings it to the front: its shortcuts
    // do nothing while the box is up, and work again after OK.
    QVERIFY(activate(&form));
    {
        const ModalWatch watch;
        QTest::keyClick(form.windowHandle(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(watch.seen(), QStringList());
    }
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
    QTest::mouseClick(viewer.form7->Button1, Qt::LeftButton);
    QVERIFY(!viewer.form7->isVisible());
    QVERIFY(form.isEnabled());
    QVERIFY(activate(&form));
    const ModalWatch watch;
    QTest::keyClick(form.windowHandle(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(watch.seen(), QStringList{"QFileDialog"});
    QCOMPARE(form.menu().state(), MainMenu::State::Idle);
}

void TestTForm1::keysScrollAgainAfterTheAboutBox()
{
    const QString log = writeLog(m_dir->path(), "keys", validHeader(720), {720, 3000});
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    ViewerDriver driver(form);
    driver
        .then([&] {
            form.menu().About1->trigger();
            QVERIFY(!form.isEnabled());
            QTest::mouseClick(viewer.form7->Button1, Qt::LeftButton);
            // The key goes where the window system sends it: to the window's focus.
            QTest::keyClick(form.windowHandle(), Qt::Key_Down);
        })
        .then([&] {
            QCOMPARE(ScrollBar4(form)->value(), 40);
            const QImage expected = referenceView(log, DXDraw1(form)->height(), 40);
            QCOMPARE(firstDifference(DXDraw1(form)->Surface()->image(), expected), QString());
            // A click on the image gives the keys to the scroll bar as well.
            ScrollBar4(form)->clearFocus();
            QTest::mouseClick(DXDraw1(form), Qt::LeftButton);
            QTest::keyClick(form.windowHandle(), Qt::Key_Down);
        })
        .then([&] { QCOMPARE(ScrollBar4(form)->value(), 80); });
    driver.openAndRun(log);
}

void TestTForm1::aboutBoxClosedByTheWindowSystem()
{
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    form.menu().About1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(viewer.form7.get()));
    QVERIFY(!form.isEnabled());
    // Alt+F4 or the window manager's Close: the same way back as OK.
    QVERIFY(viewer.form7->windowHandle()->close());
    QVERIFY(!viewer.form7->isVisible());
    QVERIFY(form.isEnabled());
}

void TestTForm1::aboutBoxShowsTheVersionBelowItsTexts()
{
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    form.menu().About1->trigger();
    TForm7 &box = *viewer.form7;
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QMap<QString, QLabel *> labels;
    for (QLabel *label : box.findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            labels.insert(label->text(), label);
    }
    // The box's own texts, and the version the build was given by the project.
    const QString version = "Version " + qEnvironmentVariable("KIVO_PROJECT_VERSION");
    QCOMPARE(labels.keys(),
             QStringList({"101  25-9-00", "KIVO ", "Log Viewer", "Version ", version}));
    const QRect line = labels[version]->geometry();
    QCOMPARE(box.size(), QSize(405, 160));
    QVERIFY(box.rect().contains(line));
    QCOMPARE(line.left(), labels["Version "]->x());
    for (const char *above : {"Version ", "101  25-9-00"})
        QVERIFY2(line.top() > labels[above]->geometry().bottom(), above);
    // It is drawn: white text on the box's blue, not hidden behind anything.
    const QImage shot = box.grab().toImage();
    int white = 0;
    for (int y = line.top(); y <= line.bottom(); ++y) {
        for (int x = line.left(); x <= line.right(); ++x)
            white += QColor(shot.pixel(x, y)).lightness() > 200;
    }
    QVERIFY2(white > 20, qPrintable(QString::number(white)));
}

void TestTForm1::commandLineArgumentsIgnored_data()
{
    QTest::addColumn<QString>("argument");
    QTest::newRow("missing file") << "/no/such/log.bhx";
    QTest::newRow("directory") << "/tmp";
    QTest::newRow("empty") << "";
}

void TestTForm1::commandLineArgumentsIgnored()
{
    QFETCH(QString, argument);
    Viewer viewer({"kivo-viewer", argument});
    viewer.form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(viewer.form1.get()));
    QVERIFY(!Timer1(*viewer.form1)->isActive());
    QCOMPARE(viewer.form1->state().OpenFromCommandLine, quint8(0));
}

void TestTForm1::ctrlOOpensTheDialog()
{
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    form.activateWindow();
    QTRY_VERIFY(form.isActiveWindow());
    bool copyEnabledWhileChoosing = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
        copyEnabledWhileChoosing = form.menu().Copy1->isEnabled();
        QMetaObject::invokeMethod(QApplication::activeModalWidget(), "reject");
    });
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QTRY_COMPARE(form.menu().state(), MainMenu::State::Idle);
    QVERIFY(copyEnabledWhileChoosing);
    QVERIFY(!form.menu().Copy1->isEnabled());
    QCOMPARE(form.state().header.Company, QStringLiteral("TARVENIX")); // reset before the dialog
}

void TestTForm1::headerDialogFromTheMenu()
{
    const QString first = writeLog(m_dir->path(), "first",
                                   validHeader(720, 12, "Company=Alpha Drilling\n"), {720, 50});
    const QString second =
        writeLog(m_dir->path(), "second",
                 validHeader(720, 12, "Company=Beta Surveys\nDepthUnit=1\n"), {720, 50});
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    ViewerDriver viewFirst(form);
    viewFirst.then([&] {
        QVERIFY(activate(&form));
        QTest::keyClick(&form, Qt::Key_V, Qt::ControlModifier); // "&View Header"
        QTRY_VERIFY(viewer.form6->isVisible());
        QCOMPARE(viewer.form6->Edit3->text(), QStringLiteral("Alpha Drilling"));
    });
    viewFirst.openAndRun(first);
    // The dialog stays up while that log is closed and another opened: it shows the new log,
    // in its units.
    ViewerDriver viewSecond(form);
    viewSecond.then([&] {
        QCOMPARE(form.state().header.Company, QStringLiteral("Beta Surveys"));
        QVERIFY(viewer.form6->isVisible());
        QCOMPARE(viewer.form6->Edit3->text(), QStringLiteral("Beta Surveys"));
        QCOMPARE(viewer.form6->Label25->text(), QStringLiteral("ft"));
    });
    viewSecond.openAndRun(second);
}

void TestTForm1::screenshotWithALogOpen()
{
    const QString log = writeLog(m_dir->path(), "shot", validHeader(720, 14), {720, 3000});
    Viewer viewer;
    TForm1 &form = *viewer.form1;
    form.show();
    ViewerDriver driver(form);
    driver.then([&] {
        // What the X server shows, not what the widgets think they show.
        const QImage screen = form.screen()->grabWindow(0).toImage();
        // The D L U R strip of orientation mode 2 over the image's columns.
        const QPoint stripAt =
            Panel1(form)->Image1->mapTo(&form, QPoint(0, 0)) + form.geometry().topLeft();
        const QImage strip = screen.copy(QRect(stripAt, QSize(720, 19)));
        QCOMPARE(firstDifference(strip, stretchedStrip(Image8())), QString());
        // The image area is the surface.
        const QPoint areaAt = DXDraw1(form)->mapTo(&form, QPoint(0, 0)) + form.geometry().topLeft();
        const QImage area = screen.copy(QRect(areaAt, DXDraw1(form)->size()));
        QCOMPARE(firstDifference(area, DXDraw1(form)->Surface()->image()), QString());
        QCOMPARE(firstDifference(area, referenceView(log, DXDraw1(form)->height(), 0)), QString());
        // The scroll bar stands right of the image.
        QVERIFY(Panel10(form)->isVisible());
        QCOMPARE(Panel10(form)->mapTo(&form, QPoint(0, 0)).x(),
                 areaAt.x() - form.geometry().x() + 783);
    });
    driver.openAndRun(log);
}

QTEST_MAIN(TestTForm1)
#include "tst_tform1.moc"
