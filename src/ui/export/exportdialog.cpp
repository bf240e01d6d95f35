// KIVO Log Viewer
#include "ui/export/exportdialog.h"

#include "header/numberformat.h"
#include "print/printoptions.h"
#include "ui/common/messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <array>

namespace kivo {

namespace {

struct FormatChoice {
    const char *caption;
    ExportFormat format;
    const char *extension;
};

constexpr std::array<FormatChoice, 3> Formats{{
    {"PNG", ExportFormat::Png, ".png"},
    {"TIFF", ExportFormat::Tiff, ".tif"},
    {"TIFF, deflate", ExportFormat::TiffDeflate, ".tif"},
}};

} // namespace

ExportDialog::ExportDialog(QWidget *parent, double logStart, double logEnd, const QString &unit)
    : QDialog(parent)
    , m_logStart(logStart)
    , m_logEnd(logEnd)
    , m_unit(unit)
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("Export Image"));
    auto *form = new QFormLayout(this);
    FromEdit = new QLineEdit(this);
    ToEdit = new QLineEdit(this);
    form->addRow(QStringLiteral("Start Depth (%1):").arg(unit), FromEdit);
    form->addRow(QStringLiteral("End Depth (%1):").arg(unit), ToEdit);
    auto *fileRow = new QHBoxLayout;
    FileEdit = new QLineEdit(this);
    FileEdit->setMinimumWidth(280);
    auto *browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
    fileRow->addWidget(FileEdit);
    fileRow->addWidget(browseButton);
    form->addRow(QStringLiteral("File:"), fileRow);
    FormatBox = new QComboBox(this);
    for (const FormatChoice &choice : Formats)
        FormatBox->addItem(QString::fromLatin1(choice.caption));
    form->addRow(QStringLiteral("Format:"), FormatBox);
    auto *decimationRow = new QHBoxLayout;
    DecimationBox = new QComboBox(this);
    DecimationBox->addItems({QStringLiteral("Every record"), QStringLiteral("Every k-th record"),
                             QStringLiteral("Average of k records")});
    FactorBox = new QSpinBox(this);
    FactorBox->setRange(1, 1000000);
    FactorBox->setPrefix(QStringLiteral("k = "));
    decimationRow->addWidget(DecimationBox);
    decimationRow->addWidget(FactorBox);
    form->addRow(QStringLiteral("Rows:"), decimationRow);
    auto *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    form->addRow(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportDialog::reject);
    connect(browseButton, &QPushButton::clicked, this, &ExportDialog::browse);
    const auto factorFollows = [this] {
        FactorBox->setEnabled(DecimationBox->currentIndex() > 0);
    };
    connect(DecimationBox, &QComboBox::currentIndexChanged, this, factorFollows);
    factorFollows();
}

void ExportDialog::setRange(double from, double to)
{
    FromEdit->setText(formatGeneral(from, QLocale()));
    ToEdit->setText(formatGeneral(to, QLocale()));
}

void ExportDialog::setPath(const QString &path)
{
    FileEdit->setText(path);
    if (exportFormatOf(path) == ExportFormat::Tiff)
        FormatBox->setCurrentIndex(1);
}

void ExportDialog::browse()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export Image"), FileEdit->text(),
                                     QStringLiteral("Images (*.png *.tif *.tiff)"));
    if (!path.isEmpty())
        setPath(path);
}

QString ExportDialog::pathWithExtension() const
{
    const QString path = FileEdit->text().trimmed();
    const FormatChoice &choice = Formats[size_t(FormatBox->currentIndex())];
    const auto named = exportFormatOf(path);
    const bool matches =
        named && (*named == ExportFormat::Png) == (choice.format == ExportFormat::Png);
    return matches ? path : path + QLatin1String(choice.extension);
}

ExportRequest ExportDialog::request() const
{
    ExportRequest request;
    request.fromDepth = parseEntryFloat(FromEdit->text(), QLocale()).value_or(0.0);
    request.toDepth = parseEntryFloat(ToEdit->text(), QLocale()).value_or(0.0);
    request.path = pathWithExtension();
    request.format = Formats[size_t(FormatBox->currentIndex())].format;
    const Decimation decimations[] = {Decimation::None, Decimation::Every, Decimation::Average};
    request.decimation = decimations[DecimationBox->currentIndex()];
    request.factor = request.decimation == Decimation::None ? 1 : FactorBox->value();
    return request;
}

void ExportDialog::accept()
{
    const PrintOptionsCheck check =
        checkPrintOptions({FromEdit->text(), ToEdit->text(), QStringLiteral("0")}, m_logStart,
                          m_logEnd, m_unit, QLocale());
    QStringList messages = check.correctedStart ? QStringList() : check.messages;
    if (FileEdit->text().trimmed().isEmpty())
        messages << QStringLiteral("Name the file to write!");
    for (const QString &message : messages)
        showMessage(this, message);
    if (messages.isEmpty())
        QDialog::accept();
}

} // namespace kivo
