// KIVO Log Viewer
#include "ui/common/messages.h"

#include "shell/errorreport.h"

#include <QGridLayout>
#include <QMessageBox>

namespace kivo {

namespace {

// A window manager elides a caption wider than its window: a box around a short text read
// "K…". The box is made at least as wide as its caption in a bold face, with room for the title
// bar's icon and buttons (about a caption's height each).
void fitCaption(QMessageBox &box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    const int width = title.horizontalAdvance(box.windowTitle()) + 4 * title.height() + 20;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void show(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, QString::fromLatin1(ApplicationTitle), text, QMessageBox::Ok, parent);
    fitCaption(box);
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
