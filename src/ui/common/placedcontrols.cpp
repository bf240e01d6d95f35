// KIVO Log Viewer
#include "ui/common/placedcontrols.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kivo::placed {

namespace {

constexpr int UnitWidth = 24;

QString componentName(const char *kind, int number)
{
    return QString::fromLatin1(kind) + QString::number(number);
}

} // namespace

QLabel *caption(QWidget *parent, const QString &text, int x, int y, int width)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(x, y, width, EditHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel *label(QWidget *parent, const QString &text, int number, int x, int y)
{
    auto *result = new QLabel(text, parent);
    result->setObjectName(componentName("Label", number));
    result->move(x, y);
    result->adjustSize();
    return result;
}

QLineEdit *edit(QWidget *parent, int number, int x, int y, int width)
{
    auto *result = new QLineEdit(parent);
    result->setObjectName(componentName("Edit", number));
    result->setGeometry(x, y, width, EditHeight);
    return result;
}

QLineEdit *captionedEdit(QWidget *parent, const QString &caption, int number, int x, int y,
                         int captionWidth, int editWidth)
{
    QLabel *label = placed::caption(parent, caption, x, y, captionWidth);
    QLineEdit *result = edit(parent, number, x + captionWidth, y, editWidth);
    label->setBuddy(result);
    return result;
}

QLabel *unitLabel(QWidget *parent, int number, int x, int y)
{
    QLabel *label = caption(parent, QStringLiteral("xxx"), x, y, UnitWidth);
    label->setObjectName(componentName("Label", number));
    return label;
}

QGroupBox *groupBox(QWidget *parent, const QString &title, int number, int x, int y, int width,
                    int height)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(componentName("GroupBox", number));
    box->setGeometry(x, y, width, height);
    return box;
}

QPushButton *button(QWidget *parent, const QString &text, int number, int x, int y, int width,
                    int height)
{
    auto *result = new QPushButton(text, parent);
    result->setObjectName(componentName("Button", number));
    result->setGeometry(x, y, width, height);
    return result;
}

} // namespace kivo::placed
