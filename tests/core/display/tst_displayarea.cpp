// KIVO Log Viewer
#include "display/displayarea.h"
#include "display/sparesurfaces.h"
#include "kivoerror.h"

#include <QtTest>

using namespace kivo;

namespace {

// An area that writes down its events and presentations. The lists come first: the area's
// destructor raises OnFinalize, which still writes to them.
struct RecordedArea {
    QStringList events;
    QList<QSize> presented;
    DisplayArea area;

    RecordedArea(int width, int height)
    {
        area.setSize(width, height);
        area.OnInitialize = [this] {
            events << QStringLiteral("initialize");
            QVERIFY(area.Surface() != nullptr);
        };
        area.OnFinalize = [this] {
            events << QStringLiteral("finalize");
            QVERIFY(area.Surface() != nullptr);
        };
        area.setPresenter([this](const QImage &picture) { presented << picture.size(); });
    }
};

} // namespace

class TestDisplayArea : public QObject {
    Q_OBJECT

private slots:
    void presentBeforeInitializeDoesNothing();
    void initializeMakesSurface();
    void initializeAgainFinalizesFirst();
    void finalizeTwice();
    void destructionFinalizes();
    void initializeFailure_data();
    void initializeFailure();
    void notReadyWhileEventsRun();
    void nestedCallsFromEventsIgnored();
    void resizeRemakesSurface();
    void failedResizeKeepsSurface();
    void sizeBeforeInitialize();
    void spareSurfacesFollowArea();
    void spareSurfacesFinalizeWhenNone();
    void spareSurfacesFailure();
};

void TestDisplayArea::presentBeforeInitializeDoesNothing()
{
    RecordedArea recorded(783, 600);
    QVERIFY(!recorded.area.IsReady());
    QCOMPARE(recorded.area.Surface(), nullptr);
    recorded.area.Present();
    QVERIFY(recorded.presented.isEmpty());
}

void TestDisplayArea::initializeMakesSurface()
{
    RecordedArea recorded(783, 600);
    recorded.area.Initialize();
    QCOMPARE(recorded.events, QStringList{QStringLiteral("initialize")});
    QVERIFY(recorded.area.isInitialized());
    QVERIFY(recorded.area.IsReady());
    QCOMPARE(recorded.area.Surface()->Width(), 783);
    QCOMPARE(recorded.area.Surface()->Height(), 600);
    recorded.area.Present();
    QCOMPARE(recorded.presented, QList<QSize>{QSize(783, 600)});
}

void TestDisplayArea::initializeAgainFinalizesFirst()
{
    RecordedArea recorded(100, 50);
    recorded.area.Initialize();
    recorded.area.Surface()->Canvas().Brush.Color = clBlack;
    recorded.area.Initialize();
    QCOMPARE(recorded.events, (QStringList{QStringLiteral("initialize"), QStringLiteral("finalize"),
                                           QStringLiteral("initialize")}));
    // A new surface with a new canvas.
    QCOMPARE(recorded.area.Surface()->Canvas().Brush.Color, clWhite);
}

void TestDisplayArea::finalizeTwice()
{
    RecordedArea recorded(100, 50);
    recorded.area.Initialize();
    recorded.area.Finalize();
    QCOMPARE(recorded.area.Surface(), nullptr);
    QVERIFY(!recorded.area.isInitialized());
    QVERIFY(!recorded.area.IsReady());
    recorded.area.Present();
    QVERIFY(recorded.presented.isEmpty());
    recorded.area.Finalize();
    QCOMPARE(recorded.events,
             (QStringList{QStringLiteral("initialize"), QStringLiteral("finalize")}));
}

void TestDisplayArea::destructionFinalizes()
{
    QStringList events;
    {
        DisplayArea area;
        area.setSize(10, 10);
        area.OnFinalize = [&] {
            events << QStringLiteral("finalize");
        };
        area.Initialize();
    }
    QCOMPARE(events, QStringList{QStringLiteral("finalize")});
    {
        DisplayArea area;
        area.OnFinalize = [&] {
            events << QStringLiteral("finalize");
        };
    }
    QCOMPARE(events.size(), 1);
}

void TestDisplayArea::initializeFailure_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("initializedBefore");
    QTest::newRow("zero size") << QSize(0, 0) << false;
    QTest::newRow("zero height") << QSize(801, 0) << false;
    QTest::newRow("absurd size") << QSize(100000, 100000) << false;
    QTest::newRow("zero size, initialised before") << QSize(0, 600) << true;
}

void TestDisplayArea::initializeFailure()
{
    QFETCH(QSize, size);
    QFETCH(bool, initializedBefore);
    RecordedArea recorded(20, 20);
    if (initializedBefore)
        recorded.area.Initialize();
    recorded.events.clear();
    recorded.area.setSize(size.width(), size.height());
    try {
        recorded.area.Initialize();
        QFAIL("Initialize succeeded");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), QStringLiteral("Surface cannot be made"));
    }
    const QStringList expected =
        initializedBefore ? QStringList{QStringLiteral("finalize")} : QStringList{};
    QCOMPARE(recorded.events, expected);
    QVERIFY(!recorded.area.isInitialized());
    QVERIFY(!recorded.area.IsReady());
    QCOMPARE(recorded.area.Surface(), nullptr);
}

void TestDisplayArea::notReadyWhileEventsRun()
{
    RecordedArea recorded(30, 20);
    bool readyInInitialize = true;
    bool readyInFinalize = true;
    recorded.area.OnInitialize = [&] {
        readyInInitialize = recorded.area.IsReady();
        recorded.area.Present();
    };
    recorded.area.OnFinalize = [&] {
        readyInFinalize = recorded.area.IsReady();
        recorded.area.Present();
    };
    recorded.area.Initialize();
    QVERIFY(recorded.area.IsReady());
    recorded.area.Finalize();
    QVERIFY(!readyInInitialize);
    QVERIFY(!readyInFinalize);
    QVERIFY(recorded.presented.isEmpty());
}

void TestDisplayArea::nestedCallsFromEventsIgnored()
{
    RecordedArea recorded(30, 20);
    int finalizes = 0;
    recorded.area.OnInitialize = [&] {
        recorded.area.Initialize();
    };
    recorded.area.OnFinalize = [&] {
        ++finalizes;
        recorded.area.Finalize();
    };
    recorded.area.Initialize();
    QVERIFY(recorded.area.IsReady());
    recorded.area.Finalize();
    QCOMPARE(finalizes, 1);
    QVERIFY(!recorded.area.isInitialized());
}

void TestDisplayArea::resizeRemakesSurface()
{
    RecordedArea recorded(801, 600);
    recorded.area.Initialize();
    recorded.events.clear();
    TDirectDrawSurfaceCanvas &canvas = recorded.area.Surface()->Canvas();
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    QVERIFY(recorded.area.setSize(783, 600));
    QVERIFY(recorded.events.isEmpty());
    QCOMPARE(recorded.area.width(), 783);
    QCOMPARE(recorded.area.Surface()->Width(), 783);
    QCOMPARE(recorded.area.Surface()->Height(), 600);
    QCOMPARE(recorded.area.Surface()->Canvas().Font.Name, QStringLiteral("MS LineDraw"));
    recorded.area.Present();
    QCOMPARE(recorded.presented, QList<QSize>{QSize(783, 600)});
}

void TestDisplayArea::failedResizeKeepsSurface()
{
    RecordedArea recorded(801, 600);
    recorded.area.Initialize();
    QVERIFY(!recorded.area.setSize(0, 600));
    QCOMPARE(recorded.area.width(), 0);
    QCOMPARE(recorded.area.Surface()->Width(), 801);
    QVERIFY(recorded.area.IsReady());
}

void TestDisplayArea::sizeBeforeInitialize()
{
    RecordedArea recorded(801, 600);
    QVERIFY(recorded.area.setSize(783, 400));
    QVERIFY(recorded.area.setSize(-5, 400));
    QCOMPARE(recorded.area.width(), 0);
    QVERIFY(recorded.area.setSize(783, 400));
    recorded.area.Initialize();
    QCOMPARE(recorded.area.Surface()->Width(), 783);
    QCOMPARE(recorded.area.Surface()->Height(), 400);
}

void TestDisplayArea::spareSurfacesFollowArea()
{
    QStringList messages;
    DisplayArea area;
    SpareSurfaces spares(area, [&](const QString &text) { messages << text; });
    area.OnInitialize = [&] {
        spares.DXDraw1Initialize();
    };
    area.OnFinalize = [&] {
        spares.DXDraw1Finalize();
    };
    area.setSize(783, 600);
    area.Initialize();
    QVERIFY(spares.SpareSurface() != nullptr);
    QVERIFY(spares.SpareBitmap() != nullptr);
    QCOMPARE(spares.SpareSurface()->Width(), 783);
    QCOMPARE(spares.SpareSurface()->Height(), 600);
    QCOMPARE(spares.SpareBitmap()->width(), 783);
    QCOMPARE(spares.SpareBitmap()->height(), 600);
    // Loaded from the blank bitmap.
    QCOMPARE(spares.SpareSurface()->image().pixel(782, 599), qRgb(0, 0, 0));

    area.setSize(801, 600);
    area.Initialize(); // finalizes first, then makes both again at the new size
    QCOMPARE(spares.SpareSurface()->Width(), 801);
    area.Finalize();
    QCOMPARE(spares.SpareSurface(), nullptr);
    QCOMPARE(spares.SpareBitmap(), nullptr);
    QVERIFY(messages.isEmpty());
}

void TestDisplayArea::spareSurfacesFinalizeWhenNone()
{
    DisplayArea area;
    SpareSurfaces spares(area, {});
    spares.DXDraw1Finalize();
    QCOMPARE(spares.SpareSurface(), nullptr);
    QCOMPARE(spares.SpareBitmap(), nullptr);
}

// The bitmap cannot be had: the handler reports it and returns; the area stays ready.
void TestDisplayArea::spareSurfacesFailure()
{
    QStringList messages;
    DisplayArea area;
    SpareSurfaces spares(area, [&](const QString &text) { messages << text; });
    area.setSize(30, 20);
    area.OnInitialize = [&] {
        area.setSize(100000, 100000);
        spares.DXDraw1Initialize();
    };
    area.Initialize();
    QCOMPARE(messages, QStringList{QStringLiteral("Insufficient DIRECT DRAW Support")});
    QVERIFY(area.isInitialized());
    spares.DXDraw1Finalize();
    QCOMPARE(spares.SpareBitmap(), nullptr);
}

QTEST_GUILESS_MAIN(TestDisplayArea)
#include "tst_displayarea.moc"
