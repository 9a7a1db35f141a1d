#include "files/wavreader.h"
#include "irfileimages.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

using namespace IrFileImages;

namespace {

enum Kind { Pcm, Float };

// Expected 24-bit value of one stored sample, computed from the value that was written.
quint32 expected24(quint16 bits, Kind kind, qint64 value, float floatValue) {
    if (kind == Float) {
        if (floatValue == 1.0f) {
            return 0x7FFFF7;
        }
        if (floatValue == -1.0f) {
            return 0x800009;
        }
        return low24(static_cast<qint64>(std::trunc(double(floatValue) * 8388608.0)));
    }
    switch (bits) {
    case 8:
        return low24((value - 128) * 65536);
    case 16:
        return low24(value * 256);
    case 24:
        return low24(value);
    default:
        return low24(value / 256 - (value % 256 < 0 ? 1 : 0)); // floor division drops the low byte
    }
}

qint64 signed24(quint32 word) {
    const qint64 value = word & 0xFFFFFF;
    return value >= 0x800000 ? value - 0x1000000 : value;
}

qint64 randomSample(std::mt19937& rng, quint16 bits) {
    if (bits == 8) {
        return std::uniform_int_distribution<qint64>(0, 255)(rng);
    }
    const qint64 top = (qint64{1} << (bits - 1)) - 1;
    return std::uniform_int_distribution<qint64>(-top - 1, top)(rng);
}

// Builds interleaved samples; every channel but the first gets its own values.
QByteArray samplesOf(quint16 bits, Kind kind, quint16 channels, int frames,
                     QVector<quint32>& firstChannel, quint32 seed = 7) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> real(-1.0f, 1.0f);
    QByteArray out;
    firstChannel.clear();
    for (int j = 0; j < frames; ++j) {
        for (quint16 c = 0; c < channels; ++c) {
            if (kind == Float) {
                const float x = real(rng);
                putFloat(out, x);
                if (c == 0) {
                    firstChannel.append(expected24(bits, kind, 0, x));
                }
            } else {
                const qint64 v = randomSample(rng, bits);
                putSample(out, bits, v);
                if (c == 0) {
                    firstChannel.append(expected24(bits, kind, v, 0));
                }
            }
        }
    }
    return out;
}

} // namespace

class TestWavReader final : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int fileNumber = 0;

    QByteArray writeFile(const QByteArray& image) {
        return QFile::encodeName(
            IrFileImages::writeFile(dir.filePath(QString("ir%1.wav").arg(++fileNumber)), image));
    }

    // Loads and converts 4 blocks; block keeps 2560 words like the import's buffer.
    bool read(const QByteArray& image, QVector<quint32>& block, bool* loaded = nullptr) {
        block.fill(0, 2560);
        WavReader reader;
        const bool ok = reader.load(writeFile(image));
        if (loaded) {
            *loaded = ok;
        }
        return ok && reader.convert(block.data(), 4);
    }

private slots:
    void widths_data() const {
        QTest::addColumn<quint16>("tag");
        QTest::addColumn<bool>("extensible");
        QTest::addColumn<quint16>("subFormat");
        QTest::addColumn<quint16>("bits");
        QTest::addColumn<quint16>("channels");
        QTest::addColumn<int>("kind");
        for (quint16 channels : {1, 2}) {
            const char* suffix = channels == 1 ? "mono" : "stereo";
            QTest::addRow("8-bit %s", suffix)
                << quint16(1) << false << quint16(0) << quint16(8) << channels << int(Pcm);
            QTest::addRow("16-bit %s", suffix)
                << quint16(1) << false << quint16(0) << quint16(16) << channels << int(Pcm);
            QTest::addRow("24-bit %s", suffix)
                << quint16(1) << false << quint16(0) << quint16(24) << channels << int(Pcm);
            QTest::addRow("32-bit integer %s", suffix)
                << quint16(1) << false << quint16(0) << quint16(32) << channels << int(Pcm);
            QTest::addRow("32-bit float %s", suffix)
                << quint16(3) << false << quint16(0) << quint16(32) << channels << int(Float);
            QTest::addRow("extensible integer %s", suffix)
                << quint16(0) << true << quint16(1) << quint16(32) << channels << int(Pcm);
            QTest::addRow("extensible float %s", suffix)
                << quint16(0) << true << quint16(3) << quint16(32) << channels << int(Float);
            QTest::addRow("extensible 24-bit %s", suffix)
                << quint16(0) << true << quint16(1) << quint16(24) << channels << int(Pcm);
            QTest::addRow("16-bit with tag 3 %s", suffix)
                << quint16(3) << false << quint16(0) << quint16(16) << channels << int(Pcm);
        }
    }

    void widths() {
        QFETCH(quint16, tag);
        QFETCH(bool, extensible);
        QFETCH(quint16, subFormat);
        QFETCH(quint16, bits);
        QFETCH(quint16, channels);
        QFETCH(int, kind);
        Wave layout;
        layout.formatTag = tag;
        layout.extensible = extensible;
        layout.subFormat = subFormat;
        layout.bits = bits;
        layout.channels = channels;
        QVector<quint32> expected;
        layout.samples = samplesOf(bits, Kind(kind), channels, 2048, expected);
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        QCOMPARE(block.mid(0, 2048), expected);
        QCOMPARE(block.mid(2048), QVector<quint32>(512, 0));
    }

    void eightBitEnds() {
        Wave layout;
        layout.bits = 8;
        layout.samples = QByteArray::fromHex("00807fff01");
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        QCOMPARE(block.mid(0, 6), (QVector<quint32>{0x800000, 0, 0xFF0000, 0x7F0000, 0x810000, 0}));
    }

    void frameCounts_data() const {
        QTest::addColumn<int>("frames");
        QTest::newRow("1000 frames") << 1000;
        QTest::newRow("2048 frames") << 2048;
        QTest::newRow("10000 frames") << 10000;
    }

    void frameCounts() {
        QFETCH(int, frames);
        Wave layout;
        layout.bits = 24;
        QVector<quint32> values;
        layout.samples = samplesOf(24, Pcm, 1, frames, values);
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        values.resize(2048); // shorter files leave zeros, longer ones are cut
        QCOMPARE(block.mid(0, 2048), values);
    }

    void resampling_data() const {
        QTest::addColumn<quint32>("rate");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("frames");
        QTest::addColumn<bool>("ramp");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("48000 ramp") << quint32(48000) << double(1.088f) << 5000 << true << 2;
        QTest::newRow("48000 short ramp") << quint32(48000) << double(1.088f) << 700 << true << 2;
        QTest::newRow("96000 ramp") << quint32(96000) << double(2.177f) << 5000 << true << 2;
        QTest::newRow("88200 noise") << quint32(88200) << 2.0 << 5000 << false << 0;
        QTest::newRow("88200 short noise") << quint32(88200) << 2.0 << 3001 << false << 0;
    }

    // Output k lies at input position k × step (the single-precision step), interpolated linearly.
    void resampling() {
        QFETCH(quint32, rate);
        QFETCH(double, step);
        QFETCH(int, frames);
        QFETCH(bool, ramp);
        QFETCH(int, tolerance);
        std::mt19937 rng(11);
        Wave layout;
        layout.rate = rate;
        layout.bits = 24;
        layout.channels = 2;
        QVector<double> in;
        for (int j = 0; j < frames; ++j) {
            const qint64 v = ramp ? j * 1000 - 2000000 : randomSample(rng, 24);
            in.append(double(v));
            putSample(layout.samples, 24, v);
            putSample(layout.samples, 24, -v / 3 + 12345);
        }
        in.resize(6000);
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        for (int k = 0; k < 2048; ++k) {
            const double position = k * step;
            const int i = int(position);
            const double value = in[i] + (in[i + 1] - in[i]) * (position - i);
            const qint64 expected = qint64(std::trunc(value));
            const qint64 got = signed24(block[k]);
            if (std::llabs(got - expected) > tolerance) {
                QFAIL(
                    qPrintable(QString("out[%1] = %2, expected %3").arg(k).arg(got).arg(expected)));
            }
        }
    }

    void firstOutputAt48000() {
        Wave layout;
        layout.rate = 48000;
        layout.bits = 16;
        for (qint64 v : {1000, -20000, 30000, 5}) {
            putSample(layout.samples, 16, v);
        }
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        QCOMPARE(block[0], low24(1000 * 256));
        // between frames 1 and 2 at fraction 0.088
        const double expected = (-20000 + (30000 - -20000) * 0.088) * 256;
        QVERIFY2(std::abs(double(signed24(block[1])) - expected) <= 2,
                 qPrintable(QString::number(block[1], 16)));
    }

    void floatValues_data() const {
        QTest::addColumn<float>("value");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("1.0") << 1.0f << quint32(0x7FFFF7);
        QTest::newRow("0.5") << 0.5f << quint32(0x400000);
        QTest::newRow("-0.5") << -0.5f << quint32(0xC00000);
        QTest::newRow("-1.0") << -1.0f << quint32(0x800009);
        QTest::newRow("0.0") << 0.0f << quint32(0);
        QTest::newRow("1.5 wraps") << 1.5f << quint32(0xC00000);
        QTest::newRow("-2.0 wraps") << -2.0f << quint32(0);
        QTest::newRow("tiny negative") << -1e-7f << quint32(0);
        QTest::newRow("huge") << 3e38f << quint32(0);
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << quint32(0);
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << quint32(0);
    }

    void floatValues() {
        QFETCH(float, value);
        QFETCH(quint32, expected);
        Wave layout;
        layout.formatTag = 3;
        layout.bits = 32;
        putFloat(layout.samples, 0.25f);
        putFloat(layout.samples, value);
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        QCOMPARE(block[0], quint32(0x200000));
        QCOMPARE(block[1], expected);
    }

    void failures_data() const {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<bool>("loads");

        Wave good;
        putSample(good.samples, 16, 1234);
        putSample(good.samples, 16, -1234);
        const QByteArray base = wave(good);

        Wave w = good;
        w.rate = 22050;
        QTest::newRow("22050 Hz") << wave(w) << true;
        w = good;
        w.rate = 44101;
        QTest::newRow("44101 Hz") << wave(w) << true;
        w = good;
        w.bits = 12;
        QTest::newRow("12-bit") << wave(w) << true;
        w = good;
        w.bits = 20;
        QTest::newRow("20-bit") << wave(w) << true;
        w = good;
        w.formatTag = 2;
        w.bits = 4;
        QTest::newRow("tag 2, 4-bit") << wave(w) << false;
        w = good;
        w.formatTag = 2;
        w.bits = 32;
        QTest::newRow("tag 2, 32-bit") << wave(w) << true;
        w = good;
        w.bits = 32;
        w.extensible = true;
        w.extensionSize = 0;
        QTest::newRow("extension size 0") << wave(w) << true;
        w.extensionSize = 24;
        QTest::newRow("extension size 24") << wave(w) << true;
        w.extensionSize = 22;
        w.subFormat = 2;
        QTest::newRow("extensible sub-format 2") << wave(w) << true;
        w = good;
        w.channels = 3;
        QTest::newRow("three channels") << wave(w) << true;
        w.channels = 0;
        QTest::newRow("no channels") << wave(w) << false;
        w = good;
        w.bits = 7;
        QTest::newRow("7-bit, zero frame size") << wave(w) << false;

        QByteArray noData = base;
        noData.replace("data", "dat_");
        QTest::newRow("no data anywhere") << noData << false;
        QByteArray noFormat = base;
        noFormat.replace("fmt ", "fmt_");
        QTest::newRow("no fmt anywhere") << noFormat << false;
        QTest::newRow("not RIFF") << QByteArray("RIFX" + base.mid(4)) << false;
        QTest::newRow("not WAVE") << QByteArray(base.left(8) + "WAVF" + base.mid(12)) << false;
        QTest::newRow("31 bytes") << base.left(31) << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("data tag without size word") << QByteArray(base.left(36) + "data") << false;

        // "fmt " so close to the end that its fields would lie beyond the file
        QByteArray cutFormat("RIFF\x20\0\0\0WAVEdata\x04\0\0\0\x01\x02\x03\x04", 24);
        cutFormat += QByteArray("fmt \x10\0\0\0\x01\0\x01\0", 12);
        QTest::newRow("format fields beyond the end") << cutFormat << false;

        // extensible format chunk at the very end: its extension fields lie beyond the file
        QByteArray lateFormat("RIFF\0\0\0\0WAVE", 12);
        lateFormat += chunk("data", QByteArray(8, '\x11'));
        QByteArray fields;
        put16(fields, 0xFFFE);
        put16(fields, 1);
        put32(fields, 44100);
        put32(fields, 44100 * 4);
        put16(fields, 4);
        put16(fields, 32);
        lateFormat += chunk("fmt ", fields);
        QTest::newRow("extension fields beyond the end") << lateFormat << true;
    }

    void failures() {
        QFETCH(QByteArray, image);
        QFETCH(bool, loads);
        QVector<quint32> block;
        bool loaded = false;
        QVERIFY(!read(image, block, &loaded));
        QCOMPARE(loaded, loads);
        QCOMPARE(block, QVector<quint32>(2560, 0));
    }

    void listChunkBeforeFormat() {
        Wave layout;
        layout.beforeFormat = chunk("LIST", QByteArray("INFOISFT\x06\0\0\0tool\0\0", 18));
        layout.channels = 2;
        QVector<quint32> expected;
        layout.samples = samplesOf(16, Pcm, 2, 300, expected);
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        expected.resize(2048);
        QCOMPARE(block.mid(0, 2048), expected);
    }

    // The tag scan takes the first "data" wherever it is, here inside an earlier chunk.
    void dataStringInEarlierChunk() {
        Wave layout;
        QByteArray list("INFOdata", 8);
        put32(list, 6);
        putSample(list, 16, 100);
        putSample(list, 16, -200);
        putSample(list, 16, 300);
        layout.beforeFormat = chunk("LIST", list);
        for (int j = 0; j < 50; ++j) {
            putSample(layout.samples, 16, 7777);
        }
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        QCOMPARE(block.mid(0, 4),
                 (QVector<quint32>{low24(100 * 256), low24(-200 * 256), low24(300 * 256), 0}));
    }

    // Extension fields are found through the format chunk, not at fixed file offsets.
    void extensibleBehindJunk() {
        Wave layout;
        layout.beforeFormat = chunk("JUNK", QByteArray(28, '\0'));
        layout.extensible = true;
        layout.subFormat = 3;
        layout.bits = 32;
        QVector<quint32> expected;
        layout.samples = samplesOf(32, Float, 1, 500, expected);
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        expected.resize(2048);
        QCOMPARE(block.mid(0, 2048), expected);
    }

    void dataSizeBeyondFile_data() const {
        QTest::addColumn<quint16>("channels");
        QTest::addColumn<int>("strayBytes");
        QTest::addColumn<qint64>("sizeWord");
        QTest::newRow("mono, huge size word") << quint16(1) << 1 << qint64(0xFFFFFFFF);
        QTest::newRow("stereo, partial last frame") << quint16(2) << 3 << qint64(0x7FFFFFF0);
        QTest::newRow("stereo, one frame too many") << quint16(2) << 0 << qint64(101 * 4);
    }

    void dataSizeBeyondFile() {
        QFETCH(quint16, channels);
        QFETCH(int, strayBytes);
        QFETCH(qint64, sizeWord);
        Wave layout;
        layout.channels = channels;
        layout.dataSizeWord = sizeWord;
        QVector<quint32> expected;
        layout.samples = samplesOf(16, Pcm, channels, 100, expected);
        layout.samples += QByteArray(strayBytes, '\x55');
        const QByteArray image = wave(layout);
        WavReader reader;
        QVERIFY(reader.loadImage(std::vector<std::uint8_t>(image.begin(), image.end())));
        QCOMPARE(reader.frameCount(), quint32(100));
        QVector<quint32> block(2560, 0);
        QVERIFY(reader.convert(block.data(), 4));
        expected.resize(2048);
        QCOMPARE(block.mid(0, 2048), expected);
    }

    void sizeWordLimitsFrames() {
        Wave layout;
        layout.dataSizeWord = 10 * 2;
        QVector<quint32> expected;
        layout.samples = samplesOf(16, Pcm, 1, 100, expected);
        QVector<quint32> block;
        QVERIFY(read(wave(layout), block));
        expected.resize(10);
        expected.resize(2048);
        QCOMPARE(block.mid(0, 2048), expected);
    }

    void failedReloadInvalidates() {
        Wave layout;
        putSample(layout.samples, 16, 1);
        WavReader reader;
        QVERIFY(reader.load(writeFile(wave(layout))));
        QVERIFY(!reader.load(writeFile("RIFF but nothing else, long enough to scan")));
        QVector<quint32> block(2560, 0);
        QVERIFY(!reader.convert(block.data(), 4));
    }

    void convertWithoutLoad() const {
        WavReader reader;
        QVector<quint32> block(2560, 0);
        QVERIFY(!reader.convert(block.data(), 4));
    }

    void missingFile() const {
        WavReader reader;
        QVERIFY(!reader.load("/nonexistent/folder/ir.wav"));
    }

    void blockCountSetsLength() {
        Wave layout;
        layout.bits = 24;
        QVector<quint32> expected;
        layout.samples = samplesOf(24, Pcm, 1, 3000, expected);
        WavReader reader;
        QVERIFY(reader.load(writeFile(wave(layout))));
        QVector<quint32> block(2560, 0xABCDEF);
        QVERIFY(reader.convert(block.data(), 1));
        QCOMPARE(block.mid(0, 512), expected.mid(0, 512));
        QCOMPARE(block[512], quint32(0xABCDEF));
    }
};

QTEST_APPLESS_MAIN(TestWavReader)
#include "test_wavreader.moc"
