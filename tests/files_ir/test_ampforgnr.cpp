#include "files/ampforgnr.h"
#include "irfileimages.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <random>

using namespace IrFileImages;

namespace {

quint32 expected24(float x) {
    if (x == 1.0f) {
        return 0x7FFFF7;
    }
    if (x == -1.0f) {
        return 0x800009;
    }
    return low24(static_cast<qint64>(std::trunc(double(x) * 8388608.0)));
}

QVector<float> randomFloats(int count) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> real(-1.0f, 1.0f);
    QVector<float> out;
    for (int i = 0; i < count; ++i) {
        out.append(real(rng));
    }
    return out;
}

constexpr quint32 kUntouched = 0xA5A5A5;

} // namespace

class TestAMPForGNR final : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int fileNumber = 0;

    QByteArray writeFile(const QByteArray& image) {
        return QFile::encodeName(
            IrFileImages::writeFile(dir.filePath(QString("ir%1.gir").arg(++fileNumber)), image));
    }

private slots:
    void samples_data() const {
        QTest::addColumn<QByteArray>("magic");
        QTest::addColumn<int>("count");
        QTest::newRow("zelvage, 1024 samples") << QByteArray("zelvage", 8) << 1024;
        QTest::newRow("zelvast, 1024 samples") << QByteArray("zelvast", 8) << 1024;
        QTest::newRow("short data") << QByteArray("zelvage", 8) << 10;
        QTest::newRow("no data") << QByteArray("zelvage", 8) << 0;
        QTest::newRow("data beyond 4096 bytes") << QByteArray("zelvast", 8) << 3000;
    }

    // The first 1024 samples fill the first 1024 words; the caller's other words stay as they are.
    void samples() {
        QFETCH(QByteArray, magic);
        QFETCH(int, count);
        Gir layout;
        layout.magic = magic;
        layout.samples = randomFloats(count);
        QVector<quint32> block(2560, kUntouched);
        AMPForGNR reader;
        QVERIFY(reader.loadSamples(writeFile(gir(layout)), block.data()));
        for (int k = 0; k < 1024; ++k) {
            QCOMPARE(block[k], k < count ? expected24(layout.samples[k]) : 0u);
        }
        QCOMPARE(block.mid(1024), QVector<quint32>(2560 - 1024, kUntouched));
    }

    void floatValues_data() const {
        QTest::addColumn<float>("value");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("1.0") << 1.0f << quint32(0x7FFFF7);
        QTest::newRow("0.5") << 0.5f << quint32(0x400000);
        QTest::newRow("-0.5") << -0.5f << quint32(0xC00000);
        QTest::newRow("-1.0") << -1.0f << quint32(0x800009);
        QTest::newRow("0.999999") << 0.999999f << quint32(0x7FFFF7);
        QTest::newRow("smallest step") << 1.0f / 8388608 << quint32(1);
        QTest::newRow("1.5 wraps") << 1.5f << quint32(0xC00000);
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << quint32(0);
    }

    void floatValues() {
        QFETCH(float, value);
        QFETCH(quint32, expected);
        Gir layout;
        layout.samples = {value, -0.25f};
        QVector<quint32> block(2560, 0);
        AMPForGNR reader;
        QVERIFY(reader.loadSamples(writeFile(gir(layout)), block.data()));
        QCOMPARE(block[0], expected);
        QCOMPARE(block[1], quint32(0xE00000));
    }

    void recordFields() {
        Gir layout;
        layout.magic = QByteArray("zelvast", 8);
        layout.blob = "blob of eleven";
        layout.samples = {0.5f, 0.25f};
        const QByteArray image = gir(layout);
        GnrFile record;
        AMPForGNR reader;
        QVERIFY(reader.load(writeFile(image), record));
        QCOMPARE(QByteArray(record.magic.data(), 8), QByteArray("zelvast", 8));
        QCOMPARE(record.length, quint32(image.size() - 12));
        QCOMPARE(QByteArray(record.infoTag.data(), 4), QByteArray("info"));
        QCOMPARE(record.infoSize, quint32(36));
        QCOMPARE(record.infoWords[0], quint32(0x01010101));
        QCOMPARE(record.infoWords[3], quint32(0x04040404));
        QCOMPARE(record.blobLength, quint32(layout.blob.size()));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.blob.get()), layout.blob.size()),
                 layout.blob);
        QCOMPARE(QByteArray(record.dataTag.data(), 4), QByteArray("data"));
        QCOMPARE(record.dataLength, quint32(8));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.data.get()), 8), image.right(8));
    }

    void freshRecord() const {
        const GnrFile record;
        QCOMPARE(QByteArray(record.magic.data(), 8), QByteArray("zelvage", 8));
        QCOMPARE(QByteArray(record.infoTag.data(), 4), QByteArray("info"));
        QCOMPARE(QByteArray(record.dataTag.data(), 4), QByteArray("data"));
        QVERIFY(!record.blob && !record.data);
        QCOMPARE(record.length + record.blobLength + record.dataLength, quint32(0));
    }

    void failures_data() const {
        QTest::addColumn<QByteArray>("image");
        Gir good;
        good.samples = randomFloats(16);
        const QByteArray base = gir(good);

        Gir g = good;
        g.magic = QByteArray("zelvagf", 8);
        QTest::newRow("other magic") << gir(g);
        g.magic = "zelvage!";
        QTest::newRow("magic without zero byte") << gir(g);
        g = good;
        g.lengthAdjust = -1;
        QTest::newRow("length word one less") << gir(g);
        g.lengthAdjust = 1;
        QTest::newRow("length word one more") << gir(g);
        g = good;
        g.infoTag = "inf0";
        QTest::newRow("no info tag") << gir(g);
        g = good;
        g.dataTag = "DATA";
        QTest::newRow("no data tag") << gir(g);
        g = good;
        g.blobLengthWord = 0xFFFFFFF0;
        QTest::newRow("blob beyond the file") << gir(g);
        g = good;
        g.dataLengthWord = good.samples.size() * 4 + 1;
        QTest::newRow("data one byte beyond the file") << gir(g);
        g.dataLengthWord = 0xFFFFFFFF;
        QTest::newRow("huge data length") << gir(g);
        QTest::newRow("header only") << base.left(20);
        QTest::newRow("ten bytes") << base.left(10);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("a WAVE file") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) + base;
    }

    // Broken files fail, also when truncated with a matching length word.
    void failures() {
        QFETCH(QByteArray, image);
        QVector<quint32> block(2560, kUntouched);
        AMPForGNR reader;
        QVERIFY(!reader.loadSamples(writeFile(image), block.data()));
        QCOMPARE(block, QVector<quint32>(2560, kUntouched));
    }

    void truncatedAtEveryLength() {
        Gir layout;
        layout.samples = randomFloats(4);
        const QByteArray image = gir(layout);
        for (int size = 0; size < image.size(); ++size) {
            QByteArray cut = image.left(size);
            if (size >= 12) {
                const quint32 length = quint32(size - 12); // keep the length word consistent
                for (int i = 0; i < 4; ++i) {
                    cut[8 + i] = char(length >> (8 * i) & 0xFF);
                }
            }
            QBuffer device(&cut);
            QVERIFY(device.open(QIODevice::ReadOnly));
            GnrFile record;
            AMPForGNR reader;
            QVERIFY2(!reader.read(device, record), qPrintable(QString::number(size)));
        }
    }

    void missingFile() const {
        QVector<quint32> block(2560, 0);
        AMPForGNR reader;
        QVERIFY(!reader.loadSamples("/nonexistent/folder/ir.gir", block.data()));
    }
};

QTEST_APPLESS_MAIN(TestAMPForGNR)
#include "test_ampforgnr.moc"
