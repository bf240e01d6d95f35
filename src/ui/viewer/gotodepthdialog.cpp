// KIVO Log Viewer
#include "ui/viewer/gotodepthdialog.h"

#include "header/numberformat.h"
#include "log/depthrange.h"
#include "ui/common/messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace kivo {

GoToDepthDialog::GoToDepthDialog(double first, double last, const QString &unit, QWidget *parent)
    : QDialog(parent)
    , m_first(first)
    , m_last(last)
    , m_unit(unit)
{
    setObjectName(QStringLiteral("GoToDepthDialog"));
    setWindowTitle(QStringLiteral("Go to Depth"));
    auto *form = new QFormLayout(this);
    m_edit = new QLineEdit(this);
    m_edit->setPlaceholderText(
        QStringLiteral("%1 to %2")
            .arg(formatGeneral(first, QLocale()), formatGeneral(last, QLocale())));
    form->addRow(QStringLiteral("&Depth (%1):").arg(unit), m_edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoToDepthDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GoToDepthDialog::reject);
}

void GoToDepthDialog::accept()
{
    const DepthEntry entry = checkDepthEntry(m_edit->text(), m_first, m_last, m_unit, QLocale());
    if (!entry.depth) {
        showMessage(this, entry.message);
        return;
    }
    m_depth = *entry.depth;
    QDialog::accept();
}

} // namespace kivo
