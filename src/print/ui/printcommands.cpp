// KIVO Log Viewer
#include "print/ui/printcommands.h"

#include "app/ui/messages.h"
#include "app/ui/tform1.h"
#include "display/tdib.h"
#include "display/ui/tdxdraw.h"
#include "header/headersheet.h"
#include "kivoerror.h"
#include "print/printresolution.h"
#include "print/printscreen.h"
#include "print/ui/tform8.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QStandardPaths>

namespace kivo {

namespace {

QString defaultPdfPath()
{
    QString directory = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (directory.isEmpty() || !QDir(directory).exists())
        directory = QDir::homePath();
    return QDir(directory).filePath(QStringLiteral("kivo-print.pdf"));
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

// The page area of the printer in device units, at the resolution every page is laid out in.
QRect preparePage(QPrinter &printer)
{
    printer.setResolution(PrintResolution);
    return QRect(0, 0, printer.width(), printer.height());
}

void beginDocument(QPainter &painter, QPrinter &printer)
{
    if (!painter.begin(&printer))
        throw KivoError(QStringLiteral("Cannot print to %1. Print Setup chooses another printer "
                                       "or file.")
                            .arg(printTarget(printer)));
}

void endDocument(QPainter &painter, QPrinter &printer)
{
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw KivoError(QStringLiteral("Printing to %1 failed.").arg(printTarget(printer)));
}

} // namespace

PrintCommands::PrintCommands(TForm1 &form)
    : m_form(form)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(defaultPdfPath());
    }
}

void PrintCommands::run(const std::function<void()> &command)
{
    QString failure;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto normalCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        try {
            command();
        } catch (const KivoError &error) {
            failure = error.text();
        }
    }
    if (!failure.isEmpty())
        showErrorReport(&m_form, failure);
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
    run([this] { printScreen(); });
}

void PrintCommands::printScreen()
{
    TDirectDrawSurface *surface = m_form.DXDraw1->Surface();
    if (!surface)
        throw KivoError(QStringLiteral("There is no picture to print: no log is shown."));
    // Taken in one step before the document begins: later drawing does not reach the paper.
    TDIB capture;
    surface->CaptureTo(capture);
    const QRect page = preparePage(m_printer);
    const PrintScale scale =
        PrintScale::compute(page.width(), capture.width(), m_form.state().OrientationMode);
    QPainter painter;
    beginDocument(painter, m_printer);
    drawPrintScreen(painter, page, capture, scale);
    endDocument(painter, m_printer);
}

void PrintCommands::PrintHeader1Click()
{
    run([this] {
        if (m_form.Form8 && !m_form.Form8->CheckBox2->isChecked())
            return;
        PrintHeaderSheet(m_form.state().header);
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
    QPainter painter;
    beginDocument(painter, m_printer);
    printSheet(painter, page, sheet);
    endDocument(painter, m_printer);
}

} // namespace kivo
