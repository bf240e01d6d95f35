// KIVO Log Viewer
#include "ui/print/printcommands.h"

#include "display/tdib.h"
#include "header/headersheet.h"
#include "kivoerror.h"
#include "print/pdffile.h"
#include "print/preparepage.h"
#include "print/printlog.h"
#include "print/printscreen.h"
#include "ui/common/messages.h"
#include "ui/common/progresswindow.h"
#include "ui/display/tdxdraw.h"
#include "ui/print/tform8.h"
#include "ui/viewer/tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QStandardPaths>

namespace kivo {

namespace {

// Where printing goes on a system without printers: the user's documents folder, or home.
QDir defaultPdfFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QDir(documents).exists())
        return QDir::home();
    return QDir(documents);
}

// "kivo-print.pdf" in the folder, or where a file of that name exists "kivo-print-2.pdf",
// "kivo-print-3.pdf" and so on: the first name no file has.
QString freePdfPath(const QDir &folder)
{
    QString path = folder.filePath(QStringLiteral("kivo-print.pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("kivo-print-%1.pdf").arg(n));
    return path;
}

QString printTarget(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return QStringLiteral("the file %1")
            .arg(QDir::toNativeSeparators(printer.outputFileName()));
    if (!printer.printerName().isEmpty())
        return QStringLiteral("the printer %1").arg(printer.printerName());
    return QStringLiteral("the printer");
}

QString cannotPrint(const QPrinter &printer)
{
    return QStringLiteral("Cannot print to %1. Print Setup chooses another printer or file.")
        .arg(printTarget(printer));
}

QString printingFailed(const QPrinter &printer)
{
    return QStringLiteral("Printing to %1 failed.").arg(printTarget(printer));
}

} // namespace

PrintCommands::PrintCommands(TForm1 &form)
    : m_form(form)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        m_automaticPdf = freePdfPath(defaultPdfFolder());
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(m_automaticPdf);
    }
}

void PrintCommands::run(const std::function<bool()> &command, const QString &done)
{
    QString failure;
    bool printed = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto normalCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        try {
            printed = command();
        } catch (const KivoError &error) {
            failure = error.text();
        }
    }
    if (!failure.isEmpty()) {
        showErrorReport(&m_form, failure);
    } else if (printed && m_printer.outputFormat() == QPrinter::PdfFormat) {
        // A printer shows its jobs; a file is found only by the one who knows its name.
        const QString written = m_printer.outputFileName();
        // Print Setup then shows the file the next page goes to, not one it would overwrite.
        keepEarlierPages();
        showInformation(&m_form, done.arg(QDir::toNativeSeparators(written)));
    }
}

void PrintCommands::keepEarlierPages()
{
    const bool automatic = !m_automaticPdf.isEmpty() &&
                           m_printer.outputFormat() == QPrinter::PdfFormat &&
                           m_printer.outputFileName() == m_automaticPdf;
    if (automatic && QFileInfo::exists(m_automaticPdf)) {
        m_automaticPdf = freePdfPath(QFileInfo(m_automaticPdf).dir());
        m_printer.setOutputFileName(m_automaticPdf);
    }
}

void PrintCommands::Print1Click()
{
    QPrintDialog dialog(&m_printer, &m_form);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

void PrintCommands::Print2Click()
{
    run([this] {
        printScreen();
        return true;
    });
}

void PrintCommands::printScreen()
{
    TDirectDrawSurface *surface = m_form.displayArea().Surface();
    if (!surface)
        throw KivoError(QStringLiteral("There is no picture to print: no log is shown."));
    // Taken in one step before the document begins: later drawing does not reach the paper.
    TDIB capture;
    surface->CaptureTo(capture);
    m_form.displayArea().overlayOnto(capture);
    const QRect page = preparePage(m_printer);
    const PrintScale scale =
        PrintScale::compute(page.width(), capture.width(), m_form.state().layout.OrientationMode);
    keepEarlierPages();
    printDocument([&](QPainter &painter, QPagedPaintDevice &) {
        drawPrintScreen(painter, page, capture, scale);
        return true;
    });
}

void PrintCommands::PrintHeader1Click()
{
    run([this] {
        if (m_form.printOptions() && !m_form.printOptions()->printsHeader())
            return false;
        PrintHeaderSheet(m_form.state().header);
        return true;
    });
}

void PrintCommands::PrintHeaderSheet(const uniheader &header)
{
    const QImage sheet =
        drawHeaderSheet(header, sheetLogoPath(QCoreApplication::applicationDirPath()));
    const QPageLayout::Orientation previous = m_printer.pageLayout().orientation();
    m_printer.setPageOrientation(QPageLayout::Landscape);
    const auto restore = qScopeGuard([&] { m_printer.setPageOrientation(previous); });
    const QRect page = preparePage(m_printer);
    keepEarlierPages();
    printDocument([&](QPainter &painter, QPagedPaintDevice &) {
        printSheet(painter, page, sheet);
        return true;
    });
}

void PrintCommands::printLog(const PrintLogRequest &request)
{
    run([&] { return printLogPages(request); },
        QStringLiteral("The pages were written to the file %1."));
}

bool PrintCommands::printLogPages(const PrintLogRequest &request)
{
    const QPageLayout previous = m_printer.pageLayout();
    const auto restoreLayout = qScopeGuard([&] { m_printer.setPageLayout(previous); });
    preparePage(m_printer);
    preparePrintLogDevice(m_printer, request);
    keepEarlierPages();
    ProgressWindow progress(&m_form, QStringLiteral("Printing the log..."),
                            QStringLiteral("PrintLogProgress"));
    return printDocument([&](QPainter &painter, QPagedPaintDevice &device) {
        return kivo::printLog(painter, device, m_form.session(), request, progress);
    });
}

bool PrintCommands::printDocument(const DocumentDraw &draw)
{
    const QString target = m_printer.outputFileName();
    if (m_printer.outputFormat() == QPrinter::PdfFormat && !target.isEmpty()) {
        // The file goes through a writer of the printer's page and resolution, which puts it in
        // place only when complete and wholly on the disk.
        const PdfFailureTexts texts{[this](const QString &) { return cannotPrint(m_printer); },
                                    printingFailed(m_printer)};
        return writePdfFile(
            target, texts,
            [this](QPdfWriter &writer) {
                writer.setPageLayout(m_printer.pageLayout());
                writer.setResolution(m_printer.resolution());
                writer.setTitle(m_printer.docName());
            },
            [&draw](QPainter &painter, QPdfWriter &writer) { return draw(painter, writer); });
    }
    QPainter painter;
    if (!painter.begin(&m_printer))
        throw KivoError(cannotPrint(m_printer));
    bool printed = false;
    try {
        printed = draw(painter, m_printer);
    } catch (...) {
        m_printer.abort();
        painter.end();
        throw;
    }
    if (!printed) {
        // Nothing of the job reaches the printer.
        m_printer.abort();
        painter.end();
        return false;
    }
    if (!painter.end() || m_printer.printerState() == QPrinter::Error)
        throw KivoError(printingFailed(m_printer));
    return true;
}

} // namespace kivo
