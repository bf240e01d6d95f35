// KIVO Log Viewer
#include "ui/print/printlogcommand.h"

#include "log/logsession.h"

#include "header/headersheet.h"
#include "header/numberformat.h"
#include "kivoerror.h"
#include "log/imagefile.h"
#include "print/printlog.h"
#include "ui/common/messages.h"
#include "ui/print/printcommands.h"
#include "ui/print/tform8.h"
#include "ui/viewer/tform1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include <utility>

namespace kivo {

PrintLogCommand::PrintLogCommand(TForm1 &form)
    : m_form(form)
{}

void PrintLogCommand::PrintLog1Click()
{
    TForm8 *options = m_form.printOptions();
    if (!options || !m_form.session().isOpen())
        return;
    if (!m_connected) {
        connect(options, &TForm8::accepted, this, [this] {
            if (std::exchange(m_waiting, false))
                print();
        });
        connect(options, &TForm8::cancelled, this, [this] { m_waiting = false; });
        m_connected = true;
    }
    try {
        presetRange();
    } catch (const KivoError &error) {
        showErrorReport(&m_form, error.text());
        return;
    }
    m_waiting = true;
    m_form.setEnabled(false);
    options->show();
    options->raise();
    options->activateWindow();
}

void PrintLogCommand::presetRange()
{
    LogSession &session = m_form.session();
    const QString path = session.imageFile().path();
    if (m_presetLog == path)
        return;
    const auto range = session.recordDepthRange();
    if (!range)
        throw KivoError(QStringLiteral("The log holds no record: there is nothing to print."));
    TForm8 &options = *m_form.printOptions();
    options.Edit1->setText(formatGeneral(range->first, QLocale()));
    options.Edit2->setText(formatGeneral(range->second, QLocale()));
    m_presetLog = path;
}

void PrintLogCommand::print()
{
    const TForm8 &options = *m_form.printOptions();
    PrintLogRequest request;
    // OK has checked that both depths convert.
    request.fromDepth = parseEntryFloat(options.Edit1->text(), QLocale()).value_or(0.0);
    request.toDepth = parseEntryFloat(options.Edit2->text(), QLocale()).value_or(0.0);
    request.scale = options.ComboBox1->currentText().toInt();
    request.verticalDpi = m_form.state().params.VerticalDpi;
    request.header = options.CheckBox2->isChecked();
    request.keepMargins = options.CheckBox1->isChecked();
    request.logoPath = sheetLogoPath(QCoreApplication::applicationDirPath());
    m_form.printCommands().printLog(request);
}

} // namespace kivo
