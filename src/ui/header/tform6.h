// KIVO Log Viewer
#pragma once

#include "header/boundedarray.h"
#include "header/uniheader.h"

#include <QLocale>
#include <QPixmap>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace kivo {

class LogSession;

// The header dialog: the open log's header record on five read-only tabs. A tool window that
// stays above the main window without blocking it. What it shows is taken from the record each
// time it turns visible and then stays, whatever happens to the record, until it is hidden and
// shown again.
class TForm6 : public QWidget {
    Q_OBJECT

public:
    // Numbers are shown with the decimal separator of `locale`.
    explicit TForm6(const LogSession &session, const QLocale &locale = QLocale::system());

    QTabWidget *PageControl1;
    QWidget *TabSheet1;   // "Client / Location"
    QWidget *TabSheet2;   // "Log Datum"
    QWidget *TabSheet3;   // "Logging Run"
    QWidget *TabSheet4;   // "Drill Bit Size / Casing"
    QWidget *TabSheet5;   // "Remarks"
    QPushButton *Button1; // "Ok"

    // Client / Location: project, log title, company, well, field, country, latitude,
    // longitude; the five other services.
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8;
    QGroupBox *GroupBox1;
    QLineEdit *Edit9, *Edit10, *Edit11, *Edit12, *Edit13;
    // Log Datum: the four datum texts, then Kelly bushing, drill floor and ground level.
    QLineEdit *Edit14, *Edit15, *Edit16, *Edit17, *Edit18, *Edit19, *Edit20;
    // Logging Run: the run selector and run number, then the run's fields in the record's
    // order (date, log type, the four depths with their units, fluid, engineer, salinity,
    // density, level, temperature, rig time, witness).
    QGroupBox *GroupBox2;
    QPushButton *Button4, *Button5, *Button6;
    QLineEdit *Edit21, *Edit22, *Edit23, *Edit24, *Edit25, *Edit26, *Edit27, *Edit28, *Edit29,
        *Edit30, *Edit31, *Edit32, *Edit33, *Edit34, *Edit35;
    QLabel *Label25, *Label26, *Label27, *Label28;
    // Drill Bit Size / Casing: the second run selector and run number, the casing size,
    // weight, from and to, the bit size, from and to, each with its unit.
    QGroupBox *GroupBox3, *GroupBox4, *GroupBox5;
    QPushButton *Button7, *Button8, *Button9;
    QLineEdit *Edit36, *Edit37, *Edit38, *Edit39, *Edit40, *Edit41, *Edit42, *Edit43;
    QLabel *Label43, *Label44, *Label45, *Label46, *Label47, *Label48, *Label49;
    // Remarks: the ten comment lines.
    QPlainTextEdit *Memo1;

    // The runs as they were at the last filling; the run buttons show these.
    BoundedArray<runtype, 1, 3> DialogRuns;

    // Runs each time the dialog turns from hidden to visible.
    void FormShow();
    // Fills every field from the header record, showing run `run` (1 to 3).
    void FillHeaderDialog(int run);
    // Fills the run fields of both run tabs from DialogRuns[run] (1 to 3).
    void ShowRun(int run);

    void Button1Click();
    void Button4Click() { ShowRun(1); }
    void Button5Click() { ShowRun(2); }
    void Button6Click() { ShowRun(3); }
    void Button7Click() { ShowRun(1); }
    void Button8Click() { ShowRun(2); }
    void Button9Click() { ShowRun(3); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *addTab(const QString &caption);
    void buildClientTab();
    void buildDatumTab();
    void buildRunTab();
    void buildBitCasingTab();
    void buildRemarksTab();
    QString number(double value) const;

    const LogSession &m_session;
    QLocale m_locale;
    QPixmap m_picture; // the same on every tab
};

} // namespace kivo
