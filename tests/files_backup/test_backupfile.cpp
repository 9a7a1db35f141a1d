#include "files/backupfile.h"

#include <QtTest>

#include <numeric>

namespace {

QByteArray sampleImage() {
    QByteArray image(114688, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 7 + i / 512) & 0xFF);
    return image;
}

quint64 readLittleEndian(const QByteArray& bytes, int offset, int size) {
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value |= quint64(quint8(bytes[offset + i])) << (8 * i);
    return value;
}

void storeChecksum(QByteArray& file) {
    quint64 sum = 0;
    for (int i = 0; i < file.size(); ++i)
        sum += (i >= 1016 && i < 1024) ? 0 : quint8(file[i]);
    for (int i = 0; i < 8; ++i)
        file[1016 + i] = char((sum >> (8 * i)) & 0xFF);
}

void storeLittleEndian(QByteArray& bytes, int offset, quint64 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

} // namespace

class TestBackupFile final : public QObject {
    Q_OBJECT

private slots:
    void writtenLayout() const;
    void checksumIsByteSum() const;
    void acceptsWrittenFile() const;
    void rejectsEveryHeaderByteChange() const;
    void rejectsDataByteChanges() const;
    void repairedChecksum_data() const;
    void repairedChecksum() const;
    void rejectsShortFile() const;
    void recordsOfWrittenFile() const;
    void recordsOutOfBounds_data() const;
    void recordsOutOfBounds() const;
    void recordsOfTwoAreas() const;
};

void TestBackupFile::writtenLayout() const {
    const QByteArray image = sampleImage();
    const QByteArray file = buildBackupFile(image);
    QCOMPARE(file.size(), 116002);
    QCOMPARE(file.left(8), QByteArray("SARNEL\0\0", 8));
    QCOMPARE(file.mid(8, 10), QByteArray("TALIX_Edit"));
    QCOMPARE(file.mid(40, 20), QByteArray("V1.0.0\0V1.0.0\0V1.0.0", 20));
    QCOMPARE(file.mid(72, 4), QByteArray("BUFF"));
    QCOMPARE(readLittleEndian(file, 76, 4), 1ull);
    QCOMPARE(readLittleEndian(file, 80, 8), 1024ull);
    QCOMPARE(file.mid(88, 1016 - 88), QByteArray(1016 - 88, '\0'));
    QCOMPARE(file.mid(18, 22), QByteArray(22, '\0'));
    const QByteArray area = file.mid(1024, 256);
    QCOMPARE(area.left(10), QByteArray("TALIX_DATA"));
    QCOMPARE(quint8(area[32]), quint8(0xE9));
    QCOMPARE(quint8(area[36]), quint8(0xE9));
    QCOMPARE(readLittleEndian(area, 40, 4), 1ull);
    QCOMPARE(readLittleEndian(area, 44, 4), 114688ull);
    QCOMPARE(quint8(area[48]), quint8(1));
    QByteArray zeroedArea = area;
    zeroedArea.replace(0, 10, QByteArray(10, '\0'));
    zeroedArea[32] = zeroedArea[36] = zeroedArea[48] = 0;
    zeroedArea.replace(40, 8, QByteArray(8, '\0'));
    QCOMPARE(zeroedArea, QByteArray(256, '\0'));
    const QByteArray record = file.mid(1280, 34);
    QCOMPARE(readLittleEndian(record, 32, 2), 1ull);
    QCOMPARE(record.left(32), QByteArray(32, '\0'));
    QCOMPARE(file.mid(1314), image);
}

void TestBackupFile::checksumIsByteSum() const {
    const QByteArray file = buildBackupFile(sampleImage());
    const quint64 all = std::accumulate(file.begin(), file.end(), quint64(0),
                                        [](quint64 sum, char c) { return sum + quint8(c); });
    const QByteArray field = file.mid(1016, 8);
    const quint64 fieldSum = std::accumulate(field.begin(), field.end(), quint64(0),
                                             [](quint64 sum, char c) { return sum + quint8(c); });
    QCOMPARE(readLittleEndian(file, 1016, 8), all - fieldSum);
    QCOMPARE(backupChecksum(file), all - fieldSum);
}

void TestBackupFile::acceptsWrittenFile() const {
    QVERIFY(checkBackupFile(buildBackupFile(sampleImage())));
    QVERIFY(checkBackupFile(buildBackupFile(QByteArray(114688, '\xFF'))));
}

void TestBackupFile::rejectsEveryHeaderByteChange() const {
    const QByteArray good = buildBackupFile(QByteArray(3000, '\x11'));
    for (int i = 0; i < 1016; ++i) {
        QByteArray bad = good;
        bad[i] = char(quint8(bad[i]) ^ 0x01);
        QVERIFY2(!checkBackupFile(bad), qPrintable(QString::number(i)));
    }
}

void TestBackupFile::rejectsDataByteChanges() const {
    const QByteArray good = buildBackupFile(sampleImage());
    QByteArray bad = good;
    // Every byte after the header in turn, the file restored after each change; a stride keeps
    // the quadratic work small while touching area header, record header and all 224 blocks.
    for (int i = 1024; i < good.size(); i += (i < 1400 ? 1 : 509)) {
        bad[i] = char(quint8(good[i]) + 0x80);
        QVERIFY2(!checkBackupFile(bad), qPrintable(QString::number(i)));
        bad[i] = good[i];
    }
    bad[good.size() - 1] = char(quint8(good[good.size() - 1]) + 1);
    QVERIFY(!checkBackupFile(bad));
}

void TestBackupFile::repairedChecksum_data() const {
    QTest::addColumn<int>("offset");
    QTest::addColumn<char>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("data byte") << 5000 << char(0x42) << true;
    QTest::newRow("area tag") << 1024 << char('X') << true;
    QTest::newRow("first version text") << 45 << char('7') << true;
    QTest::newRow("third version text") << 59 << char('7') << true;
    QTest::newRow("format version ends in 1") << 52 << char('1') << false;
    QTest::newRow("format version not ended") << 53 << char('x') << false;
    QTest::newRow("format version first char") << 47 << char('W') << false;
    QTest::newRow("maker tag") << 5 << char('M') << false;
    QTest::newRow("editor tag") << 17 << char('d') << false;
    QTest::newRow("BUFF tag") << 75 << char('G') << false;
}

void TestBackupFile::repairedChecksum() const {
    QFETCH(int, offset);
    QFETCH(char, value);
    QFETCH(bool, accepted);
    QByteArray file = buildBackupFile(sampleImage());
    file[offset] = value;
    QVERIFY(!checkBackupFile(file));
    storeChecksum(file);
    QCOMPARE(checkBackupFile(file), accepted);
}

void TestBackupFile::rejectsShortFile() const {
    QByteArray header = buildBackupFile(QByteArray()).left(1024);
    storeChecksum(header);
    QVERIFY(checkBackupFile(header));
    QVERIFY(!checkBackupFile(header.left(1023)));
    QVERIFY(!checkBackupFile(QByteArray()));
    QVector<BackupRecordSpan> records;
    QVERIFY(!backupRecords(header.left(1023), records));
}

void TestBackupFile::recordsOfWrittenFile() const {
    QVector<BackupRecordSpan> records;
    QVERIFY(backupRecords(buildBackupFile(sampleImage()), records));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].offset, qint64(1314));
    QCOMPARE(records[0].size, qint64(114688));
}

void TestBackupFile::recordsOutOfBounds_data() const {
    QTest::addColumn<int>("offset");
    QTest::addColumn<quint64>("value");
    QTest::addColumn<int>("size");
    QTest::newRow("area count beyond table") << 76 << 118ull << 4;
    QTest::newRow("area count huge") << 76 << 0xFFFFFFFFull << 4;
    QTest::newRow("second area missing") << 76 << 2ull << 4;
    QTest::newRow("area inside header") << 80 << 1000ull << 8;
    QTest::newRow("area past end") << 80 << 115800ull << 8;
    QTest::newRow("area offset huge") << 80 << 0xFFFFFFFFFFFFFF00ull << 8;
    QTest::newRow("record larger than file") << 1024 + 44 << 114689ull << 4;
    QTest::newRow("record size huge") << 1024 + 44 << 0xFFFFFFFFull << 4;
    QTest::newRow("two records, room for one") << 1024 + 40 << 2ull << 4;
    QTest::newRow("countless records") << 1024 + 40 << 0xFFFFFFFFull << 4;
}

void TestBackupFile::recordsOutOfBounds() const {
    QFETCH(int, offset);
    QFETCH(quint64, value);
    QFETCH(int, size);
    QByteArray file = buildBackupFile(sampleImage());
    storeLittleEndian(file, offset, value, size);
    QVector<BackupRecordSpan> records;
    QVERIFY(!backupRecords(file, records));
}

void TestBackupFile::recordsOfTwoAreas() const {
    // One area of two 300-byte records, listed twice in the area table.
    QByteArray file = buildBackupFile(QByteArray(300 + 34 + 300, '\x01'));
    storeLittleEndian(file, 1024 + 40, 2, 4);
    storeLittleEndian(file, 1024 + 44, 300, 4);
    storeLittleEndian(file, 76, 2, 4);
    storeLittleEndian(file, 88, 1024, 8);
    QVector<BackupRecordSpan> records;
    QVERIFY(backupRecords(file, records));
    QCOMPARE(records.size(), 4);
    QCOMPARE(records[0].offset, qint64(1024 + 256 + 34));
    QCOMPARE(records[1].offset, qint64(1024 + 256 + 34 + 300 + 34));
    QCOMPARE(records[1].size, qint64(300));
    QCOMPARE(records[2].offset, records[0].offset);
    QCOMPARE(records[3].offset, records[1].offset);
    storeLittleEndian(file, 1024 + 44, 301, 4);
    QVERIFY(!backupRecords(file, records));
}

QTEST_APPLESS_MAIN(TestBackupFile)
#include "test_backupfile.moc"
