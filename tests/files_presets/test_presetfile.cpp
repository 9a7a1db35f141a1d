#include "files/presetfile.h"
#include "tests/files_presets/presetfileimage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray sampleData() {
    QByteArray data;
    for (int i = 0; i < 20; ++i)
        data.append(char(0xA0 + i));
    return data;
}

bool writeRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readRaw(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPresetFile final : public QObject {
    Q_OBJECT

private slots:
    void writtenImage() const;
    void writeReplacesLongerFile() const;
    void writeToMissingFolder() const;
    void readCodes() const;
    void checkImage_data() const;
    void checkImage() const;
    void loadCopiesFirstImage() const;
    void loadRefuses_data() const;
    void loadRefuses() const;
    void rename() const;
};

void TestPresetFile::writtenImage() const {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.pfs");
    unsigned code = 99;
    QVERIFY(writePresetFile(sampleData(), path, code));
    QCOMPARE(code, 0u);
    const QByteArray bytes = readRaw(path);
    QCOMPARE(bytes.size(), 660);
    QCOMPARE(bytes.left(6), QByteArray("Sarnel"));
    QCOMPARE(bytes.mid(40, 6), QByteArray("V1.0.0"));
    QCOMPARE(bytes.mid(84, 4), QByteArray::fromHex("00020000"));
    QCOMPARE(bytes, presetFileImage(sampleData()));
}

void TestPresetFile::writeReplacesLongerFile() const {
    QTemporaryDir dir;
    const QString path = dir.filePath("long.pfs");
    QVERIFY(writeRaw(path, QByteArray(2000, 'x')));
    unsigned code = 99;
    QVERIFY(writePresetFile(sampleData(), path, code));
    QCOMPARE(readRaw(path), presetFileImage(sampleData()));
}

void TestPresetFile::writeToMissingFolder() const {
    QTemporaryDir dir;
    unsigned code = 0;
    QVERIFY(!writePresetFile(sampleData(), dir.filePath("none/a.pfs"), code));
    QCOMPARE(code, 17u);
}

void TestPresetFile::readCodes() const {
    QTemporaryDir dir;
    QByteArray bytes;
    QCOMPARE(readPresetFile(dir.filePath("missing.pfs"), bytes), 17u);
    QVERIFY(writeRaw(dir.filePath("empty.pfs"), QByteArray()));
    QCOMPARE(readPresetFile(dir.filePath("empty.pfs"), bytes), 7u);
    QVERIFY(writeRaw(dir.filePath("short.pfs"), "abc"));
    QCOMPARE(readPresetFile(dir.filePath("short.pfs"), bytes), 0u);
    QCOMPARE(bytes, QByteArray("abc"));
}

void TestPresetFile::checkImage_data() const {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<unsigned>("code");
    const QByteArray good = presetFileImage(sampleData());
    auto changed = [&good](int offset, char value) {
        QByteArray bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    QTest::newRow("valid") << good << 0u;
    QTest::newRow("longer file") << good + QByteArray(40, '\x7f') << 0u;
    QTest::newRow("PRESET one letter at 72") << changed(72, 'Q') << 13u;
    QTest::newRow("PRESET last letter") << changed(77, 'Q') << 13u;
    QTest::newRow("editor tag first letter") << changed(8, 't') << 13u;
    QTest::newRow("editor tag last letter") << changed(17, 'X') << 13u;
    QTest::newRow("maker tag not checked") << changed(0, 'X') << 0u;
    QTest::newRow("version not checked") << changed(45, '9') << 0u;
    QTest::newRow("word at 84 not checked") << changed(85, 7) << 0u;
    QTest::newRow("one byte short") << good.left(659) << 18u;
    QTest::newRow("tags only") << good.left(78) << 18u;
    QTest::newRow("tags cut") << good.left(75) << 18u;
    QTest::newRow("empty") << QByteArray() << 18u;
}

void TestPresetFile::checkImage() const {
    QFETCH(QByteArray, bytes);
    QFETCH(unsigned, code);
    QCOMPARE(checkPresetImage(bytes), code);
}

void TestPresetFile::loadCopiesFirstImage() const {
    QTemporaryDir dir;
    const QString path = dir.filePath("preset.pfs");
    const QByteArray good = presetFileImage(sampleData());
    QVERIFY(writeRaw(path, good + QByteArray(100, '\x55')));
    QByteArray image;
    QVERIFY(loadPresetFile(path, image));
    QCOMPARE(image, good);
    QVERIFY(isPresetFile(path));
}

void TestPresetFile::loadRefuses_data() const {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = presetFileImage(sampleData());
    QByteArray badTag = good;
    badTag[74] = 'S';
    QTest::newRow("empty") << "empty.pfs" << QByteArray();
    QTest::newRow("short") << "short.pfs" << good.left(200);
    QTest::newRow("one byte short") << "short.pfs" << good.left(659);
    QTest::newRow("bad tag") << "tag.pfs" << badTag;
    QTest::newRow("no base name") << ".pfs" << good;
}

void TestPresetFile::loadRefuses() const {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(writeRaw(path, bytes));
    QByteArray image("untouched");
    QVERIFY(!loadPresetFile(path, image));
    QCOMPARE(image, QByteArray("untouched"));
    if (name != ".pfs")
        QVERIFY(!isPresetFile(path));
}

void TestPresetFile::rename() const {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.pfs");
    const QString b = dir.filePath("b.pfs");
    QVERIFY(writeRaw(a, "first"));
    QVERIFY(writeRaw(b, "second"));
    QVERIFY(!renamePresetFile(a, b));
    QCOMPARE(readRaw(a), QByteArray("first"));
    QCOMPARE(readRaw(b), QByteArray("second"));
    const QString c = dir.filePath("c.pfs");
    QVERIFY(renamePresetFile(a, c));
    QVERIFY(!QFile::exists(a));
    QCOMPARE(readRaw(c), QByteArray("first"));
}

QTEST_APPLESS_MAIN(TestPresetFile)
#include "test_presetfile.moc"
