#include "files/presetdropimport.h"
#include "files/presetfilesave.h"
#include "tests/files_backup/pedalsession.h"
#include "tests/files_presets/presetfileimage.h"
#include "uikit/qpromptdialog.h"
#include "virtualpedal/virtualpedal.h"

#include <QApplication>
#include <QDataStream>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// A valid preset image around the ten values.
QByteArray presetImage(const std::array<int, 10>& values) {
    return presetFileImage(presetFileData(values));
}

// What the preset browser's list puts into its drag.
QMimeData* browserDrag(const QString& path) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << path;
    auto* mime = new QMimeData;
    mime->setData("list/text/uri-list", bytes);
    return mime;
}

DeviceState::Values asValues(const std::array<int, 10>& values) {
    DeviceState::Values out{};
    for (int i = 0; i < 10; ++i)
        out[size_t(i)] = uint16_t(values[size_t(i)]);
    return out;
}

const std::array<int, 10> sampleValues{33, 4, 12, 45, 90, 70, 9, 0, 100, 1};

} // namespace

// Closes every prompt that opens and keeps its message.
class PromptCatcher final : public QObject {
public:
    PromptCatcher() {
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto* prompt = qobject_cast<QPromptDialog*>(QApplication::activeModalWidget())) {
                texts.append(prompt->MessageLabel()->text());
                sizes.append(prompt->MessageSize());
                prompt->OnClose();
            }
        });
        timer.start(10);
    }
    QStringList texts;
    QList<QSize> sizes;

private:
    QTimer timer;
};

class TestPresetDrop final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dropMakesPresetCurrent();
    void refusedFileNeverSent_data();
    void refusedFileNeverSent();
    void withoutConnectionNoPrompt();
    void otherFormatIgnored();
    void savePresetWritesWords_data();
    void savePresetWritesWords();

private:
    QString write(const QString& name, const QByteArray& bytes);

    QTemporaryDir home;
    QTemporaryDir dir;
};

void TestPresetDrop::initTestCase() {
    // The backup thread creates its folder under the documents folder: keep it in the test's.
    QVERIFY(home.isValid());
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(dir.isValid());
}

QString TestPresetDrop::write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestPresetDrop::dropMakesPresetCurrent() {
    PedalSession session;
    QVERIFY(session.open());
    const std::unique_ptr<QMimeData> mime(
        browserDrag(write("good.pfs", presetImage(sampleValues))));
    PromptCatcher prompts;

    importDroppedPreset(nullptr, session.analysis(), 2, mime.get());

    const DeviceState& state = *session.analysis().deviceState();
    QCOMPARE(int(state.currentPreset), 2);
    QCOMPARE(state.presets[2], asValues(sampleValues));
    QCOMPARE(state.current, asValues(sampleValues));
    std::vector<std::uint8_t> params{2};
    const QByteArray data = presetImage(sampleValues).mid(640);
    params.insert(params.end(), data.begin(), data.end());
    QCOMPARE(PedalSession::framesSent(), (PedalSession::Frames{PedalSession::frame(0x9A, params)}));
    const auto stored = virtualpedal::VirtualPedal::snapshot().presets[2];
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(stored.data()), 20), data);
    QCOMPARE(prompts.texts, QStringList{"Preset import successful !"});
    QCOMPARE(prompts.sizes, QList<QSize>{QSize(200, 80)});
}

void TestPresetDrop::refusedFileNeverSent_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray badTag = presetImage(sampleValues);
    badTag[72] = 'Q';
    QTest::newRow("PRESET changed at 72") << badTag;
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("short file") << presetImage(sampleValues).left(659);
}

void TestPresetDrop::refusedFileNeverSent() {
    QFETCH(QByteArray, bytes);
    PedalSession session;
    QVERIFY(session.open());
    const DeviceState before = *session.analysis().deviceState();
    const std::unique_ptr<QMimeData> mime(browserDrag(write("bad.pfs", bytes)));
    PromptCatcher prompts;

    importDroppedPreset(nullptr, session.analysis(), 5, mime.get());

    QVERIFY(PedalSession::framesSent().empty());
    const DeviceState& state = *session.analysis().deviceState();
    QCOMPARE(state.currentPreset, before.currentPreset);
    QCOMPARE(state.presets, before.presets);
    QCOMPARE(prompts.texts, QStringList{"Preset import failed !"});
}

void TestPresetDrop::withoutConnectionNoPrompt() {
    PedalSession session;
    const std::unique_ptr<QMimeData> mime(
        browserDrag(write("good.pfs", presetImage(sampleValues))));
    PromptCatcher prompts;
    importDroppedPreset(nullptr, session.analysis(), 7, mime.get());
    QTest::qWait(50);
    QVERIFY(prompts.texts.isEmpty());
    QCOMPARE(int(session.analysis().deviceState()->currentPreset), 7);
    QCOMPARE(session.analysis().deviceState()->presets[7], asValues(sampleValues));
}

void TestPresetDrop::otherFormatIgnored() {
    PedalSession session;
    QVERIFY(session.open());
    QMimeData mime;
    mime.setText(write("good.pfs", presetImage(sampleValues)));
    PromptCatcher prompts;
    importDroppedPreset(nullptr, session.analysis(), 3, &mime);
    QTest::qWait(50);
    QVERIFY(prompts.texts.isEmpty());
    QVERIFY(PedalSession::framesSent().empty());
    QCOMPARE(int(session.analysis().deviceState()->currentPreset), 0);
}

void TestPresetDrop::savePresetWritesWords_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<bool>("fromCurrent");
    QTest::newRow("current preset takes the values in use") << 4 << true;
    QTest::newRow("other preset takes its stored values") << 6 << false;
}

void TestPresetDrop::savePresetWritesWords() {
    QFETCH(int, preset);
    QFETCH(bool, fromCurrent);
    DeviceState state;
    state.currentPreset = 4;
    state.current = asValues(sampleValues);
    state.presets[4] = asValues({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    state.presets[6] = asValues({0x0102, 2, 0xA0B, 4, 5, 6, 7, 8, 9, 0xFFFF});
    const QString path = dir.filePath("saved.pfs");
    unsigned code = 99;
    QVERIFY(savePresetToFile(state, preset, path, code));
    QCOMPARE(code, 0u);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QByteArray expected = fromCurrent
                                    ? presetImage(sampleValues)
                                    : presetImage({0x0102, 2, 0xA0B, 4, 5, 6, 7, 8, 9, 0xFFFF});
    QCOMPARE(bytes, expected);
    QVERIFY(!savePresetToFile(state, 14, dir.filePath("none.pfs"), code));
    QCOMPARE(code, 14u);
    QVERIFY(!QFile::exists(dir.filePath("none.pfs")));
}

QTEST_MAIN(TestPresetDrop)
#include "test_presetdrop.moc"
