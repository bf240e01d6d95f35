// KIVO Log Viewer
#pragma once

#include <QDialog>

class QLineEdit;

namespace kivo {

// "Go to Depth": asks for a depth in the log's unit and accepts only one inside the records'
// depth range, telling why in a box otherwise, as the print options do.
class GoToDepthDialog : public QDialog {
    Q_OBJECT

public:
    // first, last: the depths of the log's first and last records; unit "m" or "ft".
    GoToDepthDialog(double first, double last, const QString &unit, QWidget *parent);

    // The depth accepted with OK.
    double depth() const { return m_depth; }
    QLineEdit *edit() const { return m_edit; }

    void accept() override;

private:
    QLineEdit *m_edit;
    double m_first;
    double m_last;
    QString m_unit;
    double m_depth = 0.0;
};

} // namespace kivo
