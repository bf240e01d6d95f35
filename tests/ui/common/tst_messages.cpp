// KIVO Log Viewer
#include "shell/errorreport.h"
#include "ui/common/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace kivo;

class TestMessages : public QObject {
    Q_OBJECT

private slots:
    void boxesShowTheirWholeCaption_data();
    void boxesShowTheirWholeCaption();
};

void TestMessages::boxesShowTheirWholeCaption_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("message") << 0;
    QTest::newRow("information") << 1;
    QTest::newRow("error report") << 2;
}

// A window manager draws the caption in a bold face of about the application's size, beside
// an icon and three buttons of about a caption's height each: a box narrower than that shows
// "K…" for its caption.
void TestMessages::boxesShowTheirWholeCaption()
{
    QFETCH(int, kind);
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    const int needed =
        title.horizontalAdvance(QString::fromLatin1(ApplicationTitle)) + 4 * title.height() + 20;
    int width = 0;
    QString caption;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        width = box->width();
        caption = box->windowTitle();
        box->accept();
    });
    const std::function<void(QWidget *, const QString &)> show[] = {showMessage, showInformation,
                                                                    showErrorReport};
    show[kind](nullptr, QStringLiteral("Invalid Header!"));
    QCOMPARE(caption, QStringLiteral("KIVO VIEWER"));
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
