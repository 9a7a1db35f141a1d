#include "../uikit/testenv.h"
#include "editor/mainwindow.h"
#include "promptanswerer.h"
#include "tests/files_ir/irfileimages.h"
#include "tests/updater/firmwareimagebuilder.h"

#include "editor/mainwindowrules.h"
#include "editor/qbuttonwidget.h"
#include "editor/qleftset.h"
#include "editor/qrightset.h"
#include "editor/qsliderwidget.h"
#include "files/backupfile.h"
#include "files/qbackupwritethread.h"
#include "files/qcabinettypeform.h"
#include "files/qcabinettypeitem.h"
#include "files/qcomputerform.h"
#include "files/qdropdragbutton.h"
#include "protocol/presetcodec.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/parserxml.h"
#include "settings/qmefolders.h"
#include "uikit/qloadingform.h"
#include "uikit/qmaskwidget.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmefocusring.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmemenu.h"
#include "uikit/qmewidget.h"
#include "updater/image/firmwarefolder.h"
#include "virtualpedal/virtualpedal.h"

#include <QAccessible>
#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMimeData>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <memory>

using virtualpedal::PedalState;
using virtualpedal::VirtualPedal;
using Bytes = std::vector<uint8_t>;

namespace {

const QString kDisconnected = QStringLiteral("Device Disconnected!");
using MainWindowRules::Busy;
using MainWindowRules::closeRefusal;

QList<int> codesReceived() {
    QList<int> codes;
    for (const Bytes& frame : VirtualPedal::receivedFrames())
        codes << frame[4];
    return codes;
}

// The connect sequence after the open's identity request.
QList<int> connectCodes() {
    QList<int> codes{0x00};
    for (int i = 0; i < 14; ++i)
        codes << 0x99;
    return codes << 0xEC << 0x9B << 0xEE;
}

bool received(const Bytes& frame) {
    for (const Bytes& f : VirtualPedal::receivedFrames())
        if (f == frame)
            return true;
    return false;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray pedalMemory() {
    const std::vector<std::uint8_t> image = VirtualPedal::snapshot().memoryImage;
    return QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size()));
}

// Holds a transfer's worker at its first progress report until the guard goes, so that a close
// meets the transfer running.
template <typename Sender, typename Signal>
std::shared_ptr<void> holdWorker(Sender* sender, Signal signal) {
    auto gate = std::make_shared<QSemaphore>();
    auto first = std::make_shared<std::atomic<bool>>(true);
    QObject::connect(
        sender, signal, sender,
        [gate, first] {
            if (first->exchange(false))
                gate->acquire();
        },
        Qt::DirectConnection);
    return std::shared_ptr<void>(nullptr, [gate](void*) { gate->release(); });
}

// Drag enter then drop, as a drag from another panel delivers it; true when the target took it.
bool dragAndDrop(QWidget* target, const QMimeData* mime) {
    const QPoint at(target->width() / 2, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

// A control as the tab order names it: its own name after the names of its parents below the
// window ("mwgtLeftSet/mwgtLevel/mcslDial").
QString describe(const QWidget* widget) {
    QStringList names;
    for (const QWidget* w = widget; w && w->objectName() != "centralWidget" && !w->isWindow();
         w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && w->objectName() != "qt_scrollarea_viewport")
            names.prepend(w->objectName());
    }
    return names.join('/');
}

} // namespace

class TestMainWindow final : public QObject {
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url) { m_opened << url.toString(); }

private:
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<PromptAnswerer> m_prompts;
    QStringList m_opened;
    QTemporaryDir m_files;
    // Prompts answered through the hook: text, and whether mask and progress form were showing.
    QStringList m_asked;
    QList<bool> m_progressShown;
    int m_reply = QPromptDialog::ResultYes;
    QStringList m_backupChoices; // what the backup file dialog answers, in turn

    void answerPromptsByHook() {
        QPromptDialog::SetAnswerHook([this](const QPromptDialog& prompt) {
            m_asked << prompt.Text();
            m_progressShown << (!m_window->Mask()->isHidden() &&
                                !m_window->LoadingForm()->isHidden());
            return prompt.ButtonSet() == QPromptDialog::ButtonsYesNo
                       ? m_reply
                       : int(QPromptDialog::ResultClose);
        });
        m_window->SetBackupFileChooser([this](bool) {
            return m_backupChoices.isEmpty() ? QString() : m_backupChoices.takeFirst();
        });
    }

    void forgetPrompts() {
        m_asked.clear();
        m_progressShown.clear();
    }

    bool progressHidden() const {
        return m_window->Mask()->isHidden() && m_window->LoadingForm()->isHidden();
    }

    // Waits for a prompt with this text; it must have been asked while the progress showed.
    bool promptedOverProgress(const QString& text) {
        if (!QTest::qWaitFor([&] { return m_asked.contains(text); }, 30000)) {
            qWarning() << "asked" << m_asked;
            return false;
        }
        return m_progressShown.at(m_asked.indexOf(text));
    }

    template <typename T> T* child(const char* name) const {
        T* found = m_window->findChild<T*>(name);
        Q_ASSERT(found);
        return found;
    }
    QMECheckBox* connectSwitch() const { return child<QMECheckBox>("mcbxConnect"); }

    void openWindow() {
        m_window.reset();
        m_window = std::make_unique<MainWindow>();
        VirtualPedal::clearReceivedFrames();
    }

    bool shows(const char* button, const char* image) const {
        const QImage expected =
            QMEImageLoader::Load(QMEFolders::imageFolder(m_window->UiMode()) + "/" + image);
        return !expected.isNull() && child<QMEBaseButton>(button)->Draw().ButtonImage() == expected;
    }

    // Connects through the switch and waits until the pedal's answers have been read.
    void connectPedal() {
        m_window->Parser()->deviceState()->deviceValue = 0;
        connectSwitch()->click();
        QVERIFY(connectSwitch()->isChecked());
        // The device value is the last answer of the sequence.
        QTRY_COMPARE_WITH_TIMEOUT(int(m_window->Parser()->deviceState()->deviceValue), 3, 10000);
    }

    void checkConnectDisplay(bool connected, int width, const QSize& background) {
        QMECheckBox* box = connectSwitch();
        QMEWidget* back = child<QMEWidget>("mwgtConnectbg");
        QCOMPARE(box->isChecked(), connected);
        QCOMPARE(box->text(), connected ? QObject::tr("Connected") : QObject::tr("Disconnected"));
        QCOMPARE(box->width(), width);
        QCOMPARE(back->size(), background);
        QCOMPARE(back->geometry().right() + 1, child<QMEComboBox>("mccbLanguage")->x() - 26);
        QCOMPARE(back->y(), 8 + (70 - background.height()) / 2);
        QCOMPARE(box->x(), back->geometry().right() + 1 - width - 6);
    }

private slots:
    void init() {
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "1");
        ParserXML::WriteValue("Language_item", "Language_Name", "English");
        ParserXML::SetLanguageType("English");
        qunsetenv("TALIX_VP_NO_DEVICE");
        m_prompts = std::make_unique<PromptAnswerer>();
        openWindow();
    }

    void cleanup() {
        QPromptDialog::SetAnswerHook(nullptr);
        m_opened.clear();
        forgetPrompts();
        m_backupChoices.clear();
        m_reply = QPromptDialog::ResultYes;
        m_window.reset();
        m_prompts.reset();
    }

    void connectChecksFirmware_data() {
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<bool>("matches");
        QTest::newRow("expected") << "V1.2.2" << true;
        QTest::newRow("other case") << "v1.2.2" << true;
        QTest::newRow("older, continue using") << "V1.2.1" << false;
    }
    void connectChecksFirmware() {
        QFETCH(QString, firmware);
        QFETCH(bool, matches);
        PedalState state = VirtualPedal::snapshot();
        state.firmwareVersion = firmware.toStdString();
        QVERIFY(VirtualPedal::setState(state));

        connectPedal();
        const QStringList dialogs =
            matches ? QStringList()
                    : QStringList{"mismatch " + QObject::tr("Firmware version:") + " " + firmware};
        QCOMPARE(m_prompts->seen, dialogs);
        QCOMPARE(m_window->FirmwareMatches(), matches);
        QVERIFY(shows("mbtnUpdate", matches ? "btn_update.png" : "btn_update2.png"));
        QCOMPARE(child<QLabel>("mlblVersion")->text(), firmware);
        checkConnectDisplay(true, 117, QSize(134, 40));
        const QList<int> codes = codesReceived();
        QCOMPARE(codes.mid(codes.size() - connectCodes().size()), connectCodes());
        QCOMPARE(m_window->Parser()->productInfo()->firmwareVersion, firmware);
        QCOMPARE(int(m_window->Parser()->deviceState()->deviceValue), 3);
        QVERIFY(!m_window->ReconnectTimer()->isActive());

        // The switch disconnects.
        connectSwitch()->click();
        QVERIFY(!m_window->LinkOpen());
        checkConnectDisplay(false, 137, QSize(153, 40));
    }

    void noPedalAndLostLink() {
        m_window.reset();
        qputenv("TALIX_VP_NO_DEVICE", "1");
        openWindow();
        connectSwitch()->click();
        QCOMPARE(m_prompts->seen, QStringList{kDisconnected});
        checkConnectDisplay(false, 137, QSize(153, 40));

        m_window.reset();
        qunsetenv("TALIX_VP_NO_DEVICE");
        openWindow();
        m_prompts->seen.clear();
        connectPedal();
        QVERIFY(VirtualPedal::unplug());
        QTRY_VERIFY_WITH_TIMEOUT(!connectSwitch()->isChecked(), 10000);
        QCOMPARE(m_prompts->seen, QStringList{kDisconnected});
        QVERIFY(!m_window->LinkOpen());
        checkConnectDisplay(false, 137, QSize(153, 40));
        // A second report of the same loss would come through the event loop.
        QTest::qWait(300);
        QCOMPARE(m_prompts->seen, QStringList{kDisconnected});
    }

    // A pedal that is there but cannot be used says why, and what to do; nothing is sent.
    void openFailuresSayWhy_data() {
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("text"); // how the prompt begins
        QTest::newRow("no pedal") << QByteArray("TALIX_VP_NO_DEVICE") << QByteArray("1")
                                  << kDisconnected;
        QTest::newRow("no access")
            << QByteArray("TALIX_VP_OPEN_DENIED") << QByteArray("1")
            << "The pedal is plugged in, but this user may not open it. Install the TALIX package "
               "(its rule gives the person at the computer access), then unplug the pedal and "
               "plug it in again. The pedal's device is /dev/bus/usb/001/0";
        QTest::newRow("held by another program")
            << QByteArray("TALIX_VP_CLAIM_BUSY") << QByteArray("1")
            << "Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also "
               "those of other users on this computer), then connect again.";
        QTest::newRow("another device")
            << QByteArray("TALIX_VP_DEVICE_TYPE") << QByteArray("OTHER")
            << "The device on USB 0483:5703 answered as \"OTHER\", not as a TALIX pedal.";
        QTest::newRow("no answer")
            << QByteArray("TALIX_VP_SILENT_ON") << QByteArray("0x00")
            << "The pedal did not answer. Unplug it, plug it in again and connect again.";
        QTest::newRow("held by a driver")
            << QByteArray("TALIX_VP_KERNEL_DRIVER") << QByteArray("stuck")
            << "A driver of the system holds the pedal and does not let it go.";
        QTest::newRow("USB cannot start")
            << QByteArray("TALIX_VP_INIT_FAIL") << QByteArray("1")
            << "USB is not available to TALIX here (LIBUSB_ERROR_OTHER). Run it outside the "
               "sandbox or container, or give it access to USB devices.";
    }
    void openFailuresSayWhy() {
        QFETCH(QByteArray, setting);
        QFETCH(QByteArray, value);
        QFETCH(QString, text);
        struct Setting {
            const QByteArray name;
            ~Setting() { qunsetenv(name.constData()); }
        } pedal{setting};
        m_window.reset();
        qputenv(setting.constData(), value);
        openWindow();
        answerPromptsByHook();
        connectSwitch()->click();
        QCOMPARE(m_asked.size(), 1);
        QVERIFY2(m_asked.first().startsWith(text), qPrintable(m_asked.first()));
        QVERIFY(!connectSwitch()->isChecked());
        QVERIFY(!m_window->LinkOpen());
        // At most the identity request reached the pedal.
        for (const Bytes& frame : VirtualPedal::receivedFrames())
            QCOMPARE(int(frame[4]), 0x00);
    }

    void languageAndLookFollowDisplay() {
        auto* languages = child<QMEComboBox>("mccbLanguage");
        QCOMPARE(languages->count(), 5);
        QCOMPARE(languages->currentText(), QString("English"));

        languages->setCurrentIndex(languages->findText("Chinese"));
        QCOMPARE(ParserXML::LanguageType(), 1);
        QCOMPARE(ParserXML::ReadValue("Language_item", "Language_Name", ""), QString("Chinese"));
        QVERIFY(QObject::tr("Disconnected") != QLatin1String("Disconnected"));
        QCOMPARE(child<QMEBaseButton>("mbtnReset")->toolTip(), QObject::tr("Factory reset"));
        QVERIFY(QObject::tr("Factory reset") != QLatin1String("Factory reset"));
        checkConnectDisplay(false, 91, QSize(111, 40));

        connectPedal();
        checkConnectDisplay(true, 75, QSize(95, 40));
        m_window->onDarkMode();
        checkConnectDisplay(true, 75, QSize(95, 40));

        languages->setCurrentIndex(languages->findText("German"));
        QCOMPARE(ParserXML::LanguageType(), 2);
        QCOMPARE(connectSwitch()->text(), QString("Verbunden"));
        checkConnectDisplay(true, 117, QSize(134, 40));
        connectSwitch()->click();
        checkConnectDisplay(false, 137, QSize(153, 40));

        // A new window starts in the stored language.
        openWindow();
        QCOMPARE(child<QMEComboBox>("mccbLanguage")->currentText(), QString("German"));
        QCOMPARE(child<QMEBaseButton>("mbtnSave")->toolTip(), QString("Speichern"));
    }

    void factoryReset() {
        connectPedal();
        m_prompts->reply = PromptAnswerer::kEnter;
        m_window->onReset();
        QVERIFY(!received(VirtualPedal::frame(0xE1, {1})));
        QVERIFY(connectSwitch()->isChecked());

        // Yes; a close while the last prompt shows is refused, naming the reset. The link is
        // closed: every action meets it, without a file dialog, a reset or an update.
        answerPromptsByHook();
        const QString reconnect = QObject::tr("Device connection disconnected, please reconnect!");
        QPromptDialog::SetAnswerHook([this, reconnect](const QPromptDialog& prompt) {
            m_asked << prompt.Text();
            if (prompt.Text() == reconnect)
                m_window->OnClose();
            return int(QPromptDialog::ResultYes);
        });
        m_window->onReset();
        m_backupChoices << m_files.filePath("never.bfl");
        m_window->onBackupFile();
        m_window->onReset();
        m_window->actFirmwareUpdate();
        QCOMPARE(m_asked, (QStringList{QObject::tr("Do you really want to reset the database? "
                                                   "Device needs to be restart!"),
                                       reconnect, closeRefusal(Busy::FactoryReset), kDisconnected,
                                       kDisconnected, kDisconnected}));
        QCOMPARE(m_backupChoices.size(), 1);
        QCOMPARE(codesReceived().count(0xE1), 1);
        QVERIFY(!codesReceived().contains(0xEB) && !m_window->IsClosing());
        checkConnectDisplay(false, 137, QSize(153, 40));
        m_window->onDarkMode();
        checkConnectDisplay(false, 137, QSize(153, 40));

        // The user reconnects with the switch; the open finds the restarted pedal.
        VirtualPedal::clearReceivedFrames();
        connectPedal();
        checkConnectDisplay(true, 117, QSize(134, 40));
    }

    void firmwareUpdateHandsOver_data() {
        QTest::addColumn<bool>("fromMismatch");
        QTest::addColumn<QString>("image"); // made for this pedal, another one, or none
        QTest::addColumn<int>("reply");     // to the question naming the image
        QTest::addColumn<bool>("switched");
        const int yes = QPromptDialog::ResultYes;
        QTest::newRow("menu action, Yes") << false << "TAL_IX" << yes << true;
        QTest::newRow("menu action, No")
            << false << "TAL_IX" << int(QPromptDialog::ResultNo) << false;
        QTest::newRow("mismatch dialog accepted, Yes") << true << "TAL_IX" << yes << true;
        QTest::newRow("menu action, another pedal's image") << false << "TAL_X2" << yes << false;
        QTest::newRow("mismatch dialog accepted, no image") << true << "" << yes << false;
    }
    void firmwareUpdateHandsOver() {
        QFETCH(bool, fromMismatch);
        QFETCH(QString, image);
        QFETCH(int, reply);
        QFETCH(bool, switched);
        const QString folder = FirmwareFolder::UserPath();
        QDir(FirmwareFolder::Path()).removeRecursively();
        QDir(folder).removeRecursively();
        if (!image.isEmpty()) {
            FirmwareImageBuilder builder;
            builder.deviceType = image.toLatin1();
            builder.sections.append({FirmwareImageBuilder::pattern(1024, 3), 0xA2, 0xA3, 0, 0});
            QVERIFY(QDir().mkpath(folder) && builder.write(folder + "talix_v1.3.0.zv"));
        }
        QStringList asked;
        QPromptDialog::SetAnswerHook([&](const QPromptDialog& prompt) {
            asked << prompt.Text();
            return prompt.ButtonSet() == QPromptDialog::ButtonsOpenOk
                       ? int(QPromptDialog::ResultOpen)
                       : reply;
        });
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        int handOvers = 0;
        bool closedAtHandOver = false;
        m_window->SetHandOver([&] {
            ++handOvers;
            // The updater must find the pedal free.
            closedAtHandOver = !m_window->LinkOpen();
        });
        if (fromMismatch) {
            PedalState state = VirtualPedal::snapshot();
            state.firmwareVersion = "V1.1.0";
            QVERIFY(VirtualPedal::setState(state));
            m_prompts->acceptUpdate = true;
            connectSwitch()->click();
        } else {
            connectPedal();
            m_window->actFirmwareUpdate();
        }
        QDesktopServices::unsetUrlHandler("file");

        const QString question = "Update the pedal with \"talix_v1.3.0.zv\"? The pedal restarts "
                                 "into its update mode; keep it plugged in until the updater says "
                                 "it has finished.";
        const QString missing = "No usable firmware file (*.zv) was found. Put the firmware file "
                                "into the folder \"" +
                                QDir::cleanPath(folder) + "\".";
        if (image == "TAL_IX") {
            QCOMPARE(asked, QStringList{question});
        } else {
            QCOMPARE(asked,
                     QStringList{missing + (image.isEmpty() ? QString()
                                                            : "\n\nThe firmware file "
                                                              "\"talix_v1.3.0.zv\" is made for "
                                                              "another pedal.")});
            // "Open Folder" shows the folder, which is there to take the image.
            QCOMPARE(m_opened, QStringList{QUrl::fromLocalFile(folder).toString()});
            QVERIFY(QFileInfo(folder).isDir());
        }
        QCOMPARE(received(VirtualPedal::frame(0xEB, {1})), switched);
        QCOMPARE(m_window->ReconnectTimer()->isActive(), switched);
        if (!switched) {
            // Nothing changed for the pedal: a declined update from the mismatch dialog goes on
            // connecting as "Continue using" does.
            QTRY_COMPARE_WITH_TIMEOUT(int(m_window->Parser()->deviceState()->deviceValue), 3,
                                      10000);
            QVERIFY(m_window->WriteThread()->receiveThread()->isRunning());
            QVERIFY(connectSwitch()->isChecked());
            QCOMPARE(VirtualPedal::snapshot().runMode, 'A');
            return;
        }
        // The initial reads are not sent: the pedal goes to its boot loader at once.
        QCOMPARE(codesReceived().contains(0x99), !fromMismatch);
        QCOMPARE(m_window->ReconnectTimer()->interval(), 1500);
        QVERIFY(!m_window->WriteThread()->receiveThread()->isRunning());
        QCOMPARE(handOvers, 0);

        QTRY_COMPARE_WITH_TIMEOUT(handOvers, 1, 15000);
        QVERIFY(closedAtHandOver);
        QCOMPARE(VirtualPedal::snapshot().runMode, 'B');
        QVERIFY(connectSwitch()->isChecked());
        QCOMPARE(connectSwitch()->text(), QObject::tr("Connected"));
        QVERIFY(!m_prompts->seen.contains(kDisconnected));
    }

    // What a connect, or the reconnect timer after a firmware hand-over, finds. The boot loader
    // goes to the updater without a prompt; without an updater to start it stays for a later try.
    void connectFindings_data() {
        QTest::addColumn<bool>("fromTimer");
        QTest::addColumn<char>("pedal"); // run mode, or 0 for none
        QTest::addColumn<bool>("updater");
        QTest::newRow("connect, boot loader") << false << 'B' << true;
        QTest::newRow("connect, boot loader, no updater") << false << 'B' << false;
        QTest::newRow("timer, no pedal") << true << char(0) << true;
        QTest::newRow("timer, pedal running") << true << 'A' << true;
    }
    void connectFindings() {
        QFETCH(bool, fromTimer);
        QFETCH(char, pedal);
        QFETCH(bool, updater);
        answerPromptsByHook();
        int handOvers = 0;
        if (updater)
            m_window->SetHandOver([&handOvers] { ++handOvers; });
        QTemporaryDir noUpdater;
        QMEFolders::setApplicationFolder(updater ? QString() : noUpdater.path());
        PedalState state = VirtualPedal::snapshot();
        state.runMode = pedal ? pedal : 'A';
        QVERIFY(VirtualPedal::setState(state) && (pedal || VirtualPedal::unplug()));
        // In an event loop, which a failed hand-over must not end.
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            fromTimer ? m_window->onConnTimer() : connectSwitch()->click();
            QTimer::singleShot(0, &loop, [&loop] { loop.exit(1); });
        });
        QCOMPARE(loop.exec(), 1);
        QMEFolders::setApplicationFolder(QString());

        QStringList prompts;
        if (!pedal)
            prompts << kDisconnected;
        if (pedal == 'B' && !updater)
            prompts << MainWindowRules::updaterMissing(noUpdater.path() + "/TALIXUpdate");
        QCOMPARE(m_asked, prompts);
        QCOMPARE(handOvers, int(pedal == 'B' && updater));
        const bool connected = pedal == 'A' || handOvers;
        checkConnectDisplay(connected, connected ? 117 : 137,
                            connected ? QSize(134, 40) : QSize(153, 40));
        // Free for the updater.
        QCOMPARE(m_window->LinkOpen(), pedal == 'A');
        QCOMPARE(VirtualPedal::snapshot().runMode, state.runMode);
        if (pedal == 'A') {
            // After a hand-over the current values come before the presets.
            QList<int> reconnect = connectCodes();
            reconnect.move(16, 1);
            QTRY_COMPARE_WITH_TIMEOUT(
                codesReceived().mid(codesReceived().size() - reconnect.size()), reconnect, 10000);
        }
    }

    void saveAndRefusalsWithoutLink() {
        // Disconnected: the pedal actions refuse, save keeps the value without sending.
        m_window->onReset();
        m_window->actFirmwareUpdate();
        QCOMPARE(m_prompts->seen, (QStringList{kDisconnected, kDisconnected}));
        QVERIFY(!m_window->ReconnectTimer()->isActive());
        DeviceState* state = m_window->Parser()->deviceState();
        state->current[0] = 42;
        m_window->onSave();
        QCOMPARE(int(state->presets[state->currentPreset][0]), 42);
        QVERIFY(VirtualPedal::receivedFrames().empty());

        connectPedal();
        state->currentPreset = 5;
        state->current[DeviceState::valuePosition(1, DeviceState::Level)] = 77;
        const DeviceState::Values values = state->current;
        m_prompts->reply = QPromptDialog::ResultNo;
        m_prompts->seen.clear();
        VirtualPedal::clearReceivedFrames();
        m_window->onSave();
        QCOMPARE(m_prompts->seen, QStringList{QObject::tr("Are you sure to save the Preset?")});
        QVERIFY(!codesReceived().contains(0x9A));

        m_prompts->reply = QPromptDialog::ResultYes;
        m_window->onSave();
        QTRY_VERIFY_WITH_TIMEOUT(codesReceived().contains(0x9A), 5000);
        QCOMPARE(PresetCodec::decode(VirtualPedal::snapshot().presets[5].data()), values);
    }

    // A guitarist's session with the complete window, checked on the pedal.
    void wholeSession() {
        answerPromptsByHook();
        auto* strip = child<QButtonWidget>("mwgtBtnList");
        auto* left = child<QLeftSet>("mwgtLeftSet");
        auto* right = child<QRightSet>("mwgtRightSet");
        auto* cabinets = child<QCabInetTypeForm>("mwgtCabInetType");
        auto* computer = child<QComputerForm>("mwgtComputer");
        QCOMPARE(strip->buttons().size(), 14);
        QCOMPARE(strip->buttons().last()->text(), QString("13"));
        QCOMPARE(strip->currentIndex(), 0);
        QCOMPARE(strip->pos(), QPoint(316, 132));
        QCOMPARE(left->pos(), QPoint(312, 194));
        QCOMPARE(right->pos(), QPoint(786, 194));
        QCOMPARE(computer->pos(), QPoint(29, 132));
        QCOMPARE(cabinets->pos(), QPoint(29, 420));
        const QWidget* save = child<QMEBaseButton>("mbtnSave");
        QCOMPARE(save->geometry().right() + 1, 316 + 940 - 12);
        QCOMPARE(save->y(), 131);
        // Every preset stays reachable beside the save button.
        for (QWidget* button : strip->buttons())
            QVERIFY(!save->geometry().intersects(
                QRect(button->mapTo(save->parentWidget(), QPoint(0, 0)), button->size())));
        QVERIFY(child<QMEBaseButton>("mbtnBackup")->isHidden());
        QVERIFY(child<QMEBaseButton>("mbtnRebackup")->isHidden());
        QVERIFY(progressHidden());
        QCOMPARE(strip->dragFormat(), QString("btn/text/uri-list"));
        QCOMPARE(strip->dropFormat(), QString("list/text/uri-list"));
        QCOMPARE(computer->dragFormat(), QString("list/text/uri-list"));
        QCOMPARE(computer->dropFormat(), QString("btn/text/uri-list"));
        QCOMPARE(cabinets->dragFormat(), QString("caplist/text/uri-list"));
        QStringList entries;
        for (QAction* action : m_window->SetActions())
            entries << action->text();
        QCOMPARE(entries, (QStringList{"Backup", "Recall", "Keyboard shortcuts"}));

        // The pedal reports preset 4 on connect; the strip follows without selecting again.
        PedalState pedal = VirtualPedal::snapshot();
        pedal.currentPreset = 4;
        pedal.current = pedal.presets[4];
        QVERIFY(VirtualPedal::setState(pedal));
        connectPedal();
        QTRY_COMPARE_WITH_TIMEOUT(strip->currentIndex(), 4, 10000);
        QCOMPARE(int(VirtualPedal::snapshot().currentPreset), 4);

        // Turn CAB A's level dial: sent at once.
        DeviceState* state = m_window->Parser()->deviceState();
        // One notch up; the factory levels stay below the top.
        const int level = state->current[DeviceState::valuePosition(0, DeviceState::Level)] + 1;
        QMECircleSlider* dial = left->SliderWidget(QBaseSet::DialLevel)->Dial();
        const QPointF centre(dial->width() / 2.0, dial->height() / 2.0);
        QWheelEvent wheel(centre, dial->mapToGlobal(centre.toPoint()), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(dial, &wheel);
        QTRY_COMPARE_WITH_TIMEOUT(PedalState::value(VirtualPedal::snapshot().current, 0), level,
                                  10000);
        QVERIFY(m_window->Parser()->isPresetModified());

        // Another preset: the save question first; No selects without saving.
        const PedalState::Preset stored = VirtualPedal::snapshot().presets[4];
        m_reply = QPromptDialog::ResultNo;
        VirtualPedal::clearReceivedFrames();
        strip->buttons()[7]->click();
        QCOMPARE(m_asked, QStringList{QObject::tr("Are you sure to save the Preset?")});
        QCOMPARE(strip->currentIndex(), 7);
        QTRY_COMPARE_WITH_TIMEOUT(int(VirtualPedal::snapshot().currentPreset), 7, 10000);
        QVERIFY(!codesReceived().contains(0x9A));
        QVERIFY(VirtualPedal::snapshot().presets[4] == stored);
        // Unchanged now: the next selection asks nothing.
        strip->buttons()[2]->click();
        QTRY_COMPARE_WITH_TIMEOUT(int(VirtualPedal::snapshot().currentPreset), 2, 10000);
        QCOMPARE(m_asked.size(), 1);
        // Changed again, and Yes: the changed preset is stored in the pedal before the switch.
        const int level2 = state->current[DeviceState::valuePosition(0, DeviceState::Level)] + 1;
        QApplication::sendEvent(dial, &wheel);
        QTRY_COMPARE_WITH_TIMEOUT(PedalState::value(VirtualPedal::snapshot().current, 0), level2,
                                  10000);
        const DeviceState::Values changed = state->current;
        m_reply = QPromptDialog::ResultYes;
        VirtualPedal::clearReceivedFrames();
        strip->buttons()[9]->click();
        QCOMPARE(m_asked.size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(int(VirtualPedal::snapshot().currentPreset), 9, 10000);
        QCOMPARE(PresetCodec::decode(VirtualPedal::snapshot().presets[2].data()), changed);
        const QList<int> codes = codesReceived();
        QVERIFY(codes.contains(0x9A) && codes.indexOf(0x9A) < codes.lastIndexOf(0x91));

        // A cabinet slot dragged from the list onto CAB B.
        std::unique_ptr<QMimeData> slot(QCabInetTypeForm::slotMimeData(5, "caplist/text/uri-list"));
        QVERIFY(dragAndDrop(right, slot.get()));
        QTRY_COMPARE_WITH_TIMEOUT(PedalState::value(VirtualPedal::snapshot().current, 6), 5, 10000);

        // Back up: mask and form over the window until the success prompt is closed.
        const QByteArray memory = pedalMemory();
        QCOMPARE(memory.size(), BackupImageSize);
        const QString backup = m_files.filePath("session.bfl");
        m_backupChoices << backup;
        forgetPrompts();
        auto hold = holdWorker(m_window->BackupThread(), &QBackupWriteThread::emitBackupProgress);
        m_window->onBackupFile();
        QVERIFY(!m_window->Mask()->isHidden());
        QVERIFY(!m_window->LoadingForm()->isHidden());
        QCOMPARE(m_window->LoadingForm()->TextPattern(), QObject::tr("Backuping...%1%..."));
        // A second start while it runs is busy, not cancelled: the progress stays as it is.
        m_backupChoices << m_files.filePath("second.bfl");
        m_window->onRebackupFile();
        QCOMPARE(m_backupChoices.size(), 1);
        m_backupChoices.clear();
        QCOMPARE(m_window->LoadingForm()->TextPattern(), QObject::tr("Backuping...%1%..."));
        QVERIFY(!m_window->Mask()->isHidden());
        QVERIFY(!m_window->LoadingForm()->isHidden());
        QCOMPARE(m_window->Mask()->geometry(),
                 m_window->rect().marginsRemoved(QMargins(8, 8, 8, 8)));
        // A close is refused, naming what runs, and so is a logout that may ask; one that may
        // not waits for the backup's end.
        m_window->close();
        QTRY_VERIFY_WITH_TIMEOUT(m_asked.contains(closeRefusal(Busy::Backup)), 10000);
        QVERIFY(!m_window->SessionMayEnd(true));
        QCOMPARE(m_asked.count(closeRefusal(Busy::Backup)), 2);
        hold.reset();
        QVERIFY(m_window->SessionMayEnd(false));
        QVERIFY(!m_window->BackupThread()->isWorkerRunning());
        QVERIFY(promptedOverProgress(QObject::tr("Device data backup successful.")));
        QVERIFY(progressHidden());
        QCOMPARE(readAll(backup).mid(BackupFileSize - BackupImageSize), memory);
        QVERIFY(m_window->LinkOpen());

        // Restore it onto a pedal whose memory changed since: the link closes afterwards.
        pedal = VirtualPedal::snapshot();
        std::fill(pedal.memoryImage.begin(), pedal.memoryImage.end(), std::uint8_t(0x5A));
        QVERIFY(VirtualPedal::setState(pedal));
        m_backupChoices << backup;
        m_window->onRebackupFile();
        QCOMPARE(m_window->LoadingForm()->TextPattern(), QObject::tr("Restore...%1%..."));
        QVERIFY(promptedOverProgress(QObject::tr("Device data restore successful.")));
        QVERIFY(progressHidden());
        QVERIFY(!m_window->LinkOpen());
        QVERIFY(!connectSwitch()->isChecked());
        QCOMPARE(connectSwitch()->text(), QObject::tr("Disconnected"));
        QCOMPARE(pedalMemory(), memory);

        // The user reconnects and imports two IR files and one unreadable file into slot 2.
        connectPedal();
        using namespace IrFileImages;
        Wave layout;
        for (int j = 0; j < 2048; ++j)
            putSample(layout.samples, 16, (j * 37) % 30000 - 15000);
        const QStringList chosen{writeFile(m_files.filePath("Warm.wav"), wave(layout)),
                                 writeFile(m_files.filePath("Broken.wav"), "only words"),
                                 writeFile(m_files.filePath("Tight.wav"), wave(layout))};
        cabinets->setFileChooser(
            [&chosen](QWidget*, const QString&, const QString&, const QString&) { return chosen; });
        int formShown = 0;
        QString importPattern;
        const QMetaObject::Connection watch =
            connect(m_window->WriteThread(), &QUsbWriteThread::emitImportIrProgress, this,
                    [&](int, QString, int) {
                        if (!m_window->LoadingForm()->isHidden() && importPattern.isEmpty()) {
                            ++formShown;
                            importPattern = m_window->LoadingForm()->TextPattern();
                        }
                        if (m_window->LoadingForm()->isHidden())
                            importPattern.clear();
                    });
        QWidget* row = cabinets->items().at(2);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(
                type, QPoint(20, 10), row->mapToGlobal(QPoint(20, 10)), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(row, &event);
        }
        VirtualPedal::clearReceivedFrames();
        hold = holdWorker(m_window->WriteThread(), &QUsbWriteThread::emitImportIrProgress);
        cabinets->importAction()->trigger();
        m_window->close();
        QTRY_VERIFY_WITH_TIMEOUT(m_asked.contains(closeRefusal(Busy::IrImport)), 10000);
        hold.reset();
        forgetPrompts();
        QTRY_VERIFY_WITH_TIMEOUT(!m_asked.isEmpty(), 30000);
        QCOMPARE(m_asked.size(), 1);
        QVERIFY(m_asked.first().contains("Broken.wav"));
        QVERIFY(!m_asked.first().contains("Warm.wav"));
        QCOMPARE(formShown, 1);
        QVERIFY(progressHidden());
        QTRY_COMPARE_WITH_TIMEOUT(cabinets->items().at(2)->name(), QString("Warm"), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(cabinets->items().at(3)->name(), QString("Tight"), 10000);
        QVERIFY(codesReceived().contains(0xEC));
        disconnect(watch);
        QVERIFY(!m_window->IsClosing());
    }

    void transferEdgesAndFailures() {
        answerPromptsByHook();
        // Disconnected: the transfers refuse before asking for a file.
        m_backupChoices << m_files.filePath("never.bfl");
        m_window->onBackupFile();
        QCOMPARE(m_asked, QStringList{kDisconnected});
        QCOMPARE(m_backupChoices.size(), 1);
        m_backupChoices.clear();
        connectPedal();

        // A cancelled file dialog shows nothing.
        forgetPrompts();
        m_window->onBackupFile();
        m_window->onRebackupFile();
        QVERIFY(progressHidden());
        QVERIFY(m_asked.isEmpty());

        // Import progress of type 0 while the form shows only updates the value.
        QLoadingForm* form = m_window->LoadingForm();
        m_window->ImportIrProgress(10, "a.wav", 0);
        QCOMPARE(form->TextPattern(), QObject::tr("Adding Ir...%1%..."));
        QVERIFY(!m_window->Mask()->isHidden());
        form->SetTextPattern("kept %1");
        form->move(form->pos() + QPoint(13, 7));
        const QPoint at = form->pos();
        m_window->ImportIrProgress(55, "b.wav", 0);
        QCOMPARE(form->TextPattern(), QString("kept %1"));
        QCOMPARE(form->TextLabel()->text(), QString("kept 55"));
        QCOMPARE(form->pos(), at);
        m_window->ImportIrProgress(60, "b.wav", 9);
        QVERIFY(!form->isHidden());
        m_window->ImportIrProgress(100, "b.wav", 3);
        QVERIFY(progressHidden());
        QVERIFY(m_asked.isEmpty());

        // Unplugged midway: the failure prompt over the progress, then nothing left behind.
        const QString backup = m_files.filePath("failed.bfl");
        int steps = 0;
        QMetaObject::Connection unplug = connect(
            m_window->BackupThread(), &QBackupWriteThread::emitBackupProgress, this,
            [&steps](int, int) {
                if (++steps == 40)
                    VirtualPedal::unplug();
            },
            Qt::DirectConnection);
        m_backupChoices << backup;
        m_window->onBackupFile();
        QVERIFY(promptedOverProgress(QObject::tr("Backup failed,Please try again.")));
        QVERIFY(progressHidden());
        QVERIFY(!QFile::exists(backup));
        QVERIFY(!m_asked.contains(QObject::tr("Device data backup successful.")));
        disconnect(unplug);

        const QString image = m_files.filePath("image.bfl");
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(buildBackupFile(QByteArray(BackupImageSize, '\x11')));
        file.close();
        // The receive thread reports the lost pedal on its own; wait for it before replugging.
        QTRY_VERIFY_WITH_TIMEOUT(m_asked.contains(kDisconnected), 10000);
        QVERIFY(!m_window->LinkOpen());
        QVERIFY(VirtualPedal::replug());
        connectPedal();
        steps = 0;
        unplug = connect(
            m_window->BackupThread(), &QBackupWriteThread::emitRecallProgress, this,
            [&steps](int, int) {
                if (++steps == 40)
                    VirtualPedal::unplug();
            },
            Qt::DirectConnection);
        forgetPrompts();
        m_backupChoices << image;
        m_window->onRebackupFile();
        QVERIFY(promptedOverProgress(QObject::tr("Restore failed,Please try again.")));
        QVERIFY(progressHidden());
        QVERIFY(!m_asked.contains(QObject::tr("Device data restore successful.")));
        disconnect(unplug);
        // The receive thread reports the lost pedal on its own; wait for it before replugging.
        QTRY_VERIFY_WITH_TIMEOUT(m_asked.contains(kDisconnected), 10000);
        QVERIFY(!m_window->LinkOpen());
        QVERIFY(VirtualPedal::replug());
    }

    void lookPersistsAndImagesExist() {
        QCOMPARE(m_window->UiMode(), 1);
        QVERIFY(child<QMEBaseButton>("mbtnLightMode")->isHidden());
        QVERIFY(!child<QMEBaseButton>("mbtnDarkMode")->isHidden());
        m_window->onDarkMode();
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", ""), QString("2"));

        openWindow();
        QCOMPARE(m_window->UiMode(), 2);
        QVERIFY(!child<QMEBaseButton>("mbtnLightMode")->isHidden());
        QVERIFY(child<QMEBaseButton>("mbtnDarkMode")->isHidden());
        QVERIFY(shows("mbtnSet", "btn_set.png"));
        QVERIFY(shows("mbtnLightMode", "btn_darkmode.png"));
        QCOMPARE(child<QLabel>("mlblProjectNane")->palette().color(QPalette::WindowText),
                 QColor(255, 255, 255));
        QCOMPARE(child<QLabel>("mlblProjectNane")->font().pixelSize(), 20);
        QCOMPARE(child<QLabel>("mlblVersion")->font().pixelSize(), 15);
        m_window->onLightMode();
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", ""), QString("1"));
        QCOMPARE(child<QLabel>("mlblVersion")->palette().color(QPalette::WindowText),
                 QColor(51, 51, 51));

        for (int mode : {1, 2})
            for (const QString& name : MainWindow::ImageNames() + QMEInitMainWindow::ImageNames())
                QVERIFY2(QFile::exists(QMEFolders::imageFolder(mode) + name), qPrintable(name));
    }

    // Tab walks the window as it reads and Shift+Tab back: the strip and the lists are one stop
    // each, entered at their current member, the arrows move within them. The ring follows the
    // keyboard and goes with the first click.
    void keyboardWalk() {
        QVERIFY(child<QComputerForm>("mwgtComputer")->savePreset(0));
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QCOMPARE(QApplication::focusWidget(), connectSwitch());
        QVERIFY(!QMEFocusRing::Ring());

        QStringList expected{"mcbxConnect", "mccbLanguage", "mbtnDarkMode",
                             "mbtnUpdate",  "mbtnReset",    "mbtnSet",
                             "mbtnMin",     "mbtnClose",    "mwgtBtnList/mbtnPreset0",
                             "mbtnSave"};
        for (const char* panel : {"mwgtLeftSet", "mwgtRightSet"}) {
            expected << QString(panel) + "/mcbxBypass" << QString(panel) + "/mccbCabinet";
            for (const char* dial : {"mwgtLevel", "mwgtLatency", "mwgtLowCut", "mwgtHighCut"})
                expected << QStringLiteral("%1/%2/mcslDial").arg(panel, dial);
        }
        // The cabinet list's delete button waits for a slot with a user IR.
        expected << "mwgtComputer/mbtnOpenDir"
                 << "mwgtComputer/mbtnRefresh"
                 << "mwgtComputer/mscrComputer/mwgtComputerItem1"
                 << "mwgtCabInetType/mbtnDownload"
                 << "mwgtCabInetType/mscrCabInetType/mwgtCabInetTypeItem1";
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            QStringList walked;
            for (int i = 0; i < expected.size(); ++i) {
                walked << describe(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), key);
                QWidget* ring = QMEFocusRing::Ring();
                QVERIFY(ring && ring->geometry().contains(QApplication::focusWidget()->geometry()));
                QVERIFY(ring->parentWidget()->rect().contains(ring->geometry())); // not clipped
            }
            if (key == Qt::Key_Backtab)
                std::reverse(walked.begin() + 1, walked.end());
            QCOMPARE(walked, expected);
        }
        // From any preset Tab goes on to the save button.
        child<QButtonWidget>("mwgtBtnList")->buttons().at(0)->setFocus(Qt::TabFocusReason);
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Tab})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(describe(QApplication::focusWidget()), QString("mbtnSave"));

        // A click, wherever it lands, takes the ring away; the focus stays.
        QTest::mouseClick(child<QLabel>("mlblProjectNane"), Qt::LeftButton);
        QVERIFY(!QMEFocusRing::Ring());
        QCOMPARE(describe(QApplication::focusWidget()), QString("mbtnSave"));
        // Switching the look by key leaves the keyboard on the button that switches it back.
        child<QWidget>("mbtnDarkMode")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(describe(QApplication::focusWidget()), QString("mbtnLightMode"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(describe(QApplication::focusWidget()), QString("mbtnDarkMode"));
    }

    // The strip, Ctrl+S and Ctrl+Shift+S by key on the pedal: the same commands as the mouse,
    // the save question where a changed preset would be left.
    void keyboardPresets() {
        answerPromptsByHook();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        connectPedal();
        auto* strip = child<QButtonWidget>("mwgtBtnList");
        QWidget* level = child<QLeftSet>("mwgtLeftSet")->SliderWidget(QBaseSet::DialLevel)->Dial();
        const int first = strip->currentIndex();
        strip->buttons().at(first)->setFocus(Qt::TabFocusReason);
        const int no = QPromptDialog::ResultNo;
        struct Step {
            QWidget* target; // null: where the keyboard is
            int key;
            int reply;
            int current; // from the first
            int asked;
            QList<int> sent;
        } const steps[] = {
            {nullptr, Qt::Key_Right, no, 0, 0, {}},
            {nullptr, Qt::Key_Space, no, 1, 0, {0x91}},
            {nullptr, Qt::Key_Right, no, 1, 0, {}},
            {nullptr, Qt::Key_Return, no, 2, 0, {0x91}},
            {level, Qt::Key_Up, no, 2, 0, {0x92}},
            // Leaving a changed preset asks first; No selects without saving.
            {nullptr, Qt::Key_Left, no, 2, 0, {}},
            {nullptr, Qt::Key_Enter, no, 1, 1, {0x91}},
            {level, Qt::Key_Up, no, 1, 0, {0x92}},
            {m_window.get(), int(Qt::CTRL | Qt::Key_S), QPromptDialog::ResultYes, 1, 1, {0x9A}},
        };
        for (const Step& step : steps) {
            forgetPrompts();
            VirtualPedal::clearReceivedFrames();
            m_reply = step.reply;
            QTest::keyClick(step.target ? step.target : QApplication::focusWidget(),
                            Qt::Key(step.key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(step.key & Qt::KeyboardModifierMask));
            QCOMPARE(strip->currentIndex(), first + step.current);
            QCOMPARE(m_asked.size(), step.asked);
            // A command no key sends closes each step's log.
            QVERIFY(m_window->WriteThread()->requestCurrent());
            QTRY_COMPARE_WITH_TIMEOUT(codesReceived(), step.sent + QList<int>{0x9B}, 10000);
        }
        QVERIFY(!m_window->Parser()->isPresetModified());
        // Ctrl+Shift+S saves the current preset as a file, as its button dropped on the list.
        auto* computer = child<QComputerForm>("mwgtComputer");
        const int files = computer->items().size();
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(computer->items().size(), files + 1);
    }

    // The window as a screen reader finds it: every visible control with a role, a name and,
    // where it has one, a value; no two siblings sharing a name; names in the chosen language.
    void accessibleTree() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const QList<QAccessible::Role> controls{
            QAccessible::Button,      QAccessible::ButtonMenu, QAccessible::CheckBox,
            QAccessible::RadioButton, QAccessible::ComboBox,   QAccessible::Dial,
            QAccessible::ProgressBar, QAccessible::List,       QAccessible::ListItem,
            QAccessible::EditableText};
        QHash<QString, QAccessibleInterface*> named;
        QStringList problems;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            QStringList siblings;
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface* item = node->child(i);
                if (!item || item->state().invisible)
                    continue;
                const QString name = item->text(QAccessible::Name);
                if (controls.contains(item->role())) {
                    if (name.isEmpty() || (item->valueInterface() &&
                                           !item->valueInterface()->currentValue().isValid()))
                        problems << describe(qobject_cast<QWidget*>(item->object()));
                    named.insert(name, item);
                }
                if (!name.isEmpty() && siblings.contains(name))
                    problems << "twice: " + name;
                siblings << name;
                walk(item);
            }
        };
        walk(QAccessible::queryAccessibleInterface(m_window.get()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));

        const QList<QPair<QString, QAccessible::Role>> roles{
            {"Connect", QAccessible::CheckBox},           {"Set", QAccessible::ButtonMenu},
            {"Factory reset", QAccessible::Button},       {"CAB A switch", QAccessible::CheckBox},
            {"CAB B cabinet", QAccessible::ComboBox},     {"CABINET TYPE", QAccessible::List},
            {"Slot 02, A15 1x12", QAccessible::ListItem}, {"Preset 13", QAccessible::RadioButton},
            {"CAB A Level", QAccessible::Dial},           {"CAB B High-Cut", QAccessible::Dial}};
        for (const auto& role : roles)
            QVERIFY2(named.contains(role.first) && named[role.first]->role() == role.second,
                     qPrintable(role.first));
        QVERIFY(named["Preset 0"]->state().checked);
        QCOMPARE(named["CAB B Latency"]->text(QAccessible::Value), QString("0 ms"));
        QCOMPARE(named["CAB B High-Cut"]->text(QAccessible::Value), QString("Off"));

        // Another language names every control again; the rows once control returns.
        auto* languages = child<QMEComboBox>("mccbLanguage");
        languages->setCurrentIndex(languages->findText("German"));
        QCOMPARE(named["Connect"]->text(QAccessible::Name), QString("Verbinden"));
        QCOMPARE(named["CAB A Level"]->text(QAccessible::Name), QString("CAB A Pegel"));
        QTRY_COMPARE(named["Slot 02, A15 1x12"]->text(QAccessible::Name),
                     QString("Platz 02, A15 1x12"));
    }

    void menusDownloadPageAndExit() {
        m_window->onUpdateApp();
        QStringList entries;
        for (QAction* action : m_window->Menu()->actions())
            entries << action->text();
        QCOMPARE(entries, (QStringList{"Firmware Update", "Software Update"}));
        m_window->Menu()->hide();

        QDesktopServices::setUrlHandler("https", this, "openUrl");
        m_window->actAppUpdate();
        ParserXML::SetLanguageType("Chinese");
        m_window->actAppUpdate();
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(m_opened.size(), 2);
        QVERIFY(m_opened[0] != m_opened[1]);
        QVERIFY(m_opened[1].endsWith(".cn/download/talix"));

        // The settings menu lists the keys.
        m_window->SetActions().last()->trigger();
        QCOMPARE(m_prompts->seen.size(), 1);
        QVERIFY(m_prompts->seen.takeFirst().contains("Ctrl+S saves the current preset"));

        m_prompts->reply = QPromptDialog::ResultNo;
        m_window->OnClose();
        QCOMPARE(m_prompts->seen, QStringList{QObject::tr("Exit the application!")});
        QVERIFY(!m_window->IsClosing());
        m_prompts->reply = QPromptDialog::ResultYes;
        m_window->OnClose();
        QVERIFY(m_window->IsClosing());
    }
};

TALIX_WIDGET_TEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
