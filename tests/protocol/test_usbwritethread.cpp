#include "link/frame.h"
#include "link/qmebaselibusb.h"
#include "protocol/irfileloader.h"
#include "protocol/presetcodec.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "virtualpedal/virtualpedal.h"

#include <QtTest>

#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

using virtualpedal::PedalState;
using virtualpedal::VirtualPedal;
using Bytes = std::vector<uint8_t>;
using Command = std::function<bool(QUsbWriteThread&, QDataAnalysis&)>;
Q_DECLARE_METATYPE(Command)

namespace {

// The wait for an answer in the cases that run it to its end, instead of the editor's 5 s.
constexpr int kSilentPedalMs = 1000;

const char* const kPedalVariables[] = {
    "TALIX_VP_SILENT_ON", "TALIX_VP_DROP_IR_ACK", "TALIX_VP_UNPLUG_AFTER", "TALIX_VP_DELAY_MS",
    "TALIX_VP_UNPLUG_ON", "TALIX_VP_PADDING",     "TALIX_VP_CORRUPT"};

QByteArray hex(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()))
        .toHex(' ')
        .toUpper();
}

QList<int> codesReceived() {
    QList<int> codes;
    for (const Bytes& frame : VirtualPedal::receivedFrames())
        codes << frame[4];
    return codes;
}

QList<int> presetRequests(int count) {
    QList<int> codes;
    for (int i = 0; i < count; ++i)
        codes << 0x99;
    return codes;
}

DeviceState::Values decoded(const PedalState::Preset& preset) {
    return PresetCodec::decode(preset.data());
}

// Samples whose three byte lanes differ from each other and from block to block.
std::vector<uint32_t> samplesFor(int seed) {
    std::vector<uint32_t> samples(IrFileLoader::kSampleCount);
    for (int i = 0; i < IrFileLoader::kSampleCount; ++i)
        samples[i] = uint32_t((i * 7 + seed) & 0xFF) << 16 | uint32_t((i * 3 + 1) & 0xFF) << 8 |
                     uint32_t((i + seed * 5) & 0xFF);
    return samples;
}

// Expected content of lane k: bits 16–23, 8–15, 0–7 of 512 samples of each block in turn.
Bytes laneOf(const std::vector<uint32_t>& samples, int k) {
    Bytes lane(512);
    const int block = k / 3;
    const int shift = 16 - 8 * (k % 3);
    for (int i = 0; i < 512; ++i)
        lane[i] = uint8_t(samples[512 * block + i] >> shift);
    return lane;
}

class FakeLoader final : public IrFileLoader {
public:
    std::map<QString, std::vector<uint32_t>> files;
    QString stopOn; // loading this path asks the import to stop, then fails
    QUsbWriteThread* thread = nullptr;

    bool load(const QString& path, std::vector<uint32_t>& samples) override {
        {
            std::lock_guard<std::mutex> lock(mutex);
            loaded << path;
        }
        if (path == stopOn && thread)
            thread->stopWorker(); // on the worker: only raises the stop flag
        const auto found = files.find(path);
        if (found == files.end())
            return false;
        samples = found->second;
        return true;
    }

    void clear() {
        files.clear();
        stopOn.clear();
        std::lock_guard<std::mutex> lock(mutex);
        loaded.clear();
    }

    QStringList loadedPaths() const {
        std::lock_guard<std::mutex> lock(mutex);
        return loaded;
    }

private:
    mutable std::mutex mutex;
    QStringList loaded;
};

struct Progress {
    int value;
    QString path;
    int type;
};

} // namespace

class TestUsbWriteThread final : public QObject {
    Q_OBJECT

    std::optional<QMEBaseLibusb> link;
    QUsbWriteThread* thread = nullptr;
    QDataAnalysis* parser = nullptr;
    FakeLoader loader;
    // Progress as the main thread receives it (queued from the worker).
    QList<Progress> progress;

    bool importEndedWith(int type) const {
        return !progress.isEmpty() && progress.last().type == type;
    }

    // Starts a pedal with the given faults and opens it; the handshake's frame is forgotten.
    bool open(const std::map<QByteArray, QByteArray>& faults = {}) {
        for (const auto& fault : faults)
            qputenv(fault.first.constData(), fault.second);
        link.emplace();
        link->setTransferMode(QMEBaseLibusb::ModeInterrupt);
        thread = new QUsbWriteThread;
        thread->attachLink(&*link);
        parser = new QDataAnalysis;
        parser->setWriteThread(thread);
        loader.thread = thread;
        thread->setIrFileLoader(&loader);
        connect(thread, &QUsbWriteThread::emitImportIrProgress, this,
                [this](int value, QString path, int type) {
                    progress << Progress{value, path, type};
                });
        if (thread->openUsbConnect(0x0483, 0x5703, 200, "TAL_IX") != 2)
            return false;
        VirtualPedal::clearReceivedFrames();
        return true;
    }

    // A pedal state that differs from the factory one in every field the editor reads.
    static PedalState distinctState() {
        PedalState state = PedalState::factory();
        state.currentPreset = 6;
        state.current = state.presets[6];
        PedalState::setValue(state.current, 0, 77);
        state.bypassA = 0;
        state.bypassB = 1;
        state.userIr[3] = 1;
        state.userIr[9] = 1;
        std::memcpy(state.irNames[3].data(), "Room Mic", 8);
        std::memcpy(state.irNames[9].data(), "Live Room", 9);
        state.deviceValue = 42;
        return state;
    }

    void checkFilledFrom(const PedalState& pedal, int presetsRead,
                         const PedalState::Preset& current) {
        const DeviceState& s = *parser->deviceState();
        for (int p = 0; p < DeviceState::kPresetCount; ++p)
            QVERIFY2((s.presets[p] == decoded(pedal.presets[p])) == (p < presetsRead),
                     qPrintable(QString("preset %1").arg(p)));
        QCOMPARE(int(s.currentPreset), int(pedal.currentPreset));
        QVERIFY(s.current == decoded(current));
        for (int slot = 0; slot < DeviceState::kSlotCount; ++slot)
            QCOMPARE(int(s.userIr[slot]), int(pedal.userIr[slot]));
        QCOMPARE(parser->slotName(3), QString("Room Mic"));
        QCOMPARE(parser->slotName(9), QString("Live Room"));
        QCOMPARE(parser->slotName(4), QString("59Baseman 4x10"));
        QCOMPARE(int(s.bypassA), int(pedal.bypassA));
        QCOMPARE(int(s.bypassB), int(pedal.bypassB));
        QCOMPARE(s.deviceValue, uint32_t(pedal.deviceValue));
        QCOMPARE(parser->productInfo()->deviceType, QString("TAL_IX"));
        QCOMPARE(parser->productInfo()->firmwareVersion, QString("V1.2.2"));
        QCOMPARE(parser->productInfo()->runMode, QString("A"));
    }

private slots:
    void init() {
        loader.clear();
        progress.clear();
    }

    void cleanup() {
        delete thread; // stops the receive thread and any import first
        thread = nullptr;
        delete parser;
        parser = nullptr;
        link.reset();
        for (const char* name : kPedalVariables)
            qunsetenv(name);
    }

    void commandBytes_data() const {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QByteArray>("frame");
        using T = QUsbWriteThread;
        using P = QDataAnalysis;
        // Check values worked out separately from the frame bytes.
        QTest::newRow("setLevel 1 75") << Command([](T& t, P&) { return t.setLevel(1, 75); })
                                       << QByteArray("AA 55 04 00 92 01 00 4B 1C 36");
        QTest::newRow("High-Cut 100 on CAB B")
            << Command([](T& t, P&) { return t.setHighCut(1, 100); })
            << QByteArray("AA 55 04 00 96 01 00 64 03 4A");
        QTest::newRow("setParameter level")
            << Command([](T& t, P&) { return t.setParameter(1, 0, 75); })
            << QByteArray("AA 55 04 00 92 01 00 4B 1C 36");
        QTest::newRow("setParameter latency")
            << Command([](T& t, P&) { return t.setParameter(0, 1, 100); })
            << QByteArray("AA 55 04 00 94 00 00 64 D9 12");
        QTest::newRow("setParameter low-cut")
            << Command([](T& t, P&) { return t.setParameter(1, 2, 0); })
            << QByteArray("AA 55 04 00 95 01 00 00 B4 B4");
        QTest::newRow("setParameter high-cut")
            << Command([](T& t, P&) { return t.setParameter(1, 3, 100); })
            << QByteArray("AA 55 04 00 96 01 00 64 03 4A");
        QTest::newRow("requestIdentity") << Command([](T& t, P&) { return t.requestIdentity(); })
                                         << QByteArray("AA 55 01 00 00 C8 CF");
        QTest::newRow("selectPreset") << Command([](T& t, P&) { return t.selectPreset(3, 1); })
                                      << QByteArray("AA 55 03 00 91 03 01 1B 56");
        QTest::newRow("setCabinetSlot") << Command([](T& t, P&) { return t.setCabinetSlot(0, 10); })
                                        << QByteArray("AA 55 04 00 93 00 00 0A 05 57");
        QTest::newRow("setLatency") << Command([](T& t, P&) { return t.setLatency(0, 100); })
                                    << QByteArray("AA 55 04 00 94 00 00 64 D9 12");
        QTest::newRow("setLowCut") << Command([](T& t, P&) { return t.setLowCut(1, 0); })
                                   << QByteArray("AA 55 04 00 95 01 00 00 B4 B4");
        QTest::newRow("selectCabinet") << Command([](T& t, P&) { return t.selectCabinet(1); })
                                       << QByteArray("AA 55 02 00 97 01 83 CA");
        QTest::newRow("setBypass") << Command([](T& t, P&) { return t.setBypass(1, 0); })
                                   << QByteArray("AA 55 03 00 98 01 00 F3 84");
        QTest::newRow("requestPreset") << Command([](T& t, P&) { return t.requestPreset(13); })
                                       << QByteArray("AA 55 02 00 99 0D 61 49");
        QTest::newRow("writePreset") << Command([](T& t, P&) {
            return t.writePreset(2, PresetCodec::encode({50, 3, 20, 30, 90, 60, 10, 0, 100, 300}));
        })
                                     << QByteArray("AA 55 16 00 9A 02 00 32 00 03 00 14 00 1E 00 "
                                                   "5A 00 3C 00 0A 00 00 00 "
                                                   "64 01 2C 8E 35");
        QTest::newRow("requestCurrent") << Command([](T& t, P&) { return t.requestCurrent(); })
                                        << QByteArray("AA 55 01 00 9B FA 1D");
        QTest::newRow("resetDevice") << Command([](T& t, P&) { return t.resetDevice(); })
                                     << QByteArray("AA 55 02 00 E1 01 21 35");
        QTest::newRow("deleteUserIr") << Command([](T& t, P&) { return t.deleteUserIr(4); })
                                      << QByteArray("AA 55 02 00 E4 04 8E 65");
        QTest::newRow("enterUpdateMode") << Command([](T& t, P&) { return t.enterUpdateMode(); })
                                         << QByteArray("AA 55 02 00 EB 01 CE FE");
        QTest::newRow("requestIrList") << Command([](T& t, P&) { return t.requestIrList(); })
                                       << QByteArray("AA 55 02 00 EC 01 57 69");
        QTest::newRow("finishConnect") << Command([](T& t, P&) { return t.finishConnect(); })
                                       << QByteArray("AA 55 01 00 EE D4 2F");
        QTest::newRow("beginBackup") << Command([](T& t, P&) { return t.beginBackup(); })
                                     << QByteArray("AA 55 02 00 E8 01 9B AD");
        QTest::newRow("requestBackupBlock")
            << Command([](T& t, P&) { return t.requestBackupBlock(0x1234); })
            << QByteArray("AA 55 03 00 EA 12 34 65 1B");
        QTest::newRow("writeBackupBlock")
            << Command([](T& t, P&) { return t.writeBackupBlock(1, QByteArray::fromHex("DEAD")); })
            << QByteArray("AA 55 05 00 E9 00 01 DE AD 70 77");
        // The parser's operations send through the write thread.
        QTest::newRow("choosePreset") << Command([](T&, P& p) {
            p.deviceState()->activeCabinet = 1;
            p.choosePreset(3);
            return true;
        }) << QByteArray("AA 55 03 00 91 03 01 1B 56");
        QTest::newRow("choosePreset beyond the presets") << Command([](T&, P& p) {
            p.choosePreset(14);
            return true;
        }) << hex(Frame::make(0x91, {14, 0}));
        QTest::newRow("saveCurrentPreset")
            << Command([](T&, P& p) {
                   p.deviceState()->currentPreset = 2;
                   p.deviceState()->current = {50, 3, 20, 30, 90, 60, 10, 0, 100, 300};
                   p.saveCurrentPreset();
                   return true;
               })
            << QByteArray("AA 55 16 00 9A 02 00 32 00 03 00 14 00 1E 00 5A 00 3C 00 0A 00 00 00 "
                          "64 01 2C 8E 35");
        QTest::newRow("importPreset")
            << Command([](T&, P& p) {
                   p.importPreset(2, QByteArray::fromHex("02003200030014001E005A003C000A00000064"
                                                         "012C"));
                   return true;
               })
            // the stored preset is limited: 300 became 100
            << hex(Frame::make(0x9A, {2, 0,  50, 0,  3, 0, 20, 0,   30, 0,  90,
                                      0, 60, 0,  10, 0, 0, 0,  100, 0,  100}));
        QTest::newRow("chooseCabinetSlot") << Command([](T&, P& p) {
            p.chooseCabinetSlot(0, 10);
            return true;
        }) << QByteArray("AA 55 04 00 93 00 00 0A 05 57");
    }

    void commandBytes() {
        QFETCH(Command, command);
        QFETCH(QByteArray, frame);
        QVERIFY(open());
        QVERIFY(command(*thread, *parser));
        const auto frames = VirtualPedal::receivedFrames();
        QCOMPARE(int(frames.size()), 1);
        QCOMPARE(hex(frames[0]), frame);
    }

    void setParameterOtherIndexSendsNothing_data() const {
        QTest::addColumn<int>("index");
        QTest::newRow("4") << 4;
        QTest::newRow("-1") << -1;
    }

    void setParameterOtherIndexSendsNothing() {
        QFETCH(int, index);
        QVERIFY(open());
        QVERIFY(!thread->setParameter(0, index, 50));
        QVERIFY(thread->finishConnect()); // a marker behind it
        QCOMPARE(codesReceived(), QList<int>{0xEE});
    }

    void commandsFailWithoutDevice() {
        QVERIFY(open());
        thread->closeUsbConnect();
        QVERIFY(!thread->setLevel(0, 10));
        QVERIFY(!thread->requestIdentity());
        QVERIFY(VirtualPedal::receivedFrames().empty());
    }

    void connectSequenceFillsState_data() const {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("clean line") << QByteArray() << QByteArray();
        QTest::newRow("random padding") << QByteArray("TALIX_VP_PADDING") << QByteArray("7");
    }

    void connectSequenceFillsState() {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, value);
        std::map<QByteArray, QByteArray> faults;
        if (!variable.isEmpty())
            faults[variable] = value;
        QVERIFY(open(faults));
        const PedalState pedal = distinctState();
        QVERIFY(VirtualPedal::setState(pedal));
        thread->connectSequence();
        const QList<int> order =
            QList<int>{0x00} + presetRequests(14) + QList<int>{0xEC, 0x9B, 0xEE};
        QCOMPARE(codesReceived(), order);
        const auto frames = VirtualPedal::receivedFrames();
        for (int p = 0; p < 14; ++p)
            QCOMPARE(int(frames[1 + p][5]), p);
        QTRY_COMPARE_WITH_TIMEOUT(parser->deviceState()->deviceValue, 42u, 5000);
        checkFilledFrom(pedal, 14, pedal.current);
    }

    // The current values come first here, so the current preset's content read afterwards
    // replaces them.
    void reconnectSequenceOrder() {
        QVERIFY(open());
        const PedalState pedal = distinctState();
        QVERIFY(VirtualPedal::setState(pedal));
        thread->reconnectSequence();
        const QList<int> order =
            QList<int>{0x00, 0x9B} + presetRequests(14) + QList<int>{0xEC, 0xEE};
        QCOMPARE(codesReceived(), order);
        QTRY_COMPARE_WITH_TIMEOUT(parser->deviceState()->deviceValue, 42u, 5000);
        checkFilledFrom(pedal, 14, pedal.presets[pedal.currentPreset]);
    }

    // A frame cut off by an unplug must not swallow the answers of the next connection.
    void reconnectAfterFrameCutOff() {
        QVERIFY(open());
        thread->startReceiving();
        QSignalSpy answers(thread, &QMEBaseWriteThread::emitAnalysis);
        QSignalSpy lost(thread, &QMEBaseWriteThread::emitDeviceLostConnect);
        // One packet: a whole answer, then the first bytes of the long IR name answer.
        Bytes stream = VirtualPedal::frame(0x97, {1});
        const Bytes names = VirtualPedal::frame(0xE7, Bytes(550, 'n'));
        stream.insert(stream.end(), names.begin(), names.begin() + 40);
        QVERIFY(VirtualPedal::pushRaw(stream));
        QTRY_COMPARE_WITH_TIMEOUT(answers.count(), 1, 5000);
        QVERIFY(VirtualPedal::unplug());
        QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 5000);

        QVERIFY(VirtualPedal::replug());
        QCOMPARE(int(thread->openUsbConnect(0x0483, 0x5703, 200, "TAL_IX")), 2);
        VirtualPedal::clearReceivedFrames();
        const PedalState pedal = distinctState();
        QVERIFY(VirtualPedal::setState(pedal));
        thread->connectSequence();
        QCOMPARE(codesReceived(),
                 (QList<int>{0x00} + presetRequests(14) + QList<int>{0xEC, 0x9B, 0xEE}));
        QTRY_COMPARE_WITH_TIMEOUT(parser->deviceState()->deviceValue, 42u, 5000);
        checkFilledFrom(pedal, 14, pedal.current);
        // The spies hear the receive thread directly: it ends before they do.
        thread->receiveThread()->stop();
    }

    void silentPresetAnswerEndsReading() {
        QVERIFY(open({{"TALIX_VP_SILENT_ON", "0x99"}}));
        thread->setAnswerTimeout(kSilentPedalMs);
        const PedalState pedal = distinctState();
        QVERIFY(VirtualPedal::setState(pedal));
        QSignalSpy presetIndex(parser, &QDataAnalysis::emitUpdatePresetIndex);
        thread->connectSequence();
        QCOMPARE(codesReceived(), (QList<int>{0x00, 0x99, 0xEC, 0x9B, 0xEE}));
        QTRY_COMPARE_WITH_TIMEOUT(parser->deviceState()->deviceValue, 42u, 5000);
        checkFilledFrom(pedal, 0, pedal.current);
        QCOMPARE(presetIndex.count(), 1); // the current values' answer
    }

    void corruptedPresetAnswerEndsReading() {
        QVERIFY(open({{"TALIX_VP_CORRUPT", "0x9A:3"}}));
        thread->setAnswerTimeout(kSilentPedalMs);
        const PedalState pedal = distinctState();
        QVERIFY(VirtualPedal::setState(pedal));
        thread->connectSequence();
        const QList<int> order = {0x00, 0x99, 0x99, 0x99, 0xEC, 0x9B, 0xEE};
        QCOMPARE(codesReceived(), order);
        QTRY_COMPARE_WITH_TIMEOUT(parser->deviceState()->deviceValue, 42u, 5000);
        checkFilledFrom(pedal, 2, pedal.current);
    }

    void pedalLostWhileReadingPresets() {
        QVERIFY(open({{"TALIX_VP_UNPLUG_ON", "0x99"}}));
        thread->startReceiving();
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(thread->readPresets(14), 0);
        QVERIFY(timer.elapsed() < QUsbWriteThread::answerTimeoutMs); // not held for the time-out
        QVERIFY(!thread->usbIsOpen());
        QCOMPARE(codesReceived(), QList<int>{0x99});
    }

    void readPresetsWaitsForItsOwnPreset() {
        QVERIFY(open({{"TALIX_VP_SILENT_ON", "0x99"}}));
        thread->setAnswerTimeout(kSilentPedalMs);
        thread->startReceiving();
        // While preset 0 is awaited the pedal reports the content of preset 3.
        Bytes stray(21, 0);
        stray[0] = 3;
        std::thread pusher([&stray] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            VirtualPedal::pushAnswer(0x9A, stray);
        });
        const int read = thread->readPresets(2);
        pusher.join();
        QCOMPARE(read, 0);
        QCOMPARE(thread->presetAck(), 3);
        QCOMPARE(codesReceived(), presetRequests(1));
    }

    void readPresetsCountsAnswers() {
        QVERIFY(open());
        thread->startReceiving();
        QCOMPARE(thread->readPresets(3), 3);
        QCOMPARE(thread->presetAck(), 2);
        QCOMPARE(codesReceived(), presetRequests(3));
    }

    void unsolicitedAnswers_data() const {
        QTest::addColumn<int>("code");
        QTest::addColumn<Bytes>("params");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<int>("position"); // index into current, or -1
        QTest::addColumn<int>("value");
        QTest::newRow("level B") << 0x92 << Bytes{1, 0, 60} << "CAB" << 5 << 60;
        QTest::newRow("slot A") << 0x93 << Bytes{0, 0, 9} << "CAB" << 1 << 9;
        QTest::newRow("high-cut A") << 0x96 << Bytes{0, 0, 33} << "CAB" << 4 << 33;
        QTest::newRow("bypass") << 0x98 << Bytes{0, 0} << "Bypass" << -1 << 0;
        QTest::newRow("ir flags") << 0xE6 << Bytes(11, 1) << "IR" << -1 << 0;
    }

    void unsolicitedAnswers() {
        QFETCH(int, code);
        QFETCH(Bytes, params);
        QFETCH(QString, signal);
        QFETCH(int, position);
        QFETCH(int, value);
        QVERIFY(open());
        QStringList seen;
        connect(parser, &QDataAnalysis::emitUpdateCAB, this, [&] { seen << "CAB"; });
        connect(parser, &QDataAnalysis::emitUpdateBypass, this, [&] { seen << "Bypass"; });
        connect(parser, &QDataAnalysis::emitUpdateIR, this, [&] { seen << "IR"; });
        thread->startReceiving();
        QVERIFY(VirtualPedal::pushAnswer(uint8_t(code), params));
        QTRY_COMPARE_WITH_TIMEOUT(seen, QStringList{signal}, 3000);
        const DeviceState& s = *parser->deviceState();
        if (position >= 0)
            QCOMPARE(int(s.current[position]), value);
        if (code == 0x98) {
            QCOMPARE(int(s.bypassA), 0);
            QCOMPARE(int(s.bypassB), 0);
        }
        if (code == 0xE6)
            QVERIFY(parser->hasUserIr(0) && parser->hasUserIr(10));
    }

    void damagedAnswersChangeNothing() {
        QVERIFY(open());
        thread->startReceiving();
        const DeviceState::Values before = parser->deviceState()->current;
        QSignalSpy cab(parser, &QDataAnalysis::emitUpdateCAB);
        QVERIFY(VirtualPedal::pushAnswer(0x92, {1, 0}));           // one parameter short
        QVERIFY(VirtualPedal::pushAnswer(0x9C, {3, 0, 50, 0, 1})); // preset block cut off
        Bytes corrupt = VirtualPedal::frame(0x92, {0, 0, 55});
        corrupt.back() ^= 0xFF;
        QVERIFY(VirtualPedal::pushRaw(corrupt));
        QVERIFY(VirtualPedal::pushRaw({0x13, 0xAA, 0x00, 0x55}));
        QVERIFY(VirtualPedal::pushAnswer(0xED, {77})); // marker: everything before is handled
        QTRY_COMPARE_WITH_TIMEOUT(parser->deviceState()->deviceValue, 77u, 3000);
        QVERIFY(parser->deviceState()->current == before);
        QCOMPARE(int(parser->deviceState()->currentPreset), 0);
        QCOMPARE(cab.count(), 0);
    }

    void acknowledgements() {
        QVERIFY(open());
        thread->startReceiving();
        QVERIFY(VirtualPedal::pushAnswer(0xE3, {3}));    // too short: no sequence number
        QVERIFY(VirtualPedal::pushAnswer(0xE3, {3, 7})); // slot 3, sequence 7
        QTRY_COMPARE_WITH_TIMEOUT(thread->ackSequence(), 7, 3000);
        Bytes preset(21, 0);
        preset[0] = 9;
        QVERIFY(VirtualPedal::pushAnswer(0x9A, preset));
        QTRY_COMPARE_WITH_TIMEOUT(thread->presetAck(), 9, 3000);
        QCOMPARE(thread->ackSequence(), 7);
    }

    void irImportSkipsUnreadableFile() {
        QVERIFY(open());
        thread->startReceiving();
        const auto b = samplesFor(1);
        const auto c = samplesFor(2);
        loader.files = {{"/ir/B cab.v2.wav", b}, {"/ir/C.gir", c}};
        QVERIFY(thread->startIrImport(2, {"/ir/A.wav", "/ir/B cab.v2.wav", "/ir/C.gir"}));
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(2), 10000);

        const PedalState pedal = VirtualPedal::snapshot();
        QCOMPARE(int(pedal.userIr[1]), 0);
        QCOMPARE(int(pedal.userIr[2]), 1);
        QCOMPARE(int(pedal.userIr[3]), 1);
        QCOMPARE(int(pedal.userIr[4]), 0);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(pedal.irNames[2].data())),
                 QByteArray("B cab"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(pedal.irNames[3].data())),
                 QByteArray("C"));
        for (int k = 0; k < 12; ++k) {
            QVERIFY(Bytes(pedal.irLanes[2].begin() + 512 * k,
                          pedal.irLanes[2].begin() + 512 * (k + 1)) == laneOf(b, k));
            QVERIFY(Bytes(pedal.irLanes[3].begin() + 512 * k,
                          pedal.irLanes[3].begin() + 512 * (k + 1)) == laneOf(c, k));
        }

        // Packets in order: sequence 0–12 for slot 2, then for slot 3.
        const auto frames = VirtualPedal::receivedFrames();
        QCOMPARE(int(frames.size()), 26);
        for (int i = 0; i < 26; ++i) {
            QCOMPARE(int(frames[i][5]), 2 + i / 13);
            QCOMPARE(int(frames[i][6]), i % 13);
        }

        const QList<Progress>& list = progress;
        const QList<int> values{35, 37, 39, 41, 43, 45, 47, 49, 51, 53, 55, 57, 63, 63,
                                65, 67, 69, 71, 73, 75, 77, 79, 81, 83, 85, 87, 93, 93};
        QCOMPARE(list.size(), values.size() + 2);
        for (int i = 0; i < values.size(); ++i) {
            QCOMPARE(list[i].value, values[i]);
            QCOMPARE(list[i].path, QString(i < 14 ? "/ir/B cab.v2.wav" : "/ir/C.gir"));
            QCOMPARE(list[i].type, 0);
        }
        QCOMPARE(list[values.size()].value, 100);
        QCOMPARE(list[values.size()].type, 0);
        QCOMPARE(list.last().value, 100);
        QVERIFY(list.last().path.isEmpty());

        QCOMPARE(thread->ackSequence(), -1);
        QCOMPARE(int(thread->importSlot()), 0);
        QVERIFY(thread->importFiles().isEmpty());
        QElapsedTimer stopTime;
        stopTime.start();
        thread->stopWorker(); // the import signalled its end: no waiting
        QVERIFY(stopTime.elapsed() < QMEBaseWriteThread::ackTimeoutMs);
    }

    void irImportProgressOfOneFile() {
        QVERIFY(open());
        thread->startReceiving();
        loader.files = {{"one.wav", samplesFor(3)}};
        QVERIFY(thread->startIrImport(0, {"one.wav"}));
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(2), 10000);
        QList<int> values;
        for (const Progress& p : progress)
            values << p.value;
        QCOMPARE(values,
                 (QList<int>{6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 92, 92, 100, 100}));
    }

    void irImportNames_data() const {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("dots") << "/x/My Cab.v2.wav" << QByteArray("My Cab");
        QTest::newRow("60 characters") << QString(60, 'n') + ".wav" << QByteArray(50, 'n');
        QTest::newRow("no extension") << "plain" << QByteArray("plain");
    }

    void irImportNames() {
        QFETCH(QString, path);
        QFETCH(QByteArray, name);
        QVERIFY(open());
        thread->startReceiving();
        loader.files = {{path, samplesFor(4)}};
        QVERIFY(thread->startIrImport(5, {path}));
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(2), 10000);
        const Bytes nameFrame = VirtualPedal::receivedFrames().back();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(nameFrame.data()) + 7, 50),
                 name + QByteArray(50 - name.size(), '\0'));
    }

    void irImportEndsAfterSlotTen() {
        QVERIFY(open());
        thread->startReceiving();
        loader.files = {
            {"a", samplesFor(1)}, {"b", samplesFor(2)}, {"c", samplesFor(3)}, {"d", samplesFor(4)}};
        QVERIFY(thread->startIrImport(9, {"a", "b", "c", "d"}));
        // The pedal keeps only slots 0–10: the files after them are not read, nothing goes to 11.
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(2), 15000);
        QCOMPARE(loader.loadedPaths(), (QStringList{"a", "b"}));
        const PedalState pedal = VirtualPedal::snapshot();
        QCOMPARE(int(pedal.userIr[9]), 1);
        QCOMPARE(int(pedal.userIr[10]), 1);
        const auto frames = VirtualPedal::receivedFrames();
        QCOMPARE(int(frames.back()[5]), 10);
        QVERIFY(progress.last().path.isEmpty());
    }

    void irImportMissingAcknowledgement() {
        QVERIFY(open({{"TALIX_VP_DROP_IR_ACK", "5"}}));
        thread->setAnswerTimeout(kSilentPedalMs);
        thread->startReceiving();
        loader.files = {{"a", samplesFor(1)}, {"b", samplesFor(2)}};
        QVERIFY(thread->startIrImport(0, {"a", "b"}));
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(3), 10000);
        const QList<Progress>& list = progress;
        QCOMPARE(list.size(), 7); // six packets sent, then the failure
        QCOMPARE(list.last().value, list[5].value);
        QCOMPARE(int(VirtualPedal::receivedFrames().size()), 6);
        QCOMPARE(loader.loadedPaths(), QStringList{"a"});
        // The slot was never completed.
        QCOMPARE(VirtualPedal::snapshot().userIr[0], uint8_t(0));
    }

    void irImportWaitsForItsOwnSequence() {
        QVERIFY(open({{"TALIX_VP_DROP_IR_ACK", "0"}}));
        thread->setAnswerTimeout(kSilentPedalMs);
        thread->startReceiving();
        loader.files = {{"a", samplesFor(1)}};
        QVERIFY(thread->startIrImport(0, {"a"}));
        // While packet 0 is awaited an acknowledgement of another packet arrives.
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty(), 5000);
        QVERIFY(VirtualPedal::pushAnswer(0xE3, {0, 5}));
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(3), 10000);
        QCOMPARE(int(VirtualPedal::receivedFrames().size()), 1);
    }

    void irImportDeviceLost() {
        QVERIFY(open({{"TALIX_VP_UNPLUG_AFTER", "3"}}));
        thread->startReceiving();
        loader.files = {{"a", samplesFor(1)}};
        QSignalSpy lost(thread, &QUsbWriteThread::emitDeviceLostConnect);
        QVERIFY(thread->startIrImport(0, {"a"}));
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(3), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 3000);
        QVERIFY(!thread->usbIsOpen());
    }

    void irImportStopBeforeFile() {
        QVERIFY(open());
        thread->startReceiving();
        loader.files = {{"b", samplesFor(1)}};
        loader.stopOn = "a";
        QVERIFY(thread->startIrImport(0, {"a", "b"}));
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(1), 5000);
        thread->stopWorker(); // joins the worker: nothing more can come
        QCoreApplication::processEvents();
        QCOMPARE(progress.size(), 1);
        QCOMPARE(progress[0].value, 50);
        QCOMPARE(progress[0].path, QString("b"));
        QVERIFY(VirtualPedal::receivedFrames().empty());
    }

    void irImportStopWhileWaiting() {
        QVERIFY(open({{"TALIX_VP_DELAY_MS", "0xE2:200"}}));
        thread->startReceiving();
        loader.files = {{"a", samplesFor(1)}};
        QVERIFY(thread->startIrImport(0, {"a"}));
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty(), 5000);
        thread->stopWorker();
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(3), 5000);
        QVERIFY(progress.last().path.isEmpty());
        QVERIFY(VirtualPedal::receivedFrames().size() < 13);
    }

    // A second import asked for while one runs is refused at once and changes nothing: the
    // running import keeps its files and finishes.
    void irImportWhileImporting() {
        QVERIFY(open({{"TALIX_VP_DELAY_MS", "0xE2:20"}}));
        thread->startReceiving();
        loader.files = {{"a", samplesFor(1)}, {"b", samplesFor(2)}};
        QVERIFY(thread->startIrImport(0, {"a"}) == QUtilThread::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty(), 5000);
        QVERIFY(thread->startIrImport(5, {"b"}) == QUtilThread::StartResult::Busy);
        QCOMPARE(thread->importFiles(), QStringList{"a"});
        QCOMPARE(int(thread->importSlot()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(2), 15000);
        QCOMPARE(loader.loadedPaths(), QStringList{"a"});
        QCOMPARE(int(VirtualPedal::snapshot().userIr[0]), 1);
        QCOMPARE(int(VirtualPedal::snapshot().userIr[5]), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!thread->isWorkerRunning(), 5000);
        progress.clear();
        QVERIFY(thread->startIrImport(5, {"b"}) == QUtilThread::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(importEndedWith(2), 15000);
        QCOMPARE(int(VirtualPedal::snapshot().userIr[5]), 1);
    }

    void irImportEmptyList() {
        QVERIFY(open());
        QVERIFY(thread->startIrImport(3, {}));
        QTRY_COMPARE_WITH_TIMEOUT(progress.size(), 1, 5000);
        QCOMPARE(progress[0].value, 0);
        QVERIFY(progress[0].path.isEmpty());
        QCOMPARE(progress[0].type, 3);
        QElapsedTimer stopTime;
        stopTime.start();
        thread->stopWorker();
        QVERIFY(stopTime.elapsed() < QMEBaseWriteThread::ackTimeoutMs);
    }
};

QTEST_GUILESS_MAIN(TestUsbWriteThread)
#include "test_usbwritethread.moc"
