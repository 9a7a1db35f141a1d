#include "editor/mainwindowrules.h"

#include <QtTest>

#include <cstring>

using namespace MainWindowRules;

class TestMainWindowRules final : public QObject {
    Q_OBJECT

private slots:
    void firmware_data() {
        QTest::addColumn<QByteArray>("field"); // the identity's 7-byte version field
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matches");
        QTest::newRow("expected") << QByteArray("V1.2.2\0", 7) << "V1.2.2" << true;
        QTest::newRow("lower case") << QByteArray("v1.2.2\0", 7) << "v1.2.2" << true;
        QTest::newRow("older") << QByteArray("V1.2.1\0", 7) << "V1.2.1" << false;
        QTest::newRow("prefix") << QByteArray("V1.2\0\0\0", 7) << "V1.2" << false;
        // Seven bytes fill the field: no NUL, the text must still stop at the field's end.
        QTest::newRow("full field") << QByteArray("V1.2.22", 7) << "V1.2.22" << false;
        QTest::newRow("empty") << QByteArray(7, '\0') << "" << false;
    }
    void firmware() {
        QFETCH(QByteArray, field);
        QFETCH(QString, text);
        QFETCH(bool, matches);
        IdentityRecord identity;
        std::memset(&identity, 'X', sizeof identity);
        std::memcpy(identity.firmwareVersion, field.constData(), 7);
        QCOMPARE(firmwareText(identity), text);
        QCOMPARE(firmwareMatches(text), matches);
    }

    void connectSizes_data() {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("languageType");
        QTest::addColumn<int>("switchWidth");
        QTest::addColumn<QSize>("background");
        QTest::newRow("connected en") << true << 0 << 117 << QSize(134, 40);
        QTest::newRow("disconnected en") << false << 0 << 137 << QSize(153, 40);
        QTest::newRow("connected zh") << true << 1 << 75 << QSize(95, 40);
        QTest::newRow("disconnected zh") << false << 1 << 91 << QSize(111, 40);
        QTest::newRow("connected ja") << true << 4 << 117 << QSize(134, 40);
        QTest::newRow("disconnected de") << false << 2 << 137 << QSize(153, 40);
    }
    void connectSizes() {
        QFETCH(bool, connected);
        QFETCH(int, languageType);
        QFETCH(int, switchWidth);
        QFETCH(QSize, background);
        const ConnectSizes sizes = MainWindowRules::connectSizes(connected, languageType);
        QCOMPARE(sizes.switchWidth, switchWidth);
        QCOMPARE(sizes.background, background);
    }

    void downloadPages() {
        QVERIFY(!downloadPage(0).isEmpty());
        QCOMPARE(downloadPage(1), QString(kDownloadPageChinese));
        for (int type : {0, 2, 3, 4, 7})
            QCOMPARE(downloadPage(type), QString(kDownloadPage));
        QVERIFY(downloadPage(0) != downloadPage(1));
    }

    // The band from the right: close 30 in from the margin, minimise 30 left of it, Set 40
    // further, then 26 between the others; tops centred in the 70-pixel band below y = 8.
    void titleBandPositions() {
        const QVector<QSize> sizes{QSize(28, 28), QSize(28, 28), QSize(34, 34),  QSize(34, 34),
                                   QSize(34, 34), QSize(34, 34), QSize(110, 30), QSize(153, 40)};
        const QVector<QPoint> at = titleBand(1296, 8, sizes);
        const QVector<QPoint> expected{QPoint(1230, 29), QPoint(1172, 29), QPoint(1098, 26),
                                       QPoint(1038, 26), QPoint(978, 26),  QPoint(918, 26),
                                       QPoint(782, 28),  QPoint(603, 23)};
        QCOMPARE(at, expected);
        QCOMPARE(bandTop(25), 8 + 22); // integer division
        QCOMPARE(switchPosition(at[Connect], QSize(153, 40), 137, 24), QPoint(613, 31));
        QCOMPARE(titleBand(1296, 8, sizes.mid(1)), QVector<QPoint>(BandControls));
    }
};

QTEST_APPLESS_MAIN(TestMainWindowRules)
#include "test_mainwindowrules.moc"
