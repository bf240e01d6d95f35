// KIVO Log Viewer
#include "pdfprobe.h"
#include "testlog.h"
#include "ui/export/exportdialog.h"
#include "ui/print/printcommands.h"
#include "ui/viewer/mainmenu.h"
#include "viewerdriver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestPrintLog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void itemsNeedAnOpenLog();
    void okPrintsThePagesToAPdf();
    void cancelPrintsNothing();
    void exportWritesTheViewsRecords();

private:
    QString writeTestLog();
    QString printTarget() { return m_viewer->form1->printCommands().printer().outputFileName(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Viewer> m_viewer;
};

void TestPrintLog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir().mkpath(m_dir->filePath("home/Documents"));
    qputenv("HOME", m_dir->filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
    m_viewer = std::make_unique<Viewer>();
    m_viewer->form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_viewer->form1.get()));
    // Wherever the system prints, these pages go to a file.
    QPrinter &printer = m_viewer->form1->printCommands().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir->filePath("log.pdf"));
}

void TestPrintLog::cleanup()
{
    m_viewer.reset();
}

// 2001 records from 1 m to 11 m, 5 mm apart.
QString TestPrintLog::writeTestLog()
{
    return writeLog(m_dir->path(), "hole",
                    validHeader(720, 12, "StartDepth=1\nEndDepth=11\nWellname=KV-3\n"),
                    DataFileContent(720, 2001, 1000, 5));
}

void TestPrintLog::itemsNeedAnOpenLog()
{
    MainMenu &menu = m_viewer->form1->menu();
    QVERIFY(!menu.PrintLog1->isEnabled());
    QVERIFY(!menu.ExportImage1->isEnabled());
    QCOMPARE(menu.PrintLog1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    // After Print Screen in the File menu.
    const QList<QAction *> items = menu.File1->actions();
    QCOMPARE(items.indexOf(menu.PrintLog1), items.indexOf(menu.Print2) + 1);
    bool enabledWhileViewing = false;
    ViewerDriver driver(*m_viewer->form1);
    driver.then([&] {
        enabledWhileViewing = menu.PrintLog1->isEnabled() && menu.ExportImage1->isEnabled();
    });
    driver.openAndRun(writeTestLog());
    QVERIFY(enabledWhileViewing);
}

void TestPrintLog::okPrintsThePagesToAPdf()
{
    TForm1 &form = *m_viewer->form1;
    TForm8 &options = *m_viewer->form8;
    QString message;
    QString preset[2];
    bool modal = false;
    ViewerDriver driver(form);
    driver.then([&] {
        form.menu().PrintLog1->trigger();
        QVERIFY(options.isVisible());
        modal = !form.isEnabled();
        preset[0] = options.Edit1->text();
        preset[1] = options.Edit2->text();
        options.ComboBox1->setCurrentIndex(1); // "20"
        options.CheckBox2->setChecked(false);  // no header sheet
        answerBoxWhenShown(&message);
        QTest::mouseClick(options.Button1, Qt::LeftButton);
    });
    driver.openAndRun(writeTestLog());

    QCOMPARE(preset[0], QStringLiteral("1"));
    QCOMPARE(preset[1], QStringLiteral("11"));
    QVERIFY(modal);
    QVERIFY(form.isEnabled());
    QVERIFY(!options.isVisible());
    const QString pdf = m_dir->filePath("log.pdf");
    QCOMPARE(message, "The pages were written to the file " + pdf + ".");
    // 10 m at 1:20, about 5 m a page on A4.
    const QList<PdfImageEntry> images = pdfImageList(pdf);
    QCOMPARE(pdfInfo(pdf).pages, 2);
    QCOMPARE(images.size(), 2);
    QCOMPARE(images[0].encoding, QStringLiteral("image"));
    QStringList labels;
    for (const PdfWord &word : pdfWords(pdf))
        if (word.text.endsWith("m") && word.text.front().isDigit())
            labels << word.text;
    QCOMPARE(labels.first(), QStringLiteral("1.0m"));
    QCOMPARE(labels.last(), QStringLiteral("11.0m"));
    QCOMPARE(labels.size(), 11);
    // Nothing but the PDF was left in the folder, and the printer still names it.
    QCOMPARE(QDir(m_dir->path()).entryList({"log.pdf*"}), QStringList{"log.pdf"});
    QCOMPARE(printTarget(), pdf);
}

void TestPrintLog::cancelPrintsNothing()
{
    TForm1 &form = *m_viewer->form1;
    TForm8 &options = *m_viewer->form8;
    ModalWatch watch;
    ViewerDriver driver(form);
    driver.then([&] {
        form.menu().PrintLog1->trigger();
        QVERIFY(options.isVisible());
        QTest::mouseClick(options.Button2, Qt::LeftButton);
    });
    driver.openAndRun(writeTestLog());
    QCOMPARE(watch.seen(), QStringList());
    QVERIFY(form.isEnabled());
    QVERIFY(!QFile::exists(m_dir->filePath("log.pdf")));
}

void TestPrintLog::exportWritesTheViewsRecords()
{
    TForm1 &form = *m_viewer->form1;
    const QString out = m_dir->filePath("view.png");
    QString message;
    QString range[2];
    int rows = 0;
    ViewerDriver driver(form);
    driver.then([&] {
        rows = form.session().geometry().rows;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<ExportDialog *>(QApplication::activeModalWidget()));
            auto *dialog = qobject_cast<ExportDialog *>(QApplication::activeModalWidget());
            range[0] = dialog->FromEdit->text();
            range[1] = dialog->ToEdit->text();
            dialog->FileEdit->setText(out);
            answerBoxWhenShown(&message);
            dialog->accept();
        });
        form.menu().ExportImage1->trigger();
    });
    driver.openAndRun(writeTestLog());

    // The view shows records 0 .. rows - 1 from the top, 5 mm apart.
    QVERIFY(rows > 10);
    QCOMPARE(range[0], QStringLiteral("1"));
    QCOMPARE(range[1], QString::number(1 + (rows - 1) * 0.005));
    QCOMPARE(message, QStringLiteral("%1 rows were written to the file %2.").arg(rows).arg(out));
    const QImage image(out);
    QCOMPARE(image.size(), QSize(720, rows));
    const Rgb last = patternColour(rows - 1, 5);
    QCOMPARE(image.pixel(5, rows - 1), qRgb(last[0], last[1], last[2]));
}

QTEST_MAIN(TestPrintLog)
#include "tst_printlog.moc"
