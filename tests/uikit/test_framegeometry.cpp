#include "uikit/qmeframegeometry.h"
#include "uikit/qmescalerule.h"

#include <QtTest>

using namespace QMEFrameGeometry;

class TestFrameGeometry final : public QObject {
    Q_OBJECT

private slots:
    void scaleFactor_data() const {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<int>("factor");
        // Screens with a 48-pixel task bar; the editor's and the updater's fixed windows.
        QTest::newRow("editor, 1920 x 1080, 100 %")
            << 1.0 << QSize(1920, 1032) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 1920 x 1080, 100 %")
            << 1.0 << QSize(1920, 1032) << QSize(470, 288) << 1;
        QTest::newRow("editor, 1920 x 1080, 125 %")
            << 1.25 << QSize(1920, 1032) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 1920 x 1080, 125 %")
            << 1.25 << QSize(1920, 1032) << QSize(470, 288) << 1;
        QTest::newRow("editor, 1920 x 1080, 150 %")
            << 1.5 << QSize(1920, 1032) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 1920 x 1080, 150 %")
            << 1.5 << QSize(1920, 1032) << QSize(470, 288) << 2;
        QTest::newRow("editor, 1920 x 1080, 175 %")
            << 1.75 << QSize(1920, 1032) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 1920 x 1080, 175 %")
            << 1.75 << QSize(1920, 1032) << QSize(470, 288) << 2;
        QTest::newRow("editor, 1920 x 1080, 200 %")
            << 2.0 << QSize(1920, 1032) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 1920 x 1080, 200 %")
            << 2.0 << QSize(1920, 1032) << QSize(470, 288) << 2;
        QTest::newRow("editor, 2560 x 1440, 100 %")
            << 1.0 << QSize(2560, 1392) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 2560 x 1440, 100 %")
            << 1.0 << QSize(2560, 1392) << QSize(470, 288) << 1;
        QTest::newRow("editor, 2560 x 1440, 125 %")
            << 1.25 << QSize(2560, 1392) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 2560 x 1440, 125 %")
            << 1.25 << QSize(2560, 1392) << QSize(470, 288) << 1;
        QTest::newRow("editor, 2560 x 1440, 150 %")
            << 1.5 << QSize(2560, 1392) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 2560 x 1440, 150 %")
            << 1.5 << QSize(2560, 1392) << QSize(470, 288) << 2;
        QTest::newRow("editor, 2560 x 1440, 175 %")
            << 1.75 << QSize(2560, 1392) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 2560 x 1440, 175 %")
            << 1.75 << QSize(2560, 1392) << QSize(470, 288) << 2;
        QTest::newRow("editor, 2560 x 1440, 200 %")
            << 2.0 << QSize(2560, 1392) << QSize(1296, 736) << 1;
        QTest::newRow("updater, 2560 x 1440, 200 %")
            << 2.0 << QSize(2560, 1392) << QSize(470, 288) << 2;
        QTest::newRow("editor, 3840 x 2160, 150 %")
            << 1.5 << QSize(3840, 2112) << QSize(1296, 736) << 2;
        QTest::newRow("editor, 3840 x 2160, 200 %")
            << 2.0 << QSize(3840, 2112) << QSize(1296, 736) << 2;
    }

    void scaleFactor() const {
        QFETCH(qreal, scale);
        QFETCH(QSize, available);
        QFETCH(QSize, window);
        QFETCH(int, factor);
        QCOMPARE(QMEScaleRule::Factor(scale, available, window), factor);
    }

    void hitTest_data() const {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("directions");
        QTest::addColumn<int>("zone");
        // Window 200 x 100 with 8-pixel shadow insets: the frame spans x 8..191, y 8..91.
        QTest::newRow("left edge") << QPoint(8, 50) << 3 << int(ZoneLeft);
        QTest::newRow("left inner") << QPoint(11, 50) << 3 << int(ZoneLeft);
        QTest::newRow("left past border") << QPoint(12, 50) << 3 << int(ZoneNone);
        QTest::newRow("in left shadow") << QPoint(7, 50) << 3 << int(ZoneNone);
        QTest::newRow("right edge") << QPoint(191, 50) << 3 << int(ZoneRight);
        QTest::newRow("right inner") << QPoint(188, 50) << 3 << int(ZoneRight);
        QTest::newRow("right past border") << QPoint(187, 50) << 3 << int(ZoneNone);
        QTest::newRow("in right shadow") << QPoint(192, 50) << 3 << int(ZoneNone);
        QTest::newRow("top") << QPoint(100, 8) << 3 << int(ZoneTop);
        QTest::newRow("bottom") << QPoint(100, 91) << 3 << int(ZoneBottom);
        QTest::newRow("bottom past border") << QPoint(100, 87) << 3 << int(ZoneNone);
        QTest::newRow("top-left") << QPoint(9, 9) << 3 << int(ZoneTopLeft);
        QTest::newRow("top-right") << QPoint(190, 10) << 3 << int(ZoneTopRight);
        QTest::newRow("bottom-right") << QPoint(191, 91) << 3 << int(ZoneBottomRight);
        QTest::newRow("bottom-left") << QPoint(8, 88) << 3 << int(ZoneBottomLeft);
        QTest::newRow("centre") << QPoint(100, 50) << 3 << int(ZoneNone);
        QTest::newRow("horizontal only, top") << QPoint(100, 8) << 1 << int(ZoneNone);
        QTest::newRow("horizontal only, corner") << QPoint(8, 8) << 1 << int(ZoneLeft);
        QTest::newRow("vertical only, side") << QPoint(8, 50) << 2 << int(ZoneNone);
        QTest::newRow("vertical only, corner") << QPoint(8, 8) << 2 << int(ZoneTop);
        QTest::newRow("not resizable") << QPoint(8, 8) << 0 << int(ZoneNone);
    }

    void hitTest() const {
        QFETCH(QPoint, pos);
        QFETCH(int, directions);
        QFETCH(int, zone);
        QCOMPARE(HitTest(pos, QSize(200, 100), QMargins(8, 8, 8, 8), directions).zone, zone);
    }

    void hitTestRecordsEdgeDistance() const {
        QCOMPARE(HitTest(QPoint(10, 50), QSize(200, 100), QMargins(8, 8, 8, 8), 3).edgeDistance,
                 QPoint(10, 0));
        QCOMPARE(HitTest(QPoint(190, 90), QSize(200, 100), QMargins(8, 8, 8, 8), 3).edgeDistance,
                 QPoint(9, 9));
    }

    void zoneCursor_data() const {
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("cursor");
        QTest::newRow("left") << int(ZoneLeft) << int(Qt::SplitHCursor);
        QTest::newRow("right") << int(ZoneRight) << int(Qt::SplitHCursor);
        QTest::newRow("top") << int(ZoneTop) << int(Qt::SplitVCursor);
        QTest::newRow("bottom") << int(ZoneBottom) << int(Qt::SplitVCursor);
        QTest::newRow("top-left") << int(ZoneTopLeft) << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-right") << int(ZoneBottomRight) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right") << int(ZoneTopRight) << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left") << int(ZoneBottomLeft) << int(Qt::SizeBDiagCursor);
    }

    void zoneCursor() const {
        QFETCH(int, zone);
        QFETCH(int, cursor);
        QCOMPARE(int(ZoneCursor(zone)), cursor);
    }

    void resizedRect_data() const {
        QTest::addColumn<int>("zone");
        QTest::addColumn<QPoint>("mouse");
        QTest::addColumn<QPoint>("distance");
        QTest::addColumn<QRect>("expected");
        // Window at (100, 100), 300 x 200; minimum 200 x 150; screen 1000 x 800, available 760.
        QTest::newRow("right grows")
            << int(ZoneRight) << QPoint(450, 150) << QPoint(2, 0) << QRect(100, 100, 353, 200);
        QTest::newRow("right at minimum")
            << int(ZoneRight) << QPoint(150, 150) << QPoint(0, 0) << QRect(100, 100, 200, 200);
        QTest::newRow("right below screen width")
            << int(ZoneRight) << QPoint(2000, 150) << QPoint(0, 0) << QRect(100, 100, 996, 200);
        QTest::newRow("left keeps right edge")
            << int(ZoneLeft) << QPoint(50, 150) << QPoint(3, 0) << QRect(47, 100, 353, 200);
        QTest::newRow("left at minimum")
            << int(ZoneLeft) << QPoint(390, 150) << QPoint(0, 0) << QRect(200, 100, 200, 200);
        QTest::newRow("top") << int(ZoneTop) << QPoint(200, 90) << QPoint(0, 1)
                             << QRect(100, 89, 300, 211);
        QTest::newRow("bottom below available")
            << int(ZoneBottom) << QPoint(200, 5000) << QPoint(0, 0) << QRect(100, 100, 300, 759);
        QTest::newRow("bottom-right") << int(ZoneBottomRight) << QPoint(420, 330) << QPoint(1, 1)
                                      << QRect(100, 100, 322, 232);
        QTest::newRow("top-left") << int(ZoneTopLeft) << QPoint(90, 80) << QPoint(0, 0)
                                  << QRect(90, 80, 310, 220);
        QTest::newRow("no zone") << int(ZoneNone) << QPoint(0, 0) << QPoint(0, 0)
                                 << QRect(100, 100, 300, 200);
    }

    void resizedRect() const {
        QFETCH(int, zone);
        QFETCH(QPoint, mouse);
        QFETCH(QPoint, distance);
        QFETCH(QRect, expected);
        QCOMPARE(ResizedRect(QRect(100, 100, 300, 200), zone, mouse, distance, QSize(200, 150),
                             QSize(1000, 800), QSize(1000, 760)),
                 expected);
    }

    void maximisedRectPutsShadowOffScreen() const {
        QCOMPARE(MaximisedRect(QRect(0, 0, 1920, 1040), QMargins(8, 8, 8, 8)),
                 QRect(-8, -8, 1936, 1056));
        QCOMPARE(MaximisedRect(QRect(0, 30, 800, 570), QMargins(4, 6, 10, 12)),
                 QRect(-4, 24, 814, 588));
    }

    void titleBarLayout_data() const {
        QTest::addColumn<bool>("maxShown");
        QTest::addColumn<QPoint>("minimise");
        QTest::newRow("maximise shown") << true << QPoint(440, 8);
        QTest::newRow("maximise and restore hidden") << false << QPoint(470, 8);
    }

    void titleBarLayout() const {
        QFETCH(bool, maxShown);
        QFETCH(QPoint, minimise);
        const TitleButtons b = LayoutTitleBar(530, QMargins(8, 8, 12, 8), QSize(40, 30),
                                              QSize(30, 30), QSize(30, 30), maxShown);
        QCOMPARE(b.close, QPoint(478, 8));
        QCOMPARE(b.maximise, QPoint(448, 8));
        QCOMPARE(b.restore, b.maximise);
        QCOMPARE(b.minimise.y(), minimise.y());
        QCOMPARE(b.minimise.x(), maxShown ? 418 : 448);
    }

    void nineSliceCorners() const {
        const QVector<Slice> s =
            NineSlice(QSize(30, 60), QMargins(10, 20, 10, 20), QRect(0, 0, 100, 90));
        QCOMPARE(s.size(), 9);
        QCOMPARE(s[0].source, QRect(0, 0, 10, 20));
        QCOMPARE(s[0].target, QRect(0, 0, 10, 20));
        QCOMPARE(s[2].source, QRect(20, 0, 10, 20));
        QCOMPARE(s[2].target, QRect(90, 0, 10, 20));
        QCOMPARE(s[4].source, QRect(10, 20, 10, 20));
        QCOMPARE(s[4].target, QRect(10, 20, 80, 50));
        QCOMPARE(s[6].target, QRect(0, 70, 10, 20));
        QCOMPARE(s[8].source, QRect(20, 40, 10, 20));
        QCOMPARE(s[8].target, QRect(90, 70, 10, 20));
    }

    void nineSliceCornersOfDoubleSizeImage() const {
        // The same layout as above from an image drawn at twice the size.
        const QVector<Slice> s =
            NineSlice(QSize(60, 120), QMargins(10, 20, 10, 20), QRect(0, 0, 100, 90), 2.0);
        QCOMPARE(s.size(), 9);
        QCOMPARE(s[0].source, QRect(0, 0, 20, 40));
        QCOMPARE(s[0].target, QRect(0, 0, 10, 20));
        QCOMPARE(s[2].source, QRect(40, 0, 20, 40));
        QCOMPARE(s[2].target, QRect(90, 0, 10, 20));
        QCOMPARE(s[4].source, QRect(20, 40, 20, 40));
        QCOMPARE(s[4].target, QRect(10, 20, 80, 50));
        QCOMPARE(s[8].source, QRect(40, 80, 20, 40));
        QCOMPARE(s[8].target, QRect(90, 70, 10, 20));
    }

    void nineSliceCoversEverythingOnce_data() const {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QRect>("target");
        QTest::newRow("thirds") << QSize(90, 60) << 1.0 << QRect(0, 0, 400, 300);
        QTest::newRow("odd") << QSize(31, 17) << 1.0 << QRect(5, 7, 123, 45);
        QTest::newRow("same size") << QSize(33, 33) << 1.0 << QRect(0, 0, 33, 33);
        QTest::newRow("double, thirds") << QSize(90, 60) << 2.0 << QRect(0, 0, 400, 300);
        QTest::newRow("double, odd") << QSize(31, 17) << 2.0 << QRect(5, 7, 123, 45);
        QTest::newRow("double, same size") << QSize(33, 33) << 2.0 << QRect(0, 0, 33, 33);
    }

    void nineSliceCoversEverythingOnce() const {
        QFETCH(QSize, image);
        QFETCH(qreal, ratio);
        QFETCH(QRect, target);
        // Corners in logical pixels, the source in the image's own pixels.
        const QMargins corners(image.width() / 3, image.height() / 3, image.width() / 3,
                               image.height() / 3);
        const QVector<Slice> slices = NineSlice(image * ratio, corners, target, ratio);
        QImage src(image * ratio, QImage::Format_ARGB32);
        src.fill(0);
        QImage dst(target.right() + 1, target.bottom() + 1, QImage::Format_ARGB32);
        dst.fill(0);
        // Count coverage pixel by pixel: every pixel exactly once, nothing outside.
        for (const Slice& slice : slices) {
            for (int y = slice.source.top(); y <= slice.source.bottom(); ++y)
                for (int x = slice.source.left(); x <= slice.source.right(); ++x)
                    src.setPixel(x, y, src.pixel(x, y) + 1);
            for (int y = slice.target.top(); y <= slice.target.bottom(); ++y)
                for (int x = slice.target.left(); x <= slice.target.right(); ++x)
                    dst.setPixel(x, y, dst.pixel(x, y) + 1);
        }
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                QCOMPARE(src.pixel(x, y), 1u);
        for (int y = 0; y < dst.height(); ++y)
            for (int x = 0; x < dst.width(); ++x)
                QCOMPARE(dst.pixel(x, y), target.contains(x, y) ? 1u : 0u);
    }

    void logoAndTitleRects() const {
        // x, y, right = x - 1, bottom = y - 1: natural size at the given place.
        QCOMPARE(LogoRect(QRect(QPoint(45, 24), QPoint(44, 23)), QSize(600, 400), QSize(80, 20)),
                 QRect(45, 24, 80, 20));
        QCOMPARE(LogoRect(QRect(QPoint(-1, -1), QPoint(-2, -2)), QSize(600, 400), QSize(80, 20)),
                 QRect(260, 190, 80, 20));
        QCOMPARE(
            TitleRect(QRect(QPoint(43, 13), QPoint(42, 12)), QSize(600, 400), QMargins(8, 8, 8, 8)),
            QRect(43, 13, 549, 20));
        QCOMPARE(
            TitleRect(QRect(QPoint(0, 0), QPoint(-1, -1)), QSize(600, 400), QMargins(8, 6, 10, 8)),
            QRect(8, 6, 582, 20));
    }
};

QTEST_APPLESS_MAIN(TestFrameGeometry)
#include "test_framegeometry.moc"
