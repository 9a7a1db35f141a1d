#include "editor/sliderdisplay.h"

#include <QtTest>

class TestSliderDisplay final : public QObject {
    Q_OBJECT

private slots:
    void formulas_data() const {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<QString>("expected");

        QTest::newRow("latency 20 ms sent") << "toDevice" << 20 << 0 << "80";
        QTest::newRow("latency 1 ms sent") << "toDevice" << 1 << 0 << "4";
        QTest::newRow("latency 0 ms sent") << "toDevice" << 0 << 0 << "0";
        QTest::newRow("device 8 shown") << "fromDevice" << 8 << 0 << "2";
        QTest::newRow("device 5 shown") << "fromDevice" << 5 << 0 << "1";
        QTest::newRow("device 7 shown") << "fromDevice" << 7 << 0 << "2";
        QTest::newRow("device 1, below half") << "fromDevice" << 1 << 0 << "0";
        QTest::newRow("device 2, half way up") << "fromDevice" << 2 << 0 << "1";
        QTest::newRow("device 6, half way up") << "fromDevice" << 6 << 0 << "2";
        QTest::newRow("device 58, half way up") << "fromDevice" << 58 << 0 << "15";
        QTest::newRow("device 80 shown") << "fromDevice" << 80 << 0 << "20";

        QTest::newRow("low-cut 0") << "lowCut" << 0 << 3 << "Off";
        QTest::newRow("low-cut 3, 19 Hz") << "lowCut" << 3 << 3 << "Off";
        QTest::newRow("low-cut 4") << "lowCut" << 4 << 3 << "25Hz";
        QTest::newRow("low-cut 10") << "lowCut" << 10 << 3 << "63Hz";
        QTest::newRow("low-cut 40") << "lowCut" << 40 << 3 << "250Hz";
        QTest::newRow("low-cut 41") << "lowCut" << 41 << 3 << "254Hz";
        QTest::newRow("low-cut 50") << "lowCut" << 50 << 3 << "292Hz";
        QTest::newRow("low-cut 70") << "lowCut" << 70 << 3 << "375Hz";
        QTest::newRow("low-cut 100") << "lowCut" << 100 << 3 << "500Hz";

        QTest::newRow("high-cut 0, minimum") << "highCut" << 0 << 0 << "Off";
        QTest::newRow("high-cut 1") << "highCut" << 1 << 0 << "20000Hz";
        QTest::newRow("high-cut 1 as minimum") << "highCut" << 1 << 1 << "Off";
        QTest::newRow("high-cut 2") << "highCut" << 2 << 0 << "19750Hz";
        QTest::newRow("high-cut 30") << "highCut" << 30 << 0 << "12750Hz";
        QTest::newRow("high-cut 40") << "highCut" << 40 << 0 << "10250Hz";
        QTest::newRow("high-cut 41") << "highCut" << 41 << 0 << "10000Hz";
        QTest::newRow("high-cut 42, 118.6 rounds up") << "highCut" << 42 << 0 << "9881Hz";
        QTest::newRow("high-cut 70") << "highCut" << 70 << 0 << "6559Hz";
        QTest::newRow("high-cut 100") << "highCut" << 100 << 0 << "3000Hz";
    }

    void formulas() const {
        QFETCH(QString, formula);
        QFETCH(int, input);
        QFETCH(int, minimum);
        QFETCH(QString, expected);
        QString shown;
        if (formula == "toDevice")
            shown = QString::number(SliderDisplay::latencyToDevice(input));
        else if (formula == "fromDevice")
            shown = QString::number(SliderDisplay::latencyFromDevice(input));
        else if (formula == "lowCut")
            shown = SliderDisplay::lowCutText(input, "Hz");
        else
            shown = SliderDisplay::highCutText(input, minimum, "Hz");
        QCOMPARE(shown, expected);
    }

    // Turning a cut-off dial one way never turns the shown frequency the other way.
    void frequenciesRunOneWay() const {
        for (int p = 3; p < 100; ++p) {
            QVERIFY2(SliderDisplay::lowCutFrequency(p + 1) > SliderDisplay::lowCutFrequency(p),
                     qPrintable(QString("low-cut %1").arg(p)));
            QVERIFY2(SliderDisplay::highCutFrequency(p + 1) < SliderDisplay::highCutFrequency(p),
                     qPrintable(QString("high-cut %1").arg(p)));
        }
        // Each shown latency goes back to the number the dial sends.
        for (int ms = 0; ms <= 20; ++ms)
            QCOMPARE(SliderDisplay::latencyFromDevice(SliderDisplay::latencyToDevice(ms)), ms);
    }
};

QTEST_APPLESS_MAIN(TestSliderDisplay)
#include "test_sliderdisplay.moc"
