// KIVO Log Viewer
#pragma once

#include <QString>

namespace kivo {

class TForm1;

// "E&xport Image...": the export dialog, preset to the depths of the view's top and bottom
// records, then the export through the session's current colour tables with a progress dialog
// whose Cancel leaves no file. The user is told the file and its rows, or why it failed.
class ExportCommand {
public:
    explicit ExportCommand(TForm1 &form);

    void ExportImage1Click();

private:
    TForm1 &m_form;
    QString m_lastPath; // the file of the last export, offered again
};

} // namespace kivo
