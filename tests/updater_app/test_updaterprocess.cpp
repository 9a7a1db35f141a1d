// The real updater on the shared virtual pedal (a state file; the pedal preloaded, or emulated
// below the system libusb), run from a temporary program folder that holds it, the skins and a
// stand-in editor that records its start, or the real editor.
#include "editor/mainwindowrules.h"
#include "link/bytefields.h"
#include "tests/common/pedalprocess.h"
#include "tests/common/xsession.h"
#include "tests/editor/editorspots.h"
#include "uikit/qmemenustyle.h"
#include "updater/image/qfirmwareimage.h"
#include "virtualpedal/pedalstate.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <signal.h>

namespace {

QString buildDir() {
    return qEnvironmentVariable("TALIX_BUILD_DIR");
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder of its own: the updater (copied, since the program finds its folder through
// its real path), the skins and translations, the demo image, and an editor.
class ProgramFolder final {
public:
    ProgramFolder() {
        const QString bin = buildDir() + "/bin";
        ok = dir.isValid() && QFile::copy(bin + "/TALIXUpdate", path("TALIXUpdate")) &&
             QFile::link(bin + "/image", path("image")) &&
             QFile::link(bin + "/Language", path("Language")) && QDir().mkpath(path("Firmware")) &&
             QDir().mkpath(path("tmp")) &&
             QFile::copy(TALIX_DEMO_FIRMWARE, path("Firmware/talix_demo.zv"));
        QFile::setPermissions(path("TALIXUpdate"), QFile::permissions(bin + "/TALIXUpdate"));
    }

    // A program in the editor's place that notes each start in "editor-started".
    bool addStandInEditor() {
        return QFile::copy(STANDIN_EDITOR, path("TALIX")) &&
               QFile::setPermissions(path("TALIX"), QFile::permissions(STANDIN_EDITOR));
    }
    bool addRealEditor() {
        const QString editor = buildDir() + "/bin/TALIX";
        return QFile::copy(editor, path("TALIX")) &&
               QFile::setPermissions(path("TALIX"), QFile::permissions(editor));
    }
    int editorStarts() const { return readFile(path("editor-started")).count("started"); }

    QString path(const QString& name) const { return dir.filePath(name); }

    // The environment of a program started here: the virtual pedal's state file and traffic log,
    // a private home for the settings file, and a private temporary folder for the
    // single-instance locks, apart from any other program running on this machine.
    QProcessEnvironment environment(const QStringList& pedal) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TALIX_VP_STATE", path("pedal.state"));
        env.insert("TALIX_VP_LOG", path("traffic.log"));
        env.insert("TALIX_VP_NEW_FIRMWARE", "V1.3.0");
        env.insert("HOME", path("home"));
        env.insert("XDG_DATA_HOME", path("home/data"));
        env.insert("XDG_CONFIG_HOME", path("home/config"));
        env.insert("TMPDIR", path("tmp"));
        env.remove("XDG_RUNTIME_DIR");
        for (const QString& entry : pedal)
            env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        return env;
    }

    QTemporaryDir dir;
    bool ok = false;
};

// Ends the processes a test started when the test leaves, however it leaves: its own children and,
// by their ids, the programs they started in turn.
struct Reaper {
    ~Reaper() {
        for (QProcess* p : processes)
            PedalProcess::stop(*p);
        for (qint64 pid : pids) {
            if (pid > 0)
                ::kill(pid_t(pid), SIGKILL);
        }
    }
    QProcess* add(QProcess* p) {
        processes.append(p);
        return p;
    }
    QList<QProcess*> processes;
    QList<qint64> pids;
};

// True when the log has an identity request after the last line `marker`.
bool identityRequestAfter(const QByteArray& log, const QByteArray& marker) {
    const int at = log.lastIndexOf(marker);
    return at >= 0 && log.indexOf("OUT AA 55 01 00 00", at) > at;
}

// The pedal's device value, the last answer of the editor's connect sequence, came after the last
// line `marker` (or anywhere, for an empty marker).
bool connectedAfter(const QByteArray& log, const QByteArray& marker = QByteArray()) {
    const int at = marker.isEmpty() ? 0 : log.lastIndexOf(marker);
    return at >= 0 && QRegularExpression(QStringLiteral("IN AA 55 .. .. ED"))
                          .match(QString::fromLatin1(log.mid(at)))
                          .hasMatch();
}

bool processAlive(qint64 pid) {
    return pid > 0 && QDir(QString("/proc/%1").arg(pid)).exists();
}

bool pedalState(const QString& path, virtualpedal::PedalState& state) {
    const QByteArray bytes = readFile(path);
    return virtualpedal::PedalState::deserialize(
        std::vector<std::uint8_t>(bytes.begin(), bytes.end()), state);
}

} // namespace

class TestUpdaterProcess final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void editorWithoutWindow_data() const;
    void editorWithoutWindow() const;
    void secondStartEndsAtOnce() const;
    void uploadsDemoImage();
    void busyPedalIsWaitedFor();
    void unusablePedalKeepsWindow();
    void wholeChain();

private:
    // Presses the editor's connect switch, which holds the keyboard focus when the window opens.
    void pressConnect(const QString& window) const;
    // The upload of the demo image, as the pedal keeps it in its state file, and the firmware it
    // runs after it.
    void verifyDemoUploaded(const ProgramFolder& folder, const std::string& firmware) const;

    XSession m_x;
};

void TestUpdaterProcess::initTestCase() {
    if (!PedalProcess::unavailable().isEmpty())
        QSKIP(qPrintable(PedalProcess::unavailable()));
    QVERIFY(QFile::exists(buildDir() + "/bin/TALIXUpdate"));
    QVERIFY(QFile::exists(TALIX_DEMO_FIRMWARE));
}

void TestUpdaterProcess::editorWithoutWindow_data() const {
    QTest::addColumn<QStringList>("pedal");
    QTest::newRow("pedal running") << QStringList{"TALIX_VP_RUN_MODE=A"};
    QTest::newRow("pedal absent") << QStringList{"TALIX_VP_NO_DEVICE=1"};
}

void TestUpdaterProcess::editorWithoutWindow() const {
    QFETCH(QStringList, pedal);
    ProgramFolder folder;
    QVERIFY(folder.ok && folder.addStandInEditor());
    QProcess updater;
    Reaper reaper;
    reaper.add(&updater);
    PedalProcess::start(updater, folder.path("TALIXUpdate"),
                        folder.environment(pedal << "QT_QPA_PLATFORM=offscreen"));
    // A window would keep it running: it must end by itself.
    QByteArray output;
    QCOMPARE(PedalProcess::waitForEnd(updater, output), 0);
    QTRY_COMPARE_WITH_TIMEOUT(folder.editorStarts(), 1, 30000);
}

void TestUpdaterProcess::secondStartEndsAtOnce() const {
    ProgramFolder folder;
    QVERIFY(folder.ok && folder.addStandInEditor());
    const QProcessEnvironment env =
        folder.environment({"TALIX_VP_RUN_MODE=B", "QT_QPA_PLATFORM=offscreen"});
    QProcess first;
    QProcess second;
    Reaper reaper;
    reaper.add(&first);
    reaper.add(&second);
    PedalProcess::start(first, folder.path("TALIXUpdate"), env);
    QVERIFY(first.waitForStarted(30000));
    // The single instance is listening before the pedal is probed; the boot loader's answer shows
    // that the probe has run and the window is up.
    QTRY_VERIFY_WITH_TIMEOUT(readFile(folder.path("traffic.log")).contains("IN AA 55"), 60000);
    const int identityRequests = readFile(folder.path("traffic.log")).count("OUT AA 55 01 00 00");

    PedalProcess::start(second, folder.path("TALIXUpdate"), env);
    QByteArray output;
    QCOMPARE(PedalProcess::waitForEnd(second, output), 0);
    // The first goes on with its window; neither started the editor.
    QCOMPARE(first.state(), QProcess::Running);
    QCOMPARE(folder.editorStarts(), 0);
    // The second never opened the pedal.
    QCOMPARE(readFile(folder.path("traffic.log")).count("OUT AA 55 01 00 00"), identityRequests);
}

void TestUpdaterProcess::pressConnect(const QString& window) const {
    QVERIFY(m_x.pressKey(window, "space"));
}

void TestUpdaterProcess::verifyDemoUploaded(const ProgramFolder& folder,
                                            const std::string& firmware) const {
    virtualpedal::PedalState state;
    QVERIFY(pedalState(folder.path("pedal.state"), state));
    QCOMPARE(state.firmwareVersion, firmware);
    QCOMPARE(state.runMode, 'A');
    // Every block of the demo image at its address.
    QFirmwareImage image;
    QVERIFY(image.open(QByteArray(TALIX_DEMO_FIRMWARE)) > 0);
    int blocks = 0;
    for (int k = 1; k <= image.sectionCount(); ++k) {
        unsigned char header[QFirmwareImage::SectionHeaderSize];
        std::vector<unsigned char> data;
        QCOMPARE(image.sectionHeader(k, header), QFirmwareImage::SectionHeaderSize);
        image.sectionData(k, data);
        const quint16 start =
            quint16(ByteFields::le32(header + QFirmwareImage::OffSectorAddrStart));
        for (std::size_t i = 0; i < data.size() / 512; ++i, ++blocks) {
            const auto block = state.bootBlocks.find(quint16(start + i));
            QVERIFY(block != state.bootBlocks.end());
            QVERIFY(std::equal(block->second.begin(), block->second.end(),
                               data.begin() + std::ptrdiff_t(i * 512)));
        }
    }
    QCOMPARE(int(state.bootBlocks.size()), blocks);
    QVERIFY(blocks > 0);
}

void TestUpdaterProcess::uploadsDemoImage() {
    QString reason;
    if (!m_x.start(reason))
        QSKIP(qPrintable("needs a display and xdotool to press the button: " + reason));
    ProgramFolder folder;
    QVERIFY(folder.ok && folder.addStandInEditor());
    QProcess updater;
    Reaper reaper;
    reaper.add(&updater);
    PedalProcess::start(updater, folder.path("TALIXUpdate"),
                        folder.environment({"TALIX_VP_RUN_MODE=B", "QT_QPA_PLATFORM=xcb",
                                            "DISPLAY=" + m_x.display()}));
    const QString window = m_x.findWindow("^TALIX Update$");
    QVERIFY2(!window.isEmpty(), "the updater's window did not show");
    QVERIFY(m_x.matchesEntry(window, UPDATER_DESKTOP_ENTRY));
    // The middle of the Start button.
    QVERIFY(m_x.click(window, 235, 223));
    QByteArray output;
    QCOMPARE(PedalProcess::waitForEnd(updater, output, 120000), 0);
    verifyDemoUploaded(folder, "V1.3.0");
    QTRY_COMPARE_WITH_TIMEOUT(folder.editorStarts(), 1, 30000);
}

// The program that started the updater still holds the pedal for a moment, as an editor that
// hands over does until it has ended: the updater waits for it instead of taking the busy pedal
// for an absent one and starting the editor again.
void TestUpdaterProcess::busyPedalIsWaitedFor() {
    QString reason;
    if (!m_x.start(reason))
        QSKIP(qPrintable("needs a display to see the updater's window: " + reason));
    ProgramFolder folder;
    QVERIFY(folder.ok && folder.addStandInEditor());
    QProcess holder;
    Reaper reaper;
    reaper.add(&holder);
    PedalProcess::start(holder, CLAIM_HOLDER,
                        folder.environment({"TALIX_VP_RUN_MODE=B", "QT_QPA_PLATFORM=xcb",
                                            "DISPLAY=" + m_x.display()}),
                        {folder.path("TALIXUpdate"), "1500"});
    QByteArray output;
    QCOMPARE(PedalProcess::waitForEnd(holder, output), 0);
    QVERIFY2(output.contains("held 1") && output.contains("released"), output);
    const QString window = m_x.findWindow("^TALIX Update$");
    QVERIFY2(!window.isEmpty(), "the updater's window did not show");
    reaper.pids.append(m_x.windowPid(window));
    QCOMPARE(folder.editorStarts(), 0);
}

// A pedal in its boot loader that this user may not open: the updater's window says so, rather
// than starting the editor, which could not open it either.
void TestUpdaterProcess::unusablePedalKeepsWindow() {
    QString reason;
    if (!m_x.start(reason))
        QSKIP(qPrintable("needs a display to see the updater's window: " + reason));
    ProgramFolder folder;
    QVERIFY(folder.ok && folder.addStandInEditor());
    QProcess updater;
    Reaper reaper;
    reaper.add(&updater);
    PedalProcess::start(updater, folder.path("TALIXUpdate"),
                        folder.environment({"TALIX_VP_RUN_MODE=B", "TALIX_VP_OPEN_DENIED=1",
                                            "QT_QPA_PLATFORM=xcb", "DISPLAY=" + m_x.display()}));
    QVERIFY2(!m_x.findWindow("^TALIX Update$").isEmpty(), "the updater's window did not show");
    QVERIFY(updater.waitForStarted(30000) && updater.state() == QProcess::Running);
    QCOMPARE(folder.editorStarts(), 0);
}

void TestUpdaterProcess::wholeChain() {
    QString reason;
    if (!m_x.start(reason))
        QSKIP(qPrintable("needs a display and xdotool to press the buttons: " + reason));
    ProgramFolder folder;
    QVERIFY(folder.ok && folder.addRealEditor());
    const QRect update = EditorSpots::bandButton(MainWindowRules::Update);
    QVERIFY2(update.isValid(), "the update button's image did not load");

    // The guitarist starts the editor with the pedal running and connects. The update brings the
    // firmware this editor was made for, so the editor that comes back offers no other update.
    QProcess editor;
    Reaper reaper;
    reaper.add(&editor);
    // The updater and the next editor inherit its output: a pipe closed when it ends would kill
    // them at their next line.
    editor.setProcessChannelMode(QProcess::ForwardedChannels);
    PedalProcess::start(
        editor, folder.path("TALIX"),
        folder.environment({"TALIX_VP_RUN_MODE=A",
                            QString("TALIX_VP_NEW_FIRMWARE=") + MainWindowRules::kExpectedFirmware,
                            "QT_QPA_PLATFORM=xcb", "DISPLAY=" + m_x.display()}));
    const QString firstWindow = m_x.findWindow("^TALIX$");
    QVERIFY2(!firstWindow.isEmpty(), "the editor's window did not show");
    pressConnect(firstWindow);
    QTRY_VERIFY_WITH_TIMEOUT(connectedAfter(readFile(folder.path("traffic.log"))), 60000);

    // "Firmware Update", the first entry of the update button's menu, which opens a few pixels
    // below the button: the pointer waits on the middle of that entry until the menu is under it.
    QVERIFY(m_x.click(firstWindow, update.center().x(), update.center().y()));
    QVERIFY(m_x.moveTo(firstWindow, update.center().x(),
                       update.bottom() + 6 + QMEMenuStyle::kItemHeight / 2));
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     const QString under = m_x.windowUnderPointer();
                     return !under.isEmpty() && under != firstWindow;
                 },
                 60000),
             "the update button's menu did not open");
    QVERIFY(m_x.xdotool({"click", "1"}));

    // The editor names the image it found and asks before it switches the pedal.
    QStringList prompts;
    const qint64 firstEditorPid = m_x.windowPid(firstWindow);
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     prompts = m_x.windowsOf(firstEditorPid);
                     prompts.removeAll(firstWindow);
                     return !prompts.isEmpty();
                 },
                 60000),
             "the editor did not ask before the update");
    const QPoint yes = EditorSpots::promptYes(prompts.first());
    QVERIFY(!yes.isNull());
    QVERIFY(!readFile(folder.path("traffic.log")).contains("OUT AA 55 02 00 EB 01"));
    QVERIFY(m_x.click(prompts.first(), yes.x(), yes.y()));

    // The pedal goes to its boot loader; the editor finds it there, hands over and ends.
    QByteArray output;
    QCOMPARE(PedalProcess::waitForEnd(editor, output), 0);
    const QByteArray handOver = readFile(folder.path("traffic.log"));
    const int updateMode = handOver.indexOf("OUT AA 55 02 00 EB 01 CE FE");
    QVERIFY2(updateMode > 0, "the editor did not send the update-mode frame");
    QVERIFY(connectedAfter(handOver.left(updateMode)));
    QVERIFY(handOver.indexOf("EVENT restart B") > updateMode);

    // The updater's window: start the upload.
    const QString updaterWindow = m_x.findWindow("^TALIX Update$");
    QVERIFY2(!updaterWindow.isEmpty(), "the updater's window did not show");
    const qint64 updaterPid = m_x.windowPid(updaterWindow);
    reaper.pids.append(updaterPid);
    QVERIFY(m_x.click(updaterWindow, 235, 223));
    QTRY_VERIFY_WITH_TIMEOUT(!processAlive(updaterPid), 120000);
    verifyDemoUploaded(folder, MainWindowRules::kExpectedFirmware);

    // The editor is back and talks to the running pedal: it asks the restarted pedal who it is.
    const QString editorWindow = m_x.findWindow("^TALIX$");
    QVERIFY2(!editorWindow.isEmpty(), "the editor did not start again");
    const qint64 editorPid = m_x.windowPid(editorWindow);
    reaper.pids.append(editorPid);
    QVERIFY(editorPid > 0 && editorPid != updaterPid);
    QTRY_VERIFY_WITH_TIMEOUT(
        identityRequestAfter(readFile(folder.path("traffic.log")), "EVENT restart A"), 60000);
    // The guitarist connects again.
    pressConnect(editorWindow);
    QTRY_VERIFY_WITH_TIMEOUT(
        connectedAfter(readFile(folder.path("traffic.log")), "EVENT restart A"), 60000);
}

QTEST_GUILESS_MAIN(TestUpdaterProcess)
#include "test_updaterprocess.moc"
