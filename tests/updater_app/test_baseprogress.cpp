// The progress bar widget: clamping and its signal, its images, the three-part fill as painted
// and the limited repaint rate.
#include "tests/uikit/testenv.h"
#include "uikit/qmebaseprogress.h"

#include <QPainter>
#include <QSignalSpy>

namespace {

const QColor kTrack(128, 128, 128);
const QColor kLeft(0, 0, 255);
const QColor kMiddle(255, 0, 0);
const QColor kRight(0, 255, 0);

// A 100 x 21 fill image whose 10-pixel ends differ from its middle.
QString saveFill(const QTemporaryDir& dir) {
    QImage image(100, 21, QImage::Format_ARGB32);
    image.fill(kMiddle);
    QPainter painter(&image);
    painter.fillRect(0, 0, 10, 21, kLeft);
    painter.fillRect(90, 0, 10, 21, kRight);
    painter.end();
    const QString path = dir.filePath("fill.png");
    image.save(path);
    return path;
}

QString saveTrack(const QTemporaryDir& dir) {
    QImage image(100, 21, QImage::Format_ARGB32);
    image.fill(kTrack);
    const QString path = dir.filePath("track.png");
    image.save(path);
    return path;
}

bool near(const QColor& a, const QColor& b) {
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 &&
           qAbs(a.blue() - b.blue()) < 40;
}

} // namespace

class TestBaseProgress final : public QObject {
    Q_OBJECT

private slots:
    void valueIsClamped() const;
    void imagesAndFill_data() const;
    void imagesAndFill() const;
    void repaintsAtMostOncePerInterval() const;
};

void TestBaseProgress::valueIsClamped() const {
    QMEBaseProgress bar;
    QSignalSpy changed(&bar, &QMEBaseProgress::valueChanged);
    bar.setValue(150.0);
    bar.setValue(-3);
    bar.setValue(42.5);
    bar.setRange(50.0, 150.0);
    bar.setMaximum(20.0);
    QCOMPARE(changed.size(), 5);
    QCOMPARE(changed.at(0).at(0).toDouble(), 100.0);
    QCOMPARE(changed.at(1).at(0).toDouble(), 0.0);
    QCOMPARE(changed.at(2).at(0).toDouble(), 42.5);
    QCOMPARE(changed.at(3).at(0).toDouble(), 50.0);
    // A maximum below the minimum takes the minimum along.
    QCOMPARE(bar.minimum(), 20.0);
    QCOMPARE(bar.maximum(), 20.0);
    QCOMPARE(changed.at(4).at(0).toDouble(), 20.0);
    // The format text: a percentage with one decimal by default; empty draws nothing.
    bar.setRange(0.0, 200.0);
    bar.setValue(50.0);
    QCOMPARE(bar.Text(), QString("25.0%"));
    bar.SetFormat(QString());
    QCOMPARE(bar.Text(), QString());
}

void TestBaseProgress::imagesAndFill_data() const {
    QTest::addColumn<double>("value");
    QTest::addColumn<QList<int>>("columns");
    QTest::addColumn<QList<QColor>>("colours");

    QTest::newRow("empty") << 0.0 << QList<int>{2, 50, 97} << QList<QColor>{kTrack, kTrack, kTrack};
    // Ends at their width, the middle stretched between them.
    QTest::newRow("half") << 50.0 << QList<int>{3, 25, 45, 55}
                          << QList<QColor>{kLeft, kMiddle, kRight, kTrack};
    QTest::newRow("full") << 100.0 << QList<int>{3, 50, 96}
                          << QList<QColor>{kLeft, kMiddle, kRight};
    // Shorter than both ends: each half of the image in half the length.
    QTest::newRow("short") << 12.0 << QList<int>{0, 11, 14} << QList<QColor>{kLeft, kRight, kTrack};
}

void TestBaseProgress::imagesAndFill() const {
    QFETCH(double, value);
    QFETCH(QList<int>, columns);
    QFETCH(QList<QColor>, colours);

    QTemporaryDir dir;
    QMEBaseProgress bar;
    bar.resize(100, 10);
    QVERIFY(!bar.SetTrackImage(dir.filePath("missing.png")));
    QVERIFY(bar.TrackImage().isNull());
    QVERIFY(bar.SetTrackImage(saveTrack(dir)));
    QVERIFY(bar.SetFillImage(saveFill(dir)));
    // The widget grows to the track image's height.
    QCOMPARE(bar.size(), QSize(100, 21));
    bar.SetFormat(QString());
    bar.setValue(value);
    QCOMPARE(bar.FillLength(), int(value + 0.5));

    const QImage shot = bar.grab().toImage();
    for (int i = 0; i < columns.size(); ++i) {
        const QColor seen = shot.pixelColor(columns.at(i), 10);
        QVERIFY2(near(seen, colours.at(i)),
                 qPrintable(QString("column %1 is %2").arg(columns.at(i)).arg(seen.name())));
    }
}

void TestBaseProgress::repaintsAtMostOncePerInterval() const {
    QMEBaseProgress bar;
    bar.resize(100, 21);
    bar.show();
    bar.SetUpdateInterval(2000);
    bar.setValue(10.0);
    QVERIFY(!bar.RepaintPending());
    // Right behind a repaint: only marked, then painted by the interval's timer.
    bar.setValue(20.0);
    QVERIFY(bar.RepaintPending());
    QCOMPARE(bar.value(), 20.0);
    QTRY_VERIFY_WITH_TIMEOUT(!bar.RepaintPending(), 30000);
    // Without an interval every change repaints at once.
    bar.SetUpdateInterval(0);
    bar.setValue(30.0);
    QVERIFY(!bar.RepaintPending());
}

TALIX_WIDGET_TEST_MAIN(TestBaseProgress)
#include "test_baseprogress.moc"
