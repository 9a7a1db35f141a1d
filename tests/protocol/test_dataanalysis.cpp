#include "link/frame.h"
#include "protocol/presetcodec.h"
#include "protocol/qdataanalysis.h"

#include <QtTest>

#include <algorithm>
#include <cstring>

using Message = std::vector<unsigned char>;
Q_DECLARE_METATYPE(Message)

namespace {

Message answer(unsigned char code, const std::vector<unsigned char>& params) {
    return Frame::make(code, params);
}

std::vector<unsigned char> presetParams(unsigned char preset, const DeviceState::Values& values) {
    const PresetCodec::Block bytes = PresetCodec::encode(values);
    std::vector<unsigned char> params(1 + bytes.size());
    params[0] = preset;
    std::copy(bytes.begin(), bytes.end(), params.begin() + 1);
    return params;
}

bool sameState(const DeviceState& a, const DeviceState& b) {
    return a.deviceValue == b.deviceValue && a.currentPreset == b.currentPreset &&
           a.current == b.current && a.presets == b.presets && a.userIr == b.userIr &&
           a.slotNames == b.slotNames && a.bypassA == b.bypassA && a.bypassB == b.bypassB &&
           a.activeCabinet == b.activeCabinet;
}

// Distinct, recognisable values in every field.
void fillState(DeviceState& s) {
    s.deviceValue = 9;
    s.currentPreset = 2;
    for (int p = 0; p < DeviceState::kPresetCount; ++p)
        for (int i = 0; i < DeviceState::kValueCount; ++i)
            s.presets[p][i] = uint16_t(p * 3 + i);
    s.current = s.presets[2];
    s.userIr.fill(1);
    for (auto& name : s.slotNames) {
        name.fill(0);
        std::memcpy(name.data(), "user", 4);
    }
    s.bypassA = 1;
    s.bypassB = 0;
    s.activeCabinet = 1;
}

} // namespace

class TestDataAnalysis final : public QObject {
    Q_OBJECT

    QDataAnalysis* parser = nullptr;
    QStringList signalsSeen;

    void deliver(const Message& message) {
        QVERIFY(QMetaObject::invokeMethod(parser, "dataAnalysis", Qt::DirectConnection,
                                          Q_ARG(std::vector<unsigned char>, message)));
    }

    DeviceState& state() { return *parser->deviceState(); }

private slots:
    void init() {
        parser = new QDataAnalysis;
        signalsSeen.clear();
        connect(parser, &QDataAnalysis::emitUpdateIR, this, [this] { signalsSeen << "IR"; });
        connect(parser, &QDataAnalysis::emitUpdateCAB, this, [this] { signalsSeen << "CAB"; });
        connect(parser, &QDataAnalysis::emitUpdateBypass, this,
                [this] { signalsSeen << "Bypass"; });
        connect(parser, &QDataAnalysis::emitUpdatePresetIndex, this,
                [this] { signalsSeen << "PresetIndex"; });
    }

    void cleanup() {
        delete parser;
        parser = nullptr;
    }

    void initialState() {
        QCOMPARE(state().deviceValue, 3u);
        QCOMPARE(int(state().currentPreset), 0);
        QCOMPARE(int(state().activeCabinet), 0);
        for (const auto& preset : state().presets)
            QVERIFY(preset == DeviceState::Values{});
        QVERIFY(parser->productInfo()->firmwareVersion.isEmpty());
    }

    void identity() {
        std::vector<unsigned char> payload(55, 0);
        std::memcpy(payload.data(), "TAL_IX", 6);
        std::memcpy(payload.data() + 32, "VPEDAL", 6);
        std::memcpy(payload.data() + 39, "V1.2.2X", 7); // fills its field: no NUL of its own
        std::memcpy(payload.data() + 46, "R1", 2);
        std::memcpy(payload.data() + 53, "A", 1);
        deliver(answer(0x01, payload));
        const ProductInfo& info = *parser->productInfo();
        QCOMPARE(info.deviceType, QString("TAL_IX"));
        QCOMPARE(info.infoText1, QString("VPEDAL"));
        QCOMPARE(info.firmwareVersion, QString("V1.2.2X"));
        QCOMPARE(info.infoText3, QString("R1"));
        QCOMPARE(info.runMode, QString("A"));
        QVERIFY(signalsSeen.isEmpty());
    }

    void cabinetValue_data() const {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("cabinet");
        QTest::addColumn<int>("position");
        QTest::newRow("level A") << 0x92 << 0 << 0;
        QTest::newRow("level B") << 0x92 << 1 << 5;
        QTest::newRow("level, cabinet 2 is B") << 0x92 << 2 << 5;
        QTest::newRow("slot A") << 0x93 << 0 << 1;
        QTest::newRow("slot B") << 0x93 << 1 << 6;
        QTest::newRow("latency A") << 0x94 << 0 << 2;
        QTest::newRow("latency B") << 0x94 << 1 << 7;
        QTest::newRow("low-cut A") << 0x95 << 0 << 3;
        QTest::newRow("low-cut B") << 0x95 << 1 << 8;
        QTest::newRow("high-cut A") << 0x96 << 0 << 4;
        QTest::newRow("high-cut B") << 0x96 << 1 << 9;
    }

    void cabinetValue() {
        QFETCH(int, code);
        QFETCH(int, cabinet);
        QFETCH(int, position);
        fillState(state());
        DeviceState expected = state();
        expected.current[position] = 300; // not limited
        expected.activeCabinet = uint8_t(cabinet);
        deliver(answer(uint8_t(code), {uint8_t(cabinet), 0x01, 0x2C}));
        QVERIFY(sameState(state(), expected));
        QCOMPARE(signalsSeen, QStringList{"CAB"});
    }

    void presetSelected_data() const {
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("cabinetByte");
        QTest::addColumn<int>("activeCabinet");
        QTest::newRow("preset 0 sets cabinet") << 0 << 0 << 0;
        QTest::newRow("preset 1 sets cabinet") << 1 << 1 << 1;
        QTest::newRow("preset 5 keeps cabinet") << 5 << 0 << 1;
        QTest::newRow("preset 13") << 13 << 0 << 1;
    }

    void presetSelected() {
        QFETCH(int, preset);
        QFETCH(int, cabinetByte);
        QFETCH(int, activeCabinet);
        fillState(state());
        deliver(answer(0x91, {uint8_t(preset), uint8_t(cabinetByte)}));
        QCOMPARE(int(state().currentPreset), preset);
        QCOMPARE(int(state().activeCabinet), activeCabinet);
        QVERIFY(state().current == state().presets[preset]);
        QCOMPARE(signalsSeen, (QStringList{"PresetIndex", "CAB"}));
    }

    void presetSelectedWithoutCabinetByte() {
        fillState(state());
        deliver(answer(0x91, {5}));
        QCOMPARE(int(state().currentPreset), 5);
        QCOMPARE(int(state().activeCabinet), 1);
        QVERIFY(state().current == state().presets[5]);
        QCOMPARE(signalsSeen, (QStringList{"PresetIndex", "CAB"}));
    }

    void presetSelectedBeyondPresetsIgnored() {
        fillState(state());
        const DeviceState before = state();
        deliver(answer(0x91, {14, 0}));
        deliver(answer(0x91, {255, 1}));
        QVERIFY(sameState(state(), before));
        QVERIFY(signalsSeen.isEmpty());
    }

    void selectCabinetAnswer() {
        deliver(answer(0x97, {1}));
        QCOMPARE(int(state().activeCabinet), 1);
        QVERIFY(signalsSeen.isEmpty());
    }

    void bypass() {
        deliver(answer(0x98, {1, 0}));
        QCOMPARE(int(state().bypassA), 1);
        QCOMPARE(int(state().bypassB), 0);
        deliver(answer(0x98, {0, 1}));
        QCOMPARE(int(state().bypassA), 0);
        QCOMPARE(int(state().bypassB), 1);
        QCOMPARE(signalsSeen, (QStringList{"Bypass", "Bypass"}));
    }

    void presetContentOfOtherPreset() {
        fillState(state()); // preset 2 current
        DeviceState expected = state();
        const DeviceState::Values values{50, 3, 20, 30, 90, 60, 10, 0, 100, 7};
        expected.presets[5] = values;
        deliver(answer(0x9A, presetParams(5, values)));
        QVERIFY(sameState(state(), expected));
        QVERIFY(signalsSeen.isEmpty());
    }

    void presetContentOfCurrentPreset() {
        fillState(state());
        const DeviceState::Values values{50, 3, 20, 30, 90, 60, 10, 0, 100, 7};
        deliver(answer(0x9A, presetParams(2, values)));
        QVERIFY(state().presets[2] == values);
        QVERIFY(state().current == values);
        QCOMPARE(signalsSeen, QStringList{"CAB"});
    }

    void presetContentLimited() {
        const DeviceState::Values raw{300, 15, 20, 30, 90, 60, 10, 0, 101, 7};
        const DeviceState::Values limited{100, 10, 20, 30, 90, 60, 10, 0, 100, 7};
        deliver(answer(0x9A, presetParams(4, raw)));
        QVERIFY(state().presets[4] == limited);
        deliver(answer(0x9C, presetParams(6, raw)));
        QVERIFY(state().current == limited);
    }

    void presetContentBeyondPresetsIgnored() {
        fillState(state());
        const DeviceState before = state();
        deliver(answer(0x9A, presetParams(14, DeviceState::Values{1, 1, 1, 1, 1, 1, 1, 1, 1, 1})));
        QVERIFY(sameState(state(), before));
        QVERIFY(signalsSeen.isEmpty());
    }

    void currentValues() {
        fillState(state());
        const DeviceState::Values values{50, 3, 20, 30, 90, 60, 10, 0, 100, 7};
        DeviceState expected = state();
        expected.currentPreset = 7;
        expected.current = values;
        deliver(answer(0x9C, presetParams(7, values)));
        QVERIFY(sameState(state(), expected));
        QCOMPARE(signalsSeen, (QStringList{"CAB", "PresetIndex"}));
    }

    void currentValuesOfUnknownPreset() {
        fillState(state());
        DeviceState expected = state();
        expected.currentPreset = 0;
        deliver(answer(0x9C, presetParams(20, DeviceState::Values{1, 1, 1, 1, 1, 1, 1, 1, 1, 1})));
        QVERIFY(sameState(state(), expected));
        QCOMPARE(signalsSeen, (QStringList{"CAB", "PresetIndex"}));
    }

    void userIrDeleted() {
        fillState(state());
        deliver(answer(0xE5, {0}));
        QCOMPARE(int(state().userIr[0]), 0);
        QCOMPARE(QByteArray(state().slotNames[0].data(), DeviceState::kNameSize),
                 QByteArray("65DLX 1x12 ") + QByteArray(39, '\0'));
        QCOMPARE(parser->slotName(0), QString("65DLX 1x12 "));
        QCOMPARE(int(state().userIr[1]), 1);
        QCOMPARE(signalsSeen, QStringList{"IR"});
    }

    void userIrDeletedBeyondSlotsIgnored() {
        fillState(state());
        const DeviceState before = state();
        deliver(answer(0xE5, {11}));
        deliver(answer(0xE5, {255}));
        QVERIFY(sameState(state(), before));
        QVERIFY(signalsSeen.isEmpty());
    }

    void userIrFlags() {
        deliver(answer(0xE6, {1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 5}));
        QCOMPARE(state().userIr, (std::array<uint8_t, 11>{1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 5}));
        QVERIFY(parser->hasUserIr(0));
        QVERIFY(!parser->hasUserIr(1));
        QVERIFY(parser->hasUserIr(10));
        QVERIFY(!parser->hasUserIr(11));
        QCOMPARE(signalsSeen, QStringList{"IR"});
    }

    void userIrNames() {
        std::vector<unsigned char> names(550, 0);
        std::memcpy(names.data() + 3 * 50, "Room Mic", 8);
        std::memset(names.data() + 10 * 50, 'z', 50); // a name without terminator
        deliver(answer(0xE7, names));
        QCOMPARE(parser->slotName(3), QString("Room Mic"));
        QCOMPARE(parser->slotName(10), QString(50, 'z'));
        QCOMPARE(parser->slotName(4), QString("59Baseman 4x10"));
        QCOMPARE(signalsSeen, QStringList{"IR"});
    }

    void deviceValue() {
        deliver(answer(0xED, {42}));
        QCOMPARE(state().deviceValue, 42u);
        QVERIFY(signalsSeen.isEmpty());
    }

    void otherCodesIgnored_data() const {
        QTest::addColumn<Message>("message");
        QTest::newRow("IR ack") << answer(0xE3, {2, 5});
        QTest::newRow("unknown") << answer(0x55, {1, 2, 3});
        QTest::newRow("backup block") << answer(0xE9, std::vector<unsigned char>(514, 0x11));
        QTest::newRow("code only, L = 0") << Message{0xAA, 0x55, 0x00, 0x00, 0x92, 1, 0, 50};
        QTest::newRow("four bytes") << Message{0xAA, 0x55, 0x04, 0x00};
        QTest::newRow("empty") << Message{};
    }

    void otherCodesIgnored() {
        QFETCH(Message, message);
        fillState(state());
        const DeviceState before = state();
        deliver(message);
        QVERIFY(sameState(state(), before));
        QVERIFY(signalsSeen.isEmpty());
    }

    // Every code with one parameter too few, the missing ones present as stale bytes behind the
    // frame; and the same frame cut off inside the message.
    void shortAnswersIgnored_data() const {
        QTest::addColumn<int>("code");
        QTest::addColumn<Message>("params");
        std::vector<unsigned char> preset = presetParams(3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        preset[0] = 2; // the current preset, so a full answer would change current
        QTest::newRow("identity") << 0x01 << Message(55, 'x');
        QTest::newRow("preset selected") << 0x91 << Message{1, 1};
        QTest::newRow("level") << 0x92 << Message{1, 0, 50};
        QTest::newRow("slot") << 0x93 << Message{1, 0, 5};
        QTest::newRow("latency") << 0x94 << Message{0, 0, 50};
        QTest::newRow("low-cut") << 0x95 << Message{0, 0, 50};
        QTest::newRow("high-cut") << 0x96 << Message{0, 0, 50};
        QTest::newRow("cabinet") << 0x97 << Message{0};
        QTest::newRow("bypass") << 0x98 << Message{0, 1};
        QTest::newRow("preset content") << 0x9A << preset;
        QTest::newRow("current values") << 0x9C << preset;
        QTest::newRow("ir deleted") << 0xE5 << Message{4};
        QTest::newRow("ir flags") << 0xE6 << Message(11, 0);
        QTest::newRow("ir names") << 0xE7 << Message(550, 'n');
        QTest::newRow("device value") << 0xED << Message{7};
    }

    void shortAnswersIgnored() {
        QFETCH(int, code);
        QFETCH(Message, params);
        fillState(state());
        const DeviceState before = state();
        const ProductInfo infoBefore = *parser->productInfo();

        Message shortParams(params.begin(), params.end() - 1);
        Message padded = answer(uint8_t(code), shortParams);
        padded.push_back(params.back());
        padded.insert(padded.end(), 600, params.back());
        deliver(padded);

        Message cut = answer(uint8_t(code), params);
        cut.resize(cut.size() - 3); // the check value and the last parameter are missing
        deliver(cut);

        QVERIFY(sameState(state(), before));
        QCOMPARE(parser->productInfo()->deviceType, infoBefore.deviceType);
        QVERIFY(signalsSeen.isEmpty());

        deliver(answer(uint8_t(code), params)); // the whole answer does act
        QVERIFY(!sameState(state(), before) || !parser->productInfo()->deviceType.isEmpty());
    }

    void choosePreset() {
        fillState(state());
        state().activeCabinet = 0;
        parser->choosePreset(9);
        QCOMPARE(int(state().currentPreset), 9);
        QVERIFY(state().current == state().presets[9]);
        QCOMPARE(signalsSeen, (QStringList{"CAB", "PresetIndex"}));
        signalsSeen.clear();
        // A number beyond the stored presets changes no state but is still selected and shown.
        const DeviceState before = state();
        parser->choosePreset(14);
        QVERIFY(sameState(state(), before));
        QCOMPARE(signalsSeen, (QStringList{"CAB", "PresetIndex"}));
        signalsSeen.clear();
        parser->choosePreset(256);
        parser->choosePreset(-1);
        QVERIFY(sameState(state(), before));
        QVERIFY(signalsSeen.isEmpty());
    }

    void saveAndModified() {
        fillState(state());
        QVERIFY(!parser->isPresetModified());
        state().current[7] = 99;
        QVERIFY(parser->isPresetModified());
        parser->saveCurrentPreset();
        QCOMPARE(int(state().presets[2][7]), 99);
        QVERIFY(!parser->isPresetModified());
        QCOMPARE(signalsSeen, (QStringList{"CAB", "PresetIndex"}));
        state().current[0] = 1;
        parser->storeCurrentPreset();
        QCOMPARE(int(state().presets[2][0]), 1);
        QCOMPARE(int(state().presets[3][0]), 9); // untouched neighbour
    }

    void importPreset_data() const {
        QTest::addColumn<int>("blockPreset");
        QTest::addColumn<int>("target");
        QTest::newRow("same preset") << 4 << 4;
        QTest::newRow("block number beyond presets") << 20 << 4;
    }

    void importPreset() {
        QFETCH(int, blockPreset);
        QFETCH(int, target);
        fillState(state());
        const DeviceState::Values before = state().presets[target];
        const DeviceState::Values raw{300, 15, 20, 30, 90, 60, 10, 0, 100, 7};
        const std::vector<unsigned char> params = presetParams(uint8_t(blockPreset), raw);
        parser->importPreset(
            target, QByteArray(reinterpret_cast<const char*>(params.data()), int(params.size())));
        const DeviceState::Values expected =
            blockPreset == target ? DeviceState::Values{100, 10, 20, 30, 90, 60, 10, 0, 100, 7}
                                  : before;
        QVERIFY(state().presets[target] == expected);
        QCOMPARE(int(state().currentPreset), target);
        QVERIFY(state().current == expected);
        QCOMPARE(signalsSeen, (QStringList{"CAB", "PresetIndex"}));
    }

    void importPresetRefused_data() const {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("size");
        QTest::newRow("preset 14") << 14 << 21;
        QTest::newRow("negative preset") << -1 << 21;
        QTest::newRow("short block") << 3 << 20;
    }

    void importPresetRefused() {
        QFETCH(int, target);
        QFETCH(int, size);
        fillState(state());
        const DeviceState before = state();
        parser->importPreset(target, QByteArray(size, '\x03'));
        QVERIFY(sameState(state(), before));
        QVERIFY(signalsSeen.isEmpty());
    }

    void chooseCabinetSlot() {
        parser->chooseCabinetSlot(1, 7);
        QCOMPARE(int(state().current[6]), 7);
        QCOMPARE(int(state().current[1]), 0);
        parser->chooseCabinetSlot(0, 4);
        QCOMPARE(int(state().current[1]), 4);
        const DeviceState::Values before = state().current;
        parser->chooseCabinetSlot(2, 9);
        QVERIFY(state().current == before);
        QCOMPARE(signalsSeen, (QStringList{"CAB", "CAB", "CAB"}));
    }

    void storeValue_data() const {
        QTest::addColumn<int>("cabinet");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("stored");
        QTest::newRow("level A") << 0 << 0 << 75 << 0 << 75;
        QTest::newRow("latency A") << 0 << 1 << 20 << 2 << 20;
        QTest::newRow("low-cut B") << 1 << 2 << 30 << 8 << 30;
        QTest::newRow("high-cut B, limited") << 1 << 3 << 150 << 9 << 100;
        QTest::newRow("cabinet 5 is B") << 5 << 0 << 60 << 5 << 60;
        QTest::newRow("negative becomes 0") << 0 << 3 << -4 << 4 << 0;
        QTest::newRow("index 4 stores nothing") << 0 << 4 << 50 << -1 << 50;
    }

    void storeValue() {
        QFETCH(int, cabinet);
        QFETCH(int, index);
        QFETCH(int, value);
        QFETCH(int, position);
        QFETCH(int, stored);
        fillState(state());
        DeviceState::Values expected = state().current;
        if (position >= 0)
            expected[position] = uint16_t(stored);
        QCOMPARE(parser->storeValue(cabinet, index, value), stored);
        QVERIFY(state().current == expected);
        QVERIFY(signalsSeen.isEmpty());
    }

    void slotNames() {
        QCOMPARE(parser->slotName(11), QString("EMPTY"));
        QCOMPARE(parser->slotName(-1), QString("EMPTY"));
        QCOMPARE(parser->slotName(0), QString("65DLX 1x12 "));
        std::memcpy(state().slotNames[0].data(), "Mine", 5);
        QCOMPARE(parser->slotName(0), QString("Mine"));
    }

    void factoryNames_data() const {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "65DLX 1x12 ";
        QTest::newRow("1") << 1 << "A15 1x12";
        QTest::newRow("2") << 2 << "Twinverb.B 2x12";
        QTest::newRow("3") << 3 << "AC30.S 2x12";
        QTest::newRow("4") << 4 << "59Baseman 4x10";
        QTest::newRow("5") << 5 << "1960AG 4x12";
        QTest::newRow("6") << 6 << "Rect.S 4x12";
        QTest::newRow("7") << 7 << "German.V 4x12";
        QTest::newRow("8") << 8 << "B.svt 1x15";
        QTest::newRow("9") << 9 << "B.svt 4x10";
        QTest::newRow("10") << 10 << "B.svt 8x10";
        QTest::newRow("11") << 11 << "EMPTY";
        QTest::newRow("-1") << -1 << "EMPTY";
    }

    void factoryNames() const {
        QFETCH(int, slot);
        QFETCH(QString, name);
        QCOMPARE(QDataAnalysis::factoryName(slot), name);
    }
};

QTEST_GUILESS_MAIN(TestDataAnalysis)
#include "test_dataanalysis.moc"
