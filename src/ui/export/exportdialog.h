// KIVO Log Viewer
#pragma once

#include "export/imageexport.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace kivo {

// "Export Image": the depth range, the file, its format and the decimation of an image export.
// OK checks the depths as the print options dialog does (the same messages, a range against the
// log's direction taken as it is) and that a file is named; each rejection is a message box and
// the dialog stays open.
class ExportDialog : public QDialog {
    Q_OBJECT

public:
    // logStart and logEnd: the header's range the depths are checked against.
    ExportDialog(QWidget *parent, double logStart, double logEnd, const QString &unit);

    // The entries the dialog opens with.
    void setRange(double from, double to);
    void setPath(const QString &path);

    // After OK: the request (its colours left to the caller).
    ExportRequest request() const;

    QLineEdit *FromEdit;
    QLineEdit *ToEdit;
    QLineEdit *FileEdit;
    QComboBox *FormatBox;     // PNG, TIFF, TIFF with deflate
    QComboBox *DecimationBox; // none, every k-th, average of k
    QSpinBox *FactorBox;      // k

    void accept() override;

private:
    void browse();
    // The file name with the extension of the chosen format, where it has none of its own.
    QString pathWithExtension() const;

    double m_logStart;
    double m_logEnd;
    QString m_unit;
};

} // namespace kivo
