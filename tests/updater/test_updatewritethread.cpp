#include "tests/updater/firmwareimagebuilder.h"
#include "tests/updater/uploadsession.h"
#include "virtualpedal/virtualpedal.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <map>

using Section = FirmwareImageBuilder::Section;
using Messages = QList<UploadSession::Message>;

Q_DECLARE_METATYPE(FirmwareImageBuilder)

// Complete uploads against the boot loader: what the pedal receives and stores, and the
// messages the updater window sees.
class TestUpdateWriteThread final : public QObject {
    Q_OBJECT

private slots:
    void severalSectionsUpload() const;
    void uploadSendsWholeBlocks_data() const;
    void uploadSendsWholeBlocks() const;
    void progressStaysAtElevenFirst() const;
    void sharedDataKeepsFigureBelow100() const;

private:
    // Runs a whole upload and returns its messages; none when it did not end.
    Messages upload(const FirmwareImageBuilder& image, UploadSession::Frames& frames,
                    std::map<std::uint16_t, std::vector<std::uint8_t>>& stored) const;
    // Progress figures of the blocks, computed in floating point.
    static QList<float> blockFigures(int blocks, int total);

    QTemporaryDir dir;
};

Messages
TestUpdateWriteThread::upload(const FirmwareImageBuilder& image, UploadSession::Frames& frames,
                              std::map<std::uint16_t, std::vector<std::uint8_t>>& stored) const {
    const QString path = dir.filePath(QStringLiteral("firmware.zv"));
    if (!image.write(path)) {
        qWarning("cannot write the image");
        return {};
    }
    UploadSession session;
    session.thread().setCompletionPause(UploadSession::kShortPauseMs);
    if (session.open() != 1 || !session.start(path) || !session.waitForEnd(20000)) {
        qWarning("upload did not end");
        return {};
    }
    frames = UploadSession::framesSent();
    stored = virtualpedal::VirtualPedal::snapshot().bootBlocks;
    return session.messages;
}

QList<float> TestUpdateWriteThread::blockFigures(int blocks, int total) {
    QList<float> figures;
    for (int n = 1; n <= blocks; ++n) {
        const double share = std::floor(n * 90.0 / total + 1e-9);
        figures.append(share <= 1 ? 11.0f : float(share + 9));
    }
    return figures;
}

void TestUpdateWriteThread::severalSectionsUpload() const {
    FirmwareImageBuilder image;
    image.startArg = 0x11223344;
    image.sections.append({FirmwareImageBuilder::pattern(1024, 1), 0xA2, 0xA3, 5, 0x0100});
    image.sections.append({FirmwareImageBuilder::pattern(1536, 2), 0xA2, 0xA3, 6, 0x2000});
    image.sections.append({FirmwareImageBuilder::pattern(512, 3), 0xA2, 0xA3, 7, 0x3000});

    UploadSession::Frames frames;
    std::map<std::uint16_t, std::vector<std::uint8_t>> stored;
    const Messages messages = upload(image, frames, stored);

    // Six blocks: each adds 15 to the share of 90.
    const Messages expected{{11, 0},  {11, 2},  {11, 5},  {11, 9},  {11, 24},  {11, 39}, {11, 54},
                            {11, 69}, {11, 84}, {11, 99}, {11, 99}, {11, 100}, {10, 100}};
    QCOMPARE(messages, expected);
    QVERIFY(frames == UploadSession::expectedFrames(image, -1, true));
    QCOMPARE(UploadSession::addresses(frames, 0xA2),
             (QList<int>{0x0100, 0x0101, 0x2000, 0x2001, 0x2002, 0x3000}));
    QVERIFY(frames.at(1) == virtualpedal::VirtualPedal::frame(0xA0, {0x44, 0x33, 0x22, 0x11}));

    QCOMPARE(int(stored.size()), 6);
    int block = 0;
    for (const Section& section : image.sections) {
        for (int i = 0; i < section.data.size() / 512; ++i, ++block) {
            const auto found = stored.find(std::uint16_t(section.sectorAddrStart + quint32(i)));
            QVERIFY(found != stored.end());
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(found->second.data()),
                                int(found->second.size())),
                     section.data.mid(i * 512, 512));
        }
    }
    QCOMPARE(virtualpedal::VirtualPedal::snapshot().runMode, 'A');
}

void TestUpdateWriteThread::uploadSendsWholeBlocks_data() const {
    QTest::addColumn<FirmwareImageBuilder>("image");
    QTest::addColumn<QList<int>>("addresses");

    // A section without data sends nothing; the others go on.
    FirmwareImageBuilder gap;
    gap.sections.append({FirmwareImageBuilder::pattern(1024, 4), 0xA2, 0xA3, 0, 0x0400});
    gap.sections.append({QByteArray(), 0xA2, 0xA3, 0, 0x0450});
    gap.sections.append({FirmwareImageBuilder::pattern(1024, 6), 0xA2, 0xA3, 0, 0x0500});
    QTest::newRow("empty section between") << gap << QList<int>{0x0400, 0x0401, 0x0500, 0x0501};

    FirmwareImageBuilder wrap;
    wrap.sections.append({FirmwareImageBuilder::pattern(1536, 7), 0xA2, 0xA3, 0, 0xFFFF});
    QTest::newRow("address wrap") << wrap << QList<int>{0xFFFF, 0x0000, 0x0001};

    FirmwareImageBuilder high;
    high.sections.append({FirmwareImageBuilder::pattern(1024, 8), 0xA2, 0xA3, 0, 0x0003FFFF});
    QTest::newRow("only the low 16 bits") << high << QList<int>{0xFFFF, 0x0000};
}

void TestUpdateWriteThread::uploadSendsWholeBlocks() const {
    QFETCH(FirmwareImageBuilder, image);
    QFETCH(QList<int>, addresses);

    UploadSession::Frames frames;
    std::map<std::uint16_t, std::vector<std::uint8_t>> stored;
    const Messages messages = upload(image, frames, stored);

    QVERIFY(frames == UploadSession::expectedFrames(image, -1, true));
    QCOMPARE(UploadSession::addresses(frames, 0xA2), addresses);
    QCOMPARE(int(stored.size()), addresses.size());

    const QByteArray bytes = image.build();
    const int total = (bytes.size() - 128 - 512 * image.sections.size()) / 512;
    Messages expected{{11, 0}, {11, 2}, {11, 5}, {11, 9}};
    for (float figure : blockFigures(addresses.size(), total)) {
        expected.append({11, figure});
    }
    expected += Messages{{11, 99}, {11, 100}, {10, 100}};
    QCOMPARE(messages, expected);
}

void TestUpdateWriteThread::progressStaysAtElevenFirst() const {
    FirmwareImageBuilder image;
    image.sections.append({FirmwareImageBuilder::pattern(512 * 120, 9), 0xA2, 0xA3, 0, 0});

    UploadSession::Frames frames;
    std::map<std::uint16_t, std::vector<std::uint8_t>> stored;
    const Messages messages = upload(image, frames, stored);

    QCOMPARE(messages.size(), 4 + 120 + 3);
    QList<float> figures;
    for (int i = 4; i < 4 + 120; ++i) {
        figures.append(messages.at(i).second);
    }
    // 120 blocks, 0.75 of 90 each: the share passes 1 with the fourth block.
    QCOMPARE(figures.mid(0, 5), (QList<float>{11, 11, 11, 12, 12}));
    QCOMPARE(figures, blockFigures(120, 120));
    QCOMPARE(figures.last(), 99.0f);
    QCOMPARE(int(stored.size()), 120);
}

void TestUpdateWriteThread::sharedDataKeepsFigureBelow100() const {
    // Section 2 sends section 1's data again: four blocks go out of a file that holds two.
    FirmwareImageBuilder image;
    image.sections.append({FirmwareImageBuilder::pattern(1024, 10), 0xA2, 0xA3, 0, 0x0100});
    image.sections.append({QByteArray(), 0xA2, 0xA3, 0, 0x0200});
    QByteArray bytes = image.build();
    FirmwareImageBuilder::putLe32(bytes, image.headerPos(2) + 9, quint32(image.dataPos(1) + 1));
    FirmwareImageBuilder::putLe32(bytes, image.headerPos(2) + 17, 1024);
    const QString path = dir.filePath(QStringLiteral("shared.zv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    UploadSession session;
    session.thread().setCompletionPause(UploadSession::kShortPauseMs);
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(20000));
    QCOMPARE(session.messages, (Messages{{11, 0},
                                         {11, 2},
                                         {11, 5},
                                         {11, 9},
                                         {11, 54},
                                         {11, 99},
                                         {11, 99},
                                         {11, 99},
                                         {11, 99},
                                         {11, 100},
                                         {10, 100}}));
    QCOMPARE(UploadSession::addresses(UploadSession::framesSent(), 0xA2),
             (QList<int>{0x0100, 0x0101, 0x0200, 0x0201}));
}

QTEST_GUILESS_MAIN(TestUpdateWriteThread)
#include "test_updatewritethread.moc"
