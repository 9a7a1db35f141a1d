#include "link/bytefields.h"
#include "tests/updater/firmwareimagebuilder.h"
#include "tests/updater/unprivilegedscope.h"
#include "updater/image/qfirmwareimage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

class TestFirmwareImage final : public QObject {
    Q_OBJECT

private slots:
    void openReturnsSizeAndChecksMagic_data() const;
    void openReturnsSizeAndChecksMagic() const;
    void openReadsReadOnlyFile() const;
    void openTakesUtf8Path() const;
    void headerIsFirst128Bytes() const;
    void sectionsFollowHeaderChain() const;
    void sectionsOutOfRangeGiveZero() const;
    void readsReloadAfterClose() const;
    void totalBlockCountMatchesSectionData() const;
    void checks_data() const;
    void checks() const;

private:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("image.zv")) const;
    static FirmwareImageBuilder threeSections();
    // Three sections of whole blocks.
    static FirmwareImageBuilder wholeBlocks();

    QTemporaryDir m_dir;
};

QString TestFirmwareImage::write(const QByteArray& bytes, const QString& name) const {
    const QString path = m_dir.filePath(name);
    QFile file(path);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

FirmwareImageBuilder TestFirmwareImage::threeSections() {
    FirmwareImageBuilder b;
    b.sections.append({FirmwareImageBuilder::pattern(1024, 1), 0x31, 0x32, 7, 0x0100});
    b.sections.append({FirmwareImageBuilder::pattern(512 * 3 + 100, 2), 0x41, 0x42, 8, 0x2000});
    b.sections.append({FirmwareImageBuilder::pattern(300, 3), 0x51, 0x52, 9, 0xFFFF});
    return b;
}

FirmwareImageBuilder TestFirmwareImage::wholeBlocks() {
    FirmwareImageBuilder b;
    b.sections.append({FirmwareImageBuilder::pattern(1024, 1), 0x31, 0x32, 7, 0x0100});
    b.sections.append({FirmwareImageBuilder::pattern(512 * 3, 2), 0x41, 0x42, 8, 0x2000});
    b.sections.append({FirmwareImageBuilder::pattern(512, 3), 0x51, 0x52, 9, 0xFFFF});
    return b;
}

void TestFirmwareImage::openReturnsSizeAndChecksMagic_data() const {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<int>("problem");

    const QByteArray good = threeSections().build();
    QByteArray badMagic = good;
    badMagic[8] = 'g';
    QByteArray header(128, '\0');
    header.replace(0, 9, "Zelva_TAG");

    using I = QFirmwareImage;
    QTest::newRow("whole image") << good << qint64(good.size()) << int(I::NoProblem);
    QTest::newRow("header only") << header << qint64(128) << int(I::NoProblem);
    QTest::newRow("last magic byte differs") << badMagic << qint64(0) << int(I::NotFirmware);
    QTest::newRow("shorter than a header") << header.left(127) << qint64(0) << int(I::CutOff);
    QTest::newRow("magic only") << QByteArray("Zelva_TAG") << qint64(0) << int(I::CutOff);
    QTest::newRow("empty file") << QByteArray() << qint64(0) << int(I::CutOff);
}

void TestFirmwareImage::openReturnsSizeAndChecksMagic() const {
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, expected);
    QFETCH(int, problem);

    QFirmwareImage image;
    QCOMPARE(image.open(write(bytes).toUtf8()), expected);
    QCOMPARE(image.isOpen(), expected != 0);
    QCOMPARE(int(image.openProblem()), problem);
    QCOMPARE(image.openImage(bytes), expected);
    QCOMPARE(int(image.openProblem()), problem);
    QFirmwareImage missing;
    QCOMPARE(missing.open(m_dir.filePath("missing.zv").toUtf8()), qint64(0));
    QCOMPARE(missing.openProblem(), QFirmwareImage::Unreadable);
    QCOMPARE(QFirmwareImage().open(QByteArray()), qint64(0));
}

void TestFirmwareImage::openReadsReadOnlyFile() const {
    // Installed images belong to root: this user may read them, not write them.
    const QByteArray bytes = threeSections().build();
    const QString path = write(bytes, QStringLiteral("readonly.zv"));
    const QString hidden = write(bytes, QStringLiteral("unreadable.zv"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(QFile::setPermissions(hidden, QFile::WriteOwner));
    QVERIFY(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::ExeOther));
    QFirmwareImage image;
    QFirmwareImage refused;
    {
        UnprivilegedScope scope;
        QVERIFY(scope.isEffective());
        QCOMPARE(image.open(path.toUtf8()), qint64(bytes.size()));
        QCOMPARE(refused.open(hidden.toUtf8()), qint64(0));
    }
    QCOMPARE(refused.openProblem(), QFirmwareImage::Unreadable);
}

void TestFirmwareImage::openTakesUtf8Path() const {
    const QByteArray bytes = threeSections().build();
    const QString path =
        write(bytes, QString::fromUtf8("F\xc3\xafrmw\xc3\xa4re \xce\xb1\xce\xb2 \xe6\x96\x87.zv"));
    QFirmwareImage image;
    QCOMPARE(image.open(path.toUtf8()), qint64(bytes.size()));
    QCOMPARE(image.open(path.toLatin1()), qint64(0));
}

void TestFirmwareImage::headerIsFirst128Bytes() const {
    const QByteArray bytes = threeSections().build();
    QFirmwareImage image;
    QVERIFY(image.open(write(bytes).toUtf8()) != 0);
    unsigned char header[128];
    QCOMPARE(image.header(header), 128);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(header), 128), bytes.left(128));
    QCOMPARE(image.sectionCount(), 3);
}

void TestFirmwareImage::sectionsFollowHeaderChain() const {
    // Section 2's header is moved behind section 3's data and its data in front of its old
    // place, so only the NextHeader chain and DataPos - 1 find them.
    FirmwareImageBuilder b = threeSections();
    QByteArray bytes = b.build();
    const QByteArray header2 = bytes.mid(int(b.headerPos(2)), 512);
    const QByteArray data2 = b.sections.at(1).data;
    const qint64 movedHeader = bytes.size() + 64;
    bytes.append(QByteArray(64, '\x5A'));
    bytes.append(header2);
    FirmwareImageBuilder::putLe32(bytes, b.headerPos(1) + 13, quint32(movedHeader));
    bytes.replace(int(b.headerPos(2)), 512, QByteArray(512, '\x77'));
    const qint64 movedData = bytes.size();
    bytes.append(data2);
    FirmwareImageBuilder::putLe32(bytes, movedHeader + 9, quint32(movedData + 1));

    QFirmwareImage image;
    QCOMPARE(image.openImage(bytes), qint64(bytes.size()));
    unsigned char header[512];
    std::vector<unsigned char> data;
    for (int k = 1; k <= 3; ++k) {
        QCOMPARE(image.sectionHeader(k, header), 512);
        const qint64 expectedPos = k == 2 ? movedHeader : b.headerPos(k);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(header), 512),
                 bytes.mid(int(expectedPos), 512));
        QCOMPARE(image.sectionData(k, data), qint64(b.sections.at(k - 1).data.size()));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(data.data()), int(data.size())),
                 b.sections.at(k - 1).data);
    }
    QCOMPARE(image.check("TAL_IX"), QFirmwareImage::PartialBlock);
}

void TestFirmwareImage::sectionsOutOfRangeGiveZero() const {
    QFirmwareImage image;
    QVERIFY(image.openImage(threeSections().build()) != 0);
    unsigned char header[512];
    std::vector<unsigned char> data{1, 2, 3};
    QCOMPARE(image.sectionHeader(0, header), 0);
    QCOMPARE(image.sectionHeader(4, header), 0);
    QCOMPARE(image.sectionData(0, data), qint64(0));
    QVERIFY(data.empty());
    QCOMPARE(image.sectionData(4, data), qint64(0));
}

void TestFirmwareImage::readsReloadAfterClose() const {
    const QByteArray bytes = threeSections().build();
    QFirmwareImage image;
    QVERIFY(image.open(write(bytes).toUtf8()) != 0);
    image.close();
    QVERIFY(!image.isOpen());
    unsigned char header[128];
    QCOMPARE(image.header(header), 128);
    QVERIFY(image.isOpen());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(header), 128), bytes.left(128));

    QFirmwareImage memoryOnly;
    QVERIFY(memoryOnly.openImage(bytes) != 0);
    memoryOnly.close();
    QCOMPARE(memoryOnly.header(header), 0);
}

void TestFirmwareImage::totalBlockCountMatchesSectionData() const {
    FirmwareImageBuilder b;
    int blocks = 0;
    for (int k = 0; k < 5; ++k) {
        b.sections.append({FirmwareImageBuilder::pattern(512 * (k + 1), k), 1, 2, 0, 0});
        blocks += k + 1;
    }
    QFirmwareImage image;
    QVERIFY(image.openImage(b.build()) != 0);
    QCOMPARE(image.totalBlockCount(), qint64(blocks));
}

void TestFirmwareImage::checks_data() const {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("problem");

    FirmwareImageBuilder b = wholeBlocks();
    const QByteArray good = b.build();
    auto patched = [&](qint64 offset, quint32 value) {
        QByteArray bytes = good;
        FirmwareImageBuilder::putLe32(bytes, offset, value);
        return bytes;
    };
    auto withCount = [&](quint8 count) {
        QByteArray bytes = good;
        bytes[47] = char(count);
        return bytes;
    };
    const quint32 size = quint32(good.size());
    QByteArray otherPedal = good;
    otherPedal.replace(9, 7, QByteArray("TAL_X2\0", 7));

    using I = QFirmwareImage;
    QTest::newRow("well formed") << good << int(I::NoProblem);
    QTest::newRow("fewer sections than chained") << withCount(2) << int(I::NoProblem);
    QTest::newRow("another pedal's") << otherPedal << int(I::OtherDevice);
    QTest::newRow("no sections") << withCount(0) << int(I::NoBlocks);
    QTest::newRow("section count 0x80") << withCount(0x80) << int(I::NotFirmware);
    QTest::newRow("section count 0xFF") << withCount(0xFF) << int(I::NotFirmware);
    QTest::newRow("more sections than the chain holds") << withCount(4) << int(I::CutOff);
    QTest::newRow("next header past the end")
        << patched(b.headerPos(1) + 13, size) << int(I::CutOff);
    QTest::newRow("next header cut by the end")
        << patched(b.headerPos(1) + 13, size - 511) << int(I::CutOff);
    QTest::newRow("next header far out")
        << patched(b.headerPos(2) + 13, 0xFFFFFFFFu) << int(I::CutOff);
    QTest::newRow("data pos zero") << patched(b.headerPos(2) + 9, 0) << int(I::CutOff);
    QTest::newRow("data pos past the end")
        << patched(b.headerPos(3) + 9, size + 2) << int(I::CutOff);
    QTest::newRow("data size past the end") << patched(b.headerPos(3) + 17, 1024) << int(I::CutOff);
    QTest::newRow("first data size past the end")
        << patched(b.headerPos(1) + 17, size) << int(I::CutOff);
    QTest::newRow("data size huge") << patched(b.headerPos(2) + 17, 0xFFFFFFFFu) << int(I::CutOff);
    QTest::newRow("file cut inside the last section")
        << good.left(good.size() - 1) << int(I::CutOff);
    // A tail that is not a whole block would be dropped without a word.
    QTest::newRow("section with a tail") << threeSections().build() << int(I::PartialBlock);
    QTest::newRow("last section shortened")
        << patched(b.headerPos(3) + 17, 300) << int(I::PartialBlock);

    // Sections inside the file but no whole block to send or count.
    FirmwareImageBuilder empty;
    empty.sections.append({QByteArray(), 1, 2, 0, 0});
    QTest::newRow("block count zero") << empty.build() << int(I::NoBlocks);
    empty.sections.append({QByteArray(), 1, 2, 0, 0});
    QByteArray negative = empty.build();
    negative[47] = 3;
    FirmwareImageBuilder::putLe32(negative, empty.headerPos(2) + 13, 128);
    QTest::newRow("block count negative") << negative << int(I::NoBlocks);
}

void TestFirmwareImage::checks() const {
    QFETCH(QByteArray, bytes);
    QFETCH(int, problem);

    QFirmwareImage image;
    QVERIFY(image.openImage(bytes) != 0);
    QCOMPARE(int(image.check("TAL_IX")), problem);
    if (problem != QFirmwareImage::NoProblem)
        return;
    unsigned char header[512];
    std::vector<unsigned char> data;
    for (int k = 1; k <= image.sectionCount(); ++k) {
        QCOMPARE(image.sectionHeader(k, header), 512);
        const qint64 size = image.sectionData(k, data);
        QCOMPARE(size, qint64(ByteFields::le32(header + 17)));
        QCOMPARE(qint64(data.size()), size);
    }
}

QTEST_APPLESS_MAIN(TestFirmwareImage)
#include "test_firmwareimage.moc"
