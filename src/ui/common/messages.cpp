// KIVO Log Viewer
#include "ui/common/messages.h"

#include "shell/errorreport.h"

#include <QMessageBox>

namespace kivo {

namespace {

void show(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, QString::fromLatin1(ApplicationTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void showMessage(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::NoIcon, text);
}

void showInformation(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Information, text);
}

void showErrorReport(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Critical, errorReportText(text));
}

} // namespace kivo
