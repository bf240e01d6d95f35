// KIVO Log Viewer
#include "pdfprobe.h"
#include "testlog.h"
#include "ui/print/printcommands.h"
#include "ui/viewer/mainmenu.h"
#include "viewerdriver.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

// The printer's 10-point margins at 30 pixels an inch.
constexpr double Margin = 10.0 / 72 * 30;

// Answers the next message box like answerMessageBox, and notes whether the busy cursor was
// still shown while it was up.
void answerMessageBoxNotingCursor(QString *text, bool *busy)
{
    QTimer::singleShot(0, [text, busy] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        *text = box->text();
        *busy = QApplication::overrideCursor() != nullptr;
        box->accept();
    });
}

} // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void withoutPrintersThePrinterWritesPdf();
    void withoutPrintersEachPageGoesToANewFile();
    void printSetupChoosesTheFile();
    void printScreenPrintsOnePage();
    void printHeaderPrintsLandscapeAndRestores();
    void printHeaderOnlyWhileHeaderIsTicked();
    void failuresAreReported();
    void printScreenWithoutPictureIsReported();

private:
    QString writeTestLog();
    QPrinter &printer() { return m_viewer->form1->printCommands().printer(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Viewer> m_viewer;
};

void TestPrintCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    // The printer's default file lies in the home directory: a fresh one for every test.
    QDir().mkpath(m_dir->filePath("home/Documents"));
    qputenv("HOME", m_dir->filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
    m_viewer = std::make_unique<Viewer>();
    m_viewer->form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_viewer->form1.get()));
}

void TestPrintCommands::cleanup()
{
    m_viewer.reset();
    QVERIFY(!QApplication::overrideCursor());
}

QString TestPrintCommands::writeTestLog()
{
    DataFileContent content(720, 2000, 1000, 5);
    content.colour = [](qint64 k, int i) {
        return Rgb{uchar(k % 64), uchar(i % 64), 80};
    };
    return writeLog(m_dir->path(), "hole", validHeader(720, 12, "Company=ACME\nRunNo1=1\n"),
                    content);
}

void TestPrintCommands::withoutPrintersThePrinterWritesPdf()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this system has printers");
    QCOMPARE(printer().outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(printer().outputFileName(), m_dir->filePath("home/Documents/kivo-print.pdf"));
}

// The pages go to kivo-print.pdf, kivo-print-2.pdf and so on, skipping the names of files
// that exist, and the user is told each file.
void TestPrintCommands::withoutPrintersEachPageGoesToANewFile()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this system has printers");
    const QDir documents(m_dir->filePath("home/Documents"));
    QFile earlier(documents.filePath("kivo-print-2.pdf"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    TForm1 &form = *m_viewer->form1;
    QString messages[3];
    ViewerDriver driver(form);
    driver.then([&] {
        answerMessageBox(&messages[0]);
        form.menu().Print2->trigger();
    });
    driver.then([&] {
        answerMessageBox(&messages[1]);
        form.menu().PrintHeader1->trigger();
    });
    driver.then([&] {
        answerMessageBox(&messages[2]);
        form.menu().Print2->trigger();
    });
    driver.openAndRun(writeTestLog());

    const QString files[] = {documents.filePath("kivo-print.pdf"),
                             documents.filePath("kivo-print-3.pdf"),
                             documents.filePath("kivo-print-4.pdf")};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(messages[i], "The page was written to the file " + files[i] + ".");
    QVERIFY(pdfInfo(files[0]).height > pdfInfo(files[0]).width);
    QVERIFY(pdfInfo(files[1]).width > pdfInfo(files[1]).height);
    QVERIFY(pdfInfo(files[2]).height > pdfInfo(files[2]).width);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    // Print Setup shows where the next page goes.
    QCOMPARE(printer().outputFileName(), documents.filePath("kivo-print-5.pdf"));
}

void TestPrintCommands::printSetupChoosesTheFile()
{
    const QString chosen = m_dir->filePath("chosen.pdf");
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(m_dir->filePath("first.pdf"));
    QString title;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QPrintDialog *>(QApplication::activeModalWidget()));
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        title = dialog->windowTitle();
        // The file name entry of "Print to File (PDF)".
        auto *file = dialog->findChild<QLineEdit *>("filename");
        QVERIFY(file);
        QCOMPARE(file->text(), m_dir->filePath("first.pdf"));
        file->setText(chosen);
        dialog->accept();
    });
    m_viewer->form1->menu().Print1->trigger();
    QCOMPARE(title, QStringLiteral("Print Setup"));
    QCOMPARE(printer().outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(printer().outputFileName(), chosen);
}

void TestPrintCommands::printScreenPrintsOnePage()
{
    const QString out = m_dir->filePath("screen.pdf");
    TForm1 &form = *m_viewer->form1;
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(out);
    QString message;
    ViewerDriver driver(form);
    driver.then([&] {
        QVERIFY(form.menu().Print2->isEnabled());
        answerMessageBox(&message);
        form.menu().Print2->trigger();
        QVERIFY(!QApplication::overrideCursor());
    });
    driver.openAndRun(writeTestLog());

    QCOMPARE(message, "The page was written to the file " + out + ".");
    const PdfInfo info = pdfInfo(out);
    QCOMPARE(info.pages, 1);
    QVERIFY2(info.height > info.width, "portrait, the printer's orientation");
    QCOMPARE(printer().pageLayout().orientation(), QPageLayout::Portrait);
    // Below the band the capture spans the page to its right margin.
    const QImage page = rasterisedPdf(out);
    QVERIFY(!page.isNull());
    const int right = int(page.width() - Margin) - 2;
    for (const int y : {30, page.height() / 2, page.height() - 8})
        QVERIFY2(!isPaper(page.pixel(right, y)), qPrintable(QString::number(y)));
    QVERIFY(isPaper(page.pixel(right, 10)));
}

void TestPrintCommands::printHeaderPrintsLandscapeAndRestores()
{
    const QString sheet = m_dir->filePath("sheet.pdf");
    const QString screen = m_dir->filePath("after.pdf");
    TForm1 &form = *m_viewer->form1;
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(sheet);
    QPageLayout::Orientation afterHeader = QPageLayout::Landscape;
    QString sheetMessage;
    QString screenMessage;
    ViewerDriver driver(form);
    driver.then([&] {
        answerMessageBox(&sheetMessage);
        form.menu().PrintHeader1->trigger();
        afterHeader = printer().pageLayout().orientation();
        printer().setOutputFileName(screen);
        answerMessageBox(&screenMessage);
        form.menu().Print2->trigger();
    });
    driver.openAndRun(writeTestLog());

    QCOMPARE(sheetMessage, "The page was written to the file " + sheet + ".");
    QCOMPARE(screenMessage, "The page was written to the file " + screen + ".");
    // Landscape while the sheet prints: its page is A4 lying on its side.
    const PdfInfo info = pdfInfo(sheet);
    QCOMPARE(info.pages, 1);
    QVERIFY2(qAbs(info.width - 841.89) < 1 && qAbs(info.height - 595.28) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(info.width).arg(info.height)));
    // Portrait again once it has printed, and for Print Screen afterwards.
    QCOMPARE(afterHeader, QPageLayout::Portrait);
    const PdfInfo next = pdfInfo(screen);
    QVERIFY(next.height > next.width);
    // The sheet's frames span the page from 20 device units (96 an inch) into the printable
    // area, over its whole height.
    const QImage page = rasterisedPdf(sheet);
    QVERIFY(!page.isNull());
    const QRect ink = inkBounds(page, page.rect());
    QVERIFY2(qAbs(ink.left() - (Margin + 20.0 / 96 * 30)) <= 2,
             qPrintable(QString::number(ink.left())));
    QVERIFY2(qAbs(ink.top() - Margin) <= 2 && qAbs(ink.bottom() - (page.height() - Margin)) <= 2,
             qPrintable(QStringLiteral("%1 to %2").arg(ink.top()).arg(ink.bottom())));
}

void TestPrintCommands::printHeaderOnlyWhileHeaderIsTicked()
{
    const QString out = m_dir->filePath("none.pdf");
    TForm1 &form = *m_viewer->form1;
    QVERIFY(m_viewer->form8->CheckBox2->isChecked());
    m_viewer->form8->CheckBox2->setChecked(false);
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(out);
    ViewerDriver driver(form);
    driver.then([&] { form.menu().PrintHeader1->trigger(); });
    driver.openAndRun(writeTestLog());
    QVERIFY(!QFile::exists(out));
}

void TestPrintCommands::failuresAreReported()
{
    const QString out = m_dir->filePath("missing/dir/x.pdf");
    TForm1 &form = *m_viewer->form1;
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(out);
    QString screenMessage;
    QString headerMessage;
    bool busyAtScreen = true;
    bool busyAtHeader = true;
    ViewerDriver driver(form);
    driver.then([&] {
        answerMessageBoxNotingCursor(&screenMessage, &busyAtScreen);
        form.menu().Print2->trigger();
    });
    driver.then([&] {
        answerMessageBoxNotingCursor(&headerMessage, &busyAtHeader);
        form.menu().PrintHeader1->trigger();
    });
    driver.openAndRun(writeTestLog());

    const QString expected =
        QStringLiteral("Cannot print to the file %1. Print Setup chooses another printer or file.")
            .arg(out);
    QCOMPARE(screenMessage, expected);
    QCOMPARE(headerMessage, expected);
    QVERIFY(!busyAtScreen);
    QVERIFY(!busyAtHeader);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(printer().pageLayout().orientation(), QPageLayout::Portrait);
}

void TestPrintCommands::printScreenWithoutPictureIsReported()
{
    const QString out = m_dir->filePath("nothing.pdf");
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(out);
    QVERIFY(!m_viewer->form1->menu().Print2->isEnabled());
    QString message;
    answerMessageBox(&message);
    m_viewer->form1->Print2Click();
    QCOMPARE(message, QStringLiteral("There is no picture to print: no log is shown."));
    QVERIFY(!QFile::exists(out));
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
