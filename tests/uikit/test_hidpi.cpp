#include "testenv.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmewidget.h"

#include <QFile>
#include <QLabel>
#include <QPainter>

// Runs on screens with device pixel ratio 2: skin images must come from their double-size twins
// and paint pixel for pixel while every size stays what the plain images give.
namespace {

const QColor kPlain(200, 40, 40);
const QColor kTwin(40, 40, 200);
const QColor kNeedle(30, 160, 60);

QImage filled(const QSize& size, const QColor& color) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// A one-pixel checker: any scaling, smooth or not, changes it.
QColor checker(int x, int y, const QColor& color) {
    return (x + y) % 2 ? color : QColor(Qt::white);
}

} // namespace

class TestHiDpi final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // "name.png" at the plain size and "name@2x.png" at twice the size.
    void savePair(const QString& name, const QImage& plain, const QImage& twin) const {
        QVERIFY(plain.save(path(name + ".png")));
        QVERIFY(twin.save(path(name + "@2x.png")));
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QCOMPARE(QMEImageLoader::ScreenRatio(), 2.0);
        savePair("pair", filled(QSize(8, 6), kPlain), filled(QSize(16, 12), kTwin));
        QVERIFY(filled(QSize(8, 6), kPlain).save(path("single.png")));
        QVERIFY(filled(QSize(8, 6), kPlain).save(path("broken.png")));
        QFile broken(path("broken@2x.png"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        QVERIFY(broken.write("not an image") > 0);
        savePair("face", filled(QSize(46, 40), kPlain), filled(QSize(92, 80), kTwin));
        savePair("needle", filled(QSize(4, 12), kPlain), filled(QSize(8, 24), kNeedle));
    }

    void twinPath_data() const {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("twin");
        QTest::newRow("png") << "/a/b/btn_close.png"
                             << "/a/b/btn_close@2x.png";
        QTest::newRow("dotted folder") << "/a.b/c"
                                       << "/a.b/c@2x";
        QTest::newRow("two dots") << "x/sound.v2.png"
                                  << "x/sound.v2@2x.png";
    }

    void twinPath() const {
        QFETCH(QString, plain);
        QFETCH(QString, twin);
        QCOMPARE(QMEImageLoader::TwinPath(plain), twin);
    }

    void load_data() const {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("screen");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("twin at 2") << "pair.png" << 2.0 << kTwin << 2.0;
        QTest::newRow("twin at 1.5") << "pair.png" << 1.5 << kTwin << 2.0;
        QTest::newRow("plain at 1") << "pair.png" << 1.0 << kPlain << 1.0;
        QTest::newRow("no twin at 2") << "single.png" << 2.0 << kPlain << 1.0;
        QTest::newRow("unreadable twin at 2") << "broken.png" << 2.0 << kPlain << 1.0;
    }

    void load() const {
        QFETCH(QString, name);
        QFETCH(qreal, screen);
        QFETCH(QColor, color);
        QFETCH(qreal, ratio);
        const QImage image = QMEImageLoader::Load(path(name), screen);
        QCOMPARE(image.pixelColor(0, 0), color);
        QCOMPARE(image.devicePixelRatio(), ratio);
        QCOMPARE(QMEImageLoader::LogicalSize(image), QSize(8, 6));
    }

    void loadFollowsTheScreen() const {
        const QImage image = QMEImageLoader::Load(path("pair.png"));
        QCOMPARE(image.pixelColor(0, 0), kTwin);
        const QPixmap pixmap = QMEImageLoader::LoadPixmap(path("pair.png"));
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QCOMPARE(QMEImageLoader::LogicalSize(pixmap), QSize(8, 6));
    }

    void missingFileGivesNothing() const {
        QVERIFY(QMEImageLoader::Load(path("absent.png"), 2.0).isNull());
        QVERIFY(QMEImageLoader::Load(path("absent.png"), 1.0).isNull());
        QVERIFY(QMEImageLoader::LoadIcon(path("absent.png")).isNull());
    }

    void iconOffersTheTwin() const {
        const QPixmap sharp = QMEImageLoader::LoadIcon(path("pair.png")).pixmap(QSize(8, 6));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.toImage().pixelColor(0, 0), kTwin);
        const QPixmap plain = QMEImageLoader::LoadIcon(path("single.png")).pixmap(QSize(8, 6));
        QCOMPARE(plain.toImage().pixelColor(0, 0), kPlain);
    }

    void buttonFramesKeepTheirLogicalSize() const {
        // Four frames of 25 x 10, each in its own colour, checkered in the twin.
        const QColor frames[4] = {Qt::red, Qt::green, Qt::blue, Qt::darkYellow};
        QImage plain(100, 10, QImage::Format_ARGB32);
        QImage twin(200, 20, QImage::Format_ARGB32);
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 10; ++y)
                plain.setPixelColor(x, y, frames[x / 25]);
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 20; ++y)
                twin.setPixelColor(x, y, checker(x, y, frames[x / 50]));
        savePair("strip", plain, twin);

        QMEBaseButton button;
        QVERIFY(button.SetButtonImage(path("strip.png")));
        QCOMPARE(button.Draw().ButtonImage().devicePixelRatio(), 2.0);
        QCOMPARE(button.Draw().FrameSize(), QSize(plain.width() / 4, plain.height()));
        QCOMPARE(button.size(), QSize(25, 10));

        for (int frame : {0, 1}) {
            if (frame == 1)
                button.Draw().Enter(true);
            const QImage shot = button.grab().toImage();
            QCOMPARE(shot.size(), QSize(50, 20));
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 50; ++x)
                    QCOMPARE(shot.pixelColor(x, y), twin.pixelColor(frame * 50 + x, y));
        }
    }

    void nineSliceKeepsCornersUnscaled() const {
        // Plain 30 x 30 with 10-pixel slices; the twin is 60 x 60: checkered corners, edges
        // striped across their stretch direction, a grey centre.
        const QColor corner[4] = {Qt::black, Qt::red, Qt::darkGreen, Qt::blue};
        const QColor stripe(255, 160, 0);
        const QColor centre(128, 128, 128);
        QImage twin(60, 60, QImage::Format_ARGB32);
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                const int col = x / 20;
                const int row = y / 20;
                QColor c = centre;
                if (col != 1 && row != 1)
                    c = checker(x, y, corner[(row / 2) * 2 + col / 2]);
                else if (row != 1)
                    c = y % 2 ? stripe : QColor(Qt::white);
                else if (col != 1)
                    c = x % 2 ? stripe : QColor(Qt::white);
                twin.setPixelColor(x, y, c);
            }
        }
        savePair("panel", filled(QSize(30, 30), kPlain), twin);

        QMEWidget widget;
        QVERIFY(widget.SetBackgroundImage(path("panel.png"), true));
        QCOMPARE(widget.size(), QSize(30, 30));
        QCOMPARE(widget.SliceSizes(), QMargins(10, 10, 10, 10));
        widget.resize(70, 50);

        QImage target(140, 100, QImage::Format_ARGB32);
        target.setDevicePixelRatio(2);
        target.fill(Qt::transparent);
        widget.render(&target);

        // Corners: the twin's own pixels, one to one.
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                QCOMPARE(target.pixelColor(x, y), twin.pixelColor(x, y));
                QCOMPARE(target.pixelColor(120 + x, y), twin.pixelColor(40 + x, y));
                QCOMPARE(target.pixelColor(x, 80 + y), twin.pixelColor(x, 40 + y));
                QCOMPARE(target.pixelColor(120 + x, 80 + y), twin.pixelColor(40 + x, 40 + y));
            }
        }
        // Edges keep their stripes across, the centre its colour.
        for (int i = 0; i < 20; ++i) {
            const QColor c = i % 2 ? stripe : QColor(Qt::white);
            QCOMPARE(target.pixelColor(70, i), c);
            QCOMPARE(target.pixelColor(70, 80 + i), c);
            QCOMPARE(target.pixelColor(i, 50), c);
            QCOMPARE(target.pixelColor(120 + i, 50), c);
        }
        QCOMPARE(target.pixelColor(70, 50), centre);
    }

    void controlsSizeFromThePlainImage() const {
        QMECircleSlider dial;
        dial.setBackgroundImage(QMEImageLoader::LoadPixmap(path("face.png")));
        QCOMPARE(dial.size(), QSize(46, 40));

        savePair("on", filled(QSize(14, 12), kPlain), filled(QSize(28, 24), kTwin));
        savePair("off", filled(QSize(14, 12), kPlain), filled(QSize(28, 24), kTwin));
        QMECheckBox box;
        QVERIFY(box.SetIndicatorImages(path("on.png"), path("off.png")));
        box.resize(100, 30);
        QCOMPARE(box.Draw().IndicatorRect(box.size(), Qt::LeftToRight), QRect(0, 9, 14, 12));
        QCOMPARE(box.Draw().TextRect(box.size(), Qt::LeftToRight).left(), 14 + 6);

        QMEWidget window;
        QVERIFY(window.SetBackgroundImage(path("face.png"), false));
        QVERIFY(window.SetLogoImage(path("needle.png")));
        QCOMPARE(window.LogoTargetRect(), QRect(21, 14, 4, 12));
    }

    void needleTurnsAboutTheCentre() const {
        // Straight up at the middle value: the needle covers the centre column above the middle.
        QMECircleSlider dial;
        dial.setContraAngle(0);
        dial.setBackgroundImage(QMEImageLoader::LoadPixmap(path("face.png")));
        dial.setNeedleImage(QMEImageLoader::LoadPixmap(path("needle.png")));
        dial.setValue(50);
        const QImage shot = dial.grab().toImage();
        QCOMPARE(shot.size(), QSize(92, 80));
        QCOMPARE(shot.pixelColor(46, 30), kNeedle);
        QCOMPARE(shot.pixelColor(46, 50), kNeedle);
        QCOMPARE(shot.pixelColor(46, 20), kTwin);
    }

    // Images named in style sheets are found by Qt itself; the skins rely on it.
    void styleSheetsTakeTheTwin_data() const {
        QTest::addColumn<QString>("rule");
        QTest::newRow("border-image") << "QLabel{border-image:url(%1)}";
        QTest::newRow("image") << "QLabel{image:url(%1)}";
    }

    void styleSheetsTakeTheTwin() const {
        QFETCH(QString, rule);
        QLabel label;
        label.resize(8, 6);
        label.setStyleSheet(rule.arg(path("pair.png")));
        const QImage shot = label.grab().toImage();
        QCOMPARE(shot.size(), QSize(16, 12));
        QCOMPARE(shot.pixelColor(8, 6), kTwin);
    }
};

TALIX_WIDGET_TEST_MAIN_SCALED(TestHiDpi, "2")

#include "test_hidpi.moc"
