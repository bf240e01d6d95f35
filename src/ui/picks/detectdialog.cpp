// KIVO Log Viewer
#include "ui/picks/detectdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

namespace kivo {

DetectDialog::DetectDialog(std::function<QString(Range)> diameterText, QWidget *parent)
    : QDialog(parent)
    , m_diameterText(std::move(diameterText))
{
    setObjectName(QStringLiteral("DetectDialog"));
    setWindowTitle(QStringLiteral("Detect Picks"));
    auto *form = new QFormLayout(this);
    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("DetectRange"));
    m_range->addItems({QStringLiteral("Records in view"), QStringLiteral("Whole log")});
    form->addRow(QStringLiteral("&Range:"), m_range);
    m_confidence = new QDoubleSpinBox(this);
    m_confidence->setObjectName(QStringLiteral("MinConfidence"));
    // From 0 to 1 as `kivo detect --min-confidence`, and 0 (every candidate) as its default.
    m_confidence->setRange(0.0, 1.0);
    m_confidence->setDecimals(2);
    m_confidence->setSingleStep(0.05);
    m_confidence->setValue(0.0);
    form->addRow(QStringLiteral("Minimum &confidence:"), m_confidence);
    m_diameter = new QLabel(this);
    m_diameter->setObjectName(QStringLiteral("DetectDiameter"));
    form->addRow(QStringLiteral("Borehole diameter:"), m_diameter);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &DetectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DetectDialog::reject);
    const auto showDiameter = [this] {
        m_diameter->setText(m_diameterText(range()));
    };
    connect(m_range, &QComboBox::currentIndexChanged, this, showDiameter);
    showDiameter();
}

DetectDialog::Range DetectDialog::range() const
{
    return m_range->currentIndex() == WholeLog ? WholeLog : RecordsInView;
}

double DetectDialog::minConfidence() const
{
    return m_confidence->value();
}

} // namespace kivo
