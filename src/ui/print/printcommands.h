// KIVO Log Viewer
#pragma once

#include <QPrinter>
#include <QString>

#include <functional>

namespace kivo {

class TForm1;
struct PrintLogRequest;
struct uniheader;

// The main window's print commands and the one printer they share. The printer, paper,
// orientation and output file chosen in Print Setup hold for the later commands. Where the
// system has no printer, the printer writes PDF files in the user's documents folder (or home),
// "kivo-print.pdf", "kivo-print-2.pdf" and so on: each page a file of a name no file has yet,
// never over an earlier one, until Print Setup chooses another printer or file.
//
// Each command shows the busy cursor while it works and the normal cursor again on every path;
// once the cursor is back, a failure (no picture, a printer that cannot be used, a failing print
// job) is told to the user in a message box, and so is the file a page printed to a file went to.
class PrintCommands {
public:
    explicit PrintCommands(TForm1 &form);

    QPrinter &printer() { return m_printer; }

    // "Print &Setup...": the print dialog on the shared printer.
    void Print1Click();
    // "&Print Screen": the surface as captured now, under an orientation scale, on one page in
    // the printer's current orientation.
    void Print2Click();
    // "Print &Header": the well header sheet on one landscape page, while the print options'
    // "Header" box is ticked.
    void PrintHeader1Click();
    // Print Log, once the print options are accepted: the log's pages in portrait, with a
    // progress dialog whose Cancel aborts the job. A PDF file appears only when complete.
    void printLog(const PrintLogRequest &request);

private:
    void printScreen();
    void PrintHeaderSheet(const uniheader &header);
    bool printLogPages(const PrintLogRequest &request);
    // Paints a document on the shared printer: `draw` paints its pages and returns false to
    // give it up, which sends nothing to a printer. A PDF file is written only when complete
    // and wholly on the disk; an earlier file of its name is kept otherwise.
    using DocumentDraw = std::function<bool(QPainter &, QPagedPaintDevice &)>;
    bool printDocument(const DocumentDraw &draw);
    // Runs a command that returns whether it printed; `done` tells where a file went.
    void run(const std::function<bool()> &command,
             const QString &done = QStringLiteral("The page was written to the file %1."));
    // Moves the printer from its automatic file, once that exists, to the next free name.
    void keepEarlierPages();

    TForm1 &m_form;
    QPrinter m_printer;
    QString m_automaticPdf; // the file printing goes to until Print Setup chooses; or empty
};

} // namespace kivo
