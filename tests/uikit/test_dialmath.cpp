#include "uikit/qmedialmath.h"

#include <QtTest>
#include <cmath>

namespace {

// A second way to the pointer angle: atan2 measured clockwise from straight down, less half the
// dead zone; accepted when it lands on the sweep.
bool viaAtan2(double dx, double dy, int contra, double* angle) {
    double a = std::atan2(-dx, dy) * 180.0 / M_PI;
    if (a < 0)
        a += 360.0;
    a -= contra / 2.0;
    if (a < 0 || a > 360.0 - contra)
        return false;
    *angle = a;
    return true;
}

} // namespace

class TestDialMath final : public QObject {
    Q_OBJECT

private slots:
    void valueAndNeedleAngle_data() const {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("contra");
        QTest::addColumn<double>("valueAngle");
        QTest::addColumn<double>("needleAngle");
        QTest::newRow("min") << 0 << 0 << 100 << 60 << 0.0 << 30.0;
        QTest::newRow("mid") << 50 << 0 << 100 << 60 << 150.0 << 180.0;
        QTest::newRow("max") << 100 << 0 << 100 << 60 << 300.0 << 330.0;
        QTest::newRow("offset range") << -5 << -10 << 10 << 90 << 67.5 << 112.5;
        QTest::newRow("no dead zone") << 25 << 0 << 100 << 0 << 90.0 << 90.0;
    }

    void valueAndNeedleAngle() const {
        QFETCH(int, value);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, contra);
        QFETCH(double, valueAngle);
        QFETCH(double, needleAngle);
        QCOMPARE(QMEDialMath::ValueAngle(value, minimum, maximum, contra), valueAngle);
        QCOMPARE(QMEDialMath::NeedleAngle(value, minimum, maximum, contra), needleAngle);
    }

    void pointer_data() const {
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("angle");
        const double t27 = std::tan(27.0 * M_PI / 180.0);
        const double t20 = std::tan(20.0 * M_PI / 180.0);
        QTest::newRow("straight below") << 0.0 << 20.0 << false << 0.0;
        QTest::newRow("centre") << 0.0 << 0.0 << false << 0.0;
        QTest::newRow("just inside left edge") << -20.0 * t27 << 20.0 << true << 0.0;
        QTest::newRow("deep left in dead zone") << -20.0 * t20 << 20.0 << false << 0.0;
        QTest::newRow("left edge exactly") << -20.0 * std::tan(M_PI / 6) << 20.0 << true << 0.0;
        QTest::newRow("nine o'clock") << -20.0 << 0.0 << true << 60.0;
        QTest::newRow("left and above") << -20.0 << -20.0 << true << 105.0;
        QTest::newRow("twelve o'clock") << 0.0 << -20.0 << true << 150.0;
        QTest::newRow("right and above") << 20.0 << -20.0 << true << 195.0;
        QTest::newRow("three o'clock") << 20.0 << 0.0 << true << 240.0;
        QTest::newRow("right and below") << 20.0 << 20.0 << true << 285.0;
        QTest::newRow("just inside right edge") << 20.0 * t27 << 20.0 << true << 300.0;
        QTest::newRow("deep right in dead zone") << 20.0 * t20 << 20.0 << false << 0.0;
    }

    void pointer() const {
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(bool, accepted);
        QFETCH(double, angle);
        const QMEDialMath::Pointer p = QMEDialMath::PointerAngle(dx, dy, 60);
        QCOMPARE(p.accepted, accepted);
        if (accepted)
            QVERIFY2(std::fabs(p.angle - angle) < 1e-9, qPrintable(QString::number(p.angle)));
    }

    void pointerAgreesWithAtan2() const {
        for (int contra : {0, 60, 90}) {
            for (int y = -30; y <= 30; y += 3) {
                for (int x = -30; x <= 30; x += 3) {
                    double expected = 0;
                    const bool onSweep = viaAtan2(x, y, contra, &expected);
                    const QMEDialMath::Pointer p = QMEDialMath::PointerAngle(x, y, contra);
                    if (onSweep && !(x == 0 && y == 0)) {
                        QVERIFY(p.accepted);
                        QVERIFY2(std::fabs(p.angle - expected) < 1e-6,
                                 qPrintable(QString("%1,%2").arg(x).arg(y)));
                    } else if (!p.accepted) {
                        continue;
                    } else {
                        // Accepted off the sweep only by snapping to an end.
                        QVERIFY(p.angle == 0 || p.angle == 360 - contra);
                    }
                }
            }
        }
    }

    void valueFromAngle_data() const {
        QTest::addColumn<double>("angle");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << 0.0 << 0 << 100 << 0;
        QTest::newRow("just below half") << 1.49 << 0 << 100 << 0;
        QTest::newRow("half rounds up") << 1.5 << 0 << 100 << 1;
        QTest::newRow("twelve o'clock") << 150.0 << 0 << 100 << 50;
        QTest::newRow("full sweep") << 300.0 << 0 << 100 << 100;
        QTest::newRow("offset range") << 150.0 << 20 << 40 << 30;
        QTest::newRow("negative range") << 0.0 << -12 << 12 << -12;
    }

    void valueFromAngle() const {
        QFETCH(double, angle);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QCOMPARE(QMEDialMath::ValueFromAngle(angle, minimum, maximum, 60), value);
    }

    void valueRoundTrip() const {
        for (int v = 0; v <= 100; ++v) {
            const double a = QMEDialMath::ValueAngle(v, 0, 100, 60);
            QCOMPARE(QMEDialMath::ValueFromAngle(a, 0, 100, 60), v);
        }
    }

    void wheel_data() const {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("wrapping");
        QTest::addColumn<int>("result");
        QTest::newRow("up") << 10 << 1 << true << false << 11;
        QTest::newRow("down") << 10 << 5 << false << false << 5;
        QTest::newRow("up at max stays") << 100 << 1 << true << false << 100;
        QTest::newRow("up at max wraps") << 100 << 1 << true << true << 0;
        QTest::newRow("down at min stays") << 0 << 1 << false << false << 0;
        QTest::newRow("down at min wraps") << 0 << 1 << false << true << 100;
        QTest::newRow("up stops at max") << 98 << 5 << true << true << 100;
        QTest::newRow("down stops at min") << 3 << 5 << false << true << 0;
    }

    void wheelNotches_data() const {
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<QList<int>>("notches");
        QTest::newRow("mouse notch") << QList<int>{120} << QList<int>{1};
        QTest::newRow("mouse notch down") << QList<int>{-120} << QList<int>{-1};
        QTest::newRow("two notches at once") << QList<int>{240} << QList<int>{2};
        QTest::newRow("touchpad swipe") << QList<int>{15, 15, 15, 15, 15, 15, 15, 15, 15}
                                        << QList<int>{0, 0, 0, 0, 0, 0, 0, 1, 0};
        QTest::newRow("remainder carries") << QList<int>{100, 100, 100} << QList<int>{0, 1, 1};
        QTest::newRow("back and forth cancels")
            << QList<int>{60, -60, 60, -60} << QList<int>{0, 0, 0, 0};
        QTest::newRow("down swipe") << QList<int>{-50, -50, -50} << QList<int>{0, 0, -1};
    }

    void wheelNotches() const {
        QFETCH(QList<int>, deltas);
        QFETCH(QList<int>, notches);
        int pending = 0;
        QList<int> seen;
        for (int delta : deltas)
            seen << QMEDialMath::WheelNotches(pending, delta);
        QCOMPARE(seen, notches);
    }

    void wheel() const {
        QFETCH(int, value);
        QFETCH(int, step);
        QFETCH(bool, up);
        QFETCH(bool, wrapping);
        QFETCH(int, result);
        QCOMPARE(QMEDialMath::WheelValue(value, 0, 100, step, up, wrapping), result);
    }

    void litDots_data() const {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("lit");
        QTest::newRow("min") << 0 << 0;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("below second dot") << 8 << 1;
        QTest::newRow("at second dot") << 9 << 2;
        QTest::newRow("mid") << 50 << 7;
        QTest::newRow("just below max") << 99 << 12;
        QTest::newRow("max") << 100 << 13;
    }

    void litDots() const {
        QFETCH(int, value);
        QFETCH(int, lit);
        QCOMPARE(QMEDialMath::LitDots(value, 0, 100, 60, 13), lit);
    }

    void arcStart() const {
        QCOMPARE(QMEDialMath::ArcStartAngle(60), 240.0);
        QCOMPARE(QMEDialMath::ArcStartAngle(90), 225.0);
    }
};

QTEST_APPLESS_MAIN(TestDialMath)
#include "test_dialmath.moc"
