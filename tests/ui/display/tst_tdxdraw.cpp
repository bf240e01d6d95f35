// KIVO Log Viewer
#include "ui/display/tdxdraw.h"
#include "viewerdriver.h"

#include <QtTest>

#include <algorithm>

using namespace kivo;
using namespace kivo::test;

class TestTDXDraw : public QObject {
    Q_OBJECT

private slots:
    void refusedSizeKeepsTheView();
};

void TestTDXDraw::refusedSizeKeepsTheView()
{
    QWidget window;
    window.resize(300, 200);
    auto *draw = new TDXDraw(&window);
    draw->resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    draw->Initialize();
    const QRgb shown = qRgb(10, 200, 30);
    for (int y = 0; y < 100; ++y)
        std::fill_n(draw->Surface()->scanLine(y), 200, shown);
    QSignalSpy resized(draw, &TDXDraw::resized);

    // More pixels than any surface may have.
    draw->resize(20000, 20000);
    QString text;
    answerMessageBox(&text);
    QTRY_VERIFY(!text.isEmpty());
    QVERIFY2(text.contains("20000 x 20000") && text.contains("200 x 100"), qPrintable(text));
    QCOMPARE(resized.count(), 0);
    QCOMPARE(draw->Surface()->image().size(), QSize(200, 100));
    QCOMPARE(draw->Surface()->image().pixel(199, 99), shown);
    window.repaint();

    draw->resize(250, 120);
    QCOMPARE(resized.count(), 1);
    QCOMPARE(draw->Surface()->image().size(), QSize(250, 120));
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestTDXDraw)
#include "tst_tdxdraw.moc"
