// KIVO Log Viewer
#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace kivo {

// "Detect Picks": which records to search (those in view, or the whole log) and the least
// confidence of a candidate kept, with the hole's diameter the search will use for the range
// chosen.
class DetectDialog : public QDialog {
    Q_OBJECT

public:
    enum Range { RecordsInView, WholeLog };

    // diameterText: what to show of the diameter for a range (its value, or why there is none).
    DetectDialog(std::function<QString(Range)> diameterText, QWidget *parent);

    Range range() const;
    double minConfidence() const;
    QComboBox *rangeBox() const { return m_range; }
    QDoubleSpinBox *confidenceBox() const { return m_confidence; }
    QLabel *diameterLabel() const { return m_diameter; }

private:
    std::function<QString(Range)> m_diameterText;
    QComboBox *m_range;
    QDoubleSpinBox *m_confidence;
    QLabel *m_diameter;
};

} // namespace kivo
