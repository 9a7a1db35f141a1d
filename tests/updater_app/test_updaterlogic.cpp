// The progress bar's figures and the updater's percentage text, in one table.
#include "uikit/qmeprogressmath.h"
#include "updater/updatetexts.h"

#include <QtTest>

#include <limits>

class TestUpdaterLogic final : public QObject {
    Q_OBJECT

private slots:
    void figures_data() const;
    void figures() const;
};

void TestUpdaterLogic::figures_data() const {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("clamped");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("endWidth");
    QTest::addColumn<QList<int>>("parts"); // left end, middle, right end, halves
    QTest::addColumn<QString>("text");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    // The updater's bar: 341 pixels for 0 to 100, ends 10 pixels wide.
    QTest::newRow("empty") << 0.0 << 0.0 << 100.0 << 341 << 0.0 << 0 << 10 << QList<int>{0, 0, 0, 0}
                           << "0.00%";
    QTest::newRow("first figure") << 2.0 << 0.0 << 100.0 << 341 << 2.0 << 7 << 10
                                  << QList<int>{3, 0, 4, 1} << "2.00%";
    QTest::newRow("first blocks") << 11.0 << 0.0 << 100.0 << 341 << 11.0 << 38 << 10
                                  << QList<int>{10, 18, 10, 0} << "11.00%";
    // 0.5 rounds up: 50 % of 341 is 170.5.
    QTest::newRow("half rounds up") << 50.0 << 0.0 << 100.0 << 341 << 50.0 << 171 << 10
                                    << QList<int>{10, 151, 10, 0} << "50.00%";
    QTest::newRow("fraction") << 33.333 << 0.0 << 100.0 << 341 << 33.333 << 114 << 10
                              << QList<int>{10, 94, 10, 0} << "33.33%";
    QTest::newRow("just both ends")
        << 5.9 << 0.0 << 100.0 << 341 << 5.9 << 20 << 10 << QList<int>{10, 0, 10, 0} << "5.90%";
    QTest::newRow("full") << 100.0 << 0.0 << 100.0 << 341 << 100.0 << 341 << 10
                          << QList<int>{10, 321, 10, 0} << "100.00%";
    QTest::newRow("above clamps") << 150.0 << 0.0 << 100.0 << 341 << 100.0 << 341 << 10
                                  << QList<int>{10, 321, 10, 0} << "150.00%";
    QTest::newRow("below clamps") << -5.0 << 0.0 << 100.0 << 341 << 0.0 << 0 << 10
                                  << QList<int>{0, 0, 0, 0} << "-5.00%";
    QTest::newRow("not a number") << nan << 0.0 << 100.0 << 341 << 0.0 << 0 << 10
                                  << QList<int>{0, 0, 0, 0} << "nan%";
    // A range that does not start at 0 is measured from its minimum.
    QTest::newRow("offset range") << 60.0 << 50.0 << 150.0 << 200 << 60.0 << 20 << 10
                                  << QList<int>{10, 0, 10, 0} << "60.00%";
    QTest::newRow("offset minimum")
        << 50.0 << 50.0 << 150.0 << 200 << 50.0 << 0 << 10 << QList<int>{0, 0, 0, 0} << "50.00%";
    QTest::newRow("empty range") << 5.0 << 5.0 << 5.0 << 341 << 5.0 << 0 << 10
                                 << QList<int>{0, 0, 0, 0} << "5.00%";
    QTest::newRow("no length") << 50.0 << 0.0 << 100.0 << 0 << 50.0 << 0 << 10
                               << QList<int>{0, 0, 0, 0} << "50.00%";
    QTest::newRow("one pixel") << 0.2 << 0.0 << 100.0 << 341 << 0.2 << 1 << 10
                               << QList<int>{0, 0, 1, 1} << "0.20%";
}

void TestUpdaterLogic::figures() const {
    QFETCH(double, value);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, length);
    QFETCH(double, clamped);
    QFETCH(int, fill);
    QFETCH(int, endWidth);
    QFETCH(QList<int>, parts);
    QFETCH(QString, text);

    QCOMPARE(QMEProgressMath::Clamp(value, minimum, maximum), clamped);
    QCOMPARE(QMEProgressMath::FillLength(value, minimum, maximum, length), fill);
    const QMEProgressMath::FillParts split = QMEProgressMath::SplitFill(fill, endWidth);
    QCOMPARE((QList<int>{split.leftEnd, split.middle, split.rightEnd, int(split.halves)}), parts);
    // The pieces cover the fill exactly.
    QCOMPARE(split.leftEnd + split.middle + split.rightEnd, fill);
    QCOMPARE(UpdateTexts::ProgressText(float(value)), text);
}

QTEST_APPLESS_MAIN(TestUpdaterLogic)
#include "test_updaterlogic.moc"
