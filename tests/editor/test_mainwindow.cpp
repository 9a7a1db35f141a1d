#include "../uikit/testenv.h"
#include "editor/mainwindow.h"
#include "promptanswerer.h"

#include "protocol/presetcodec.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/parserxml.h"
#include "settings/qmefolders.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmemenu.h"
#include "uikit/qmewidget.h"
#include "virtualpedal/virtualpedal.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QTimer>

#include <memory>

using virtualpedal::PedalState;
using virtualpedal::VirtualPedal;
using Bytes = std::vector<uint8_t>;

namespace {

const QString kDisconnected = QStringLiteral("Device Disconnected!");

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

} // namespace

class TestMainWindow final : public QObject {
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url) { m_opened << url.toString(); }

private:
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<PromptAnswerer> m_prompts;
    QStringList m_opened;

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
        m_prompts->reply = QPromptDialog::ResultNo;
        m_window->onReset();
        QVERIFY(!received(VirtualPedal::frame(0xE1, {1})));
        QVERIFY(connectSwitch()->isChecked());

        m_prompts->reply = QPromptDialog::ResultYes;
        m_prompts->seen.clear();
        m_window->onReset();
        QVERIFY(received(VirtualPedal::frame(0xE1, {1})));
        QCOMPARE(
            m_prompts->seen,
            (QStringList{QObject::tr("Do you really want to reset the database? Device needs to be "
                                     "restart!"),
                         QObject::tr("Device connection disconnected, please reconnect!")}));
        checkConnectDisplay(false, 137, QSize(153, 40));
        QVERIFY(!m_window->WriteThread()->receiveThread()->isRunning());

        // The user reconnects with the switch; the open finds the restarted pedal.
        VirtualPedal::clearReceivedFrames();
        connectPedal();
        checkConnectDisplay(true, 117, QSize(134, 40));
    }

    void firmwareUpdateHandsOver_data() {
        QTest::addColumn<bool>("fromMismatch");
        QTest::newRow("menu action") << false;
        QTest::newRow("mismatch dialog accepted") << true;
    }
    void firmwareUpdateHandsOver() {
        QFETCH(bool, fromMismatch);
        int handOvers = 0;
        m_window->SetHandOver([&handOvers] { ++handOvers; });
        if (fromMismatch) {
            PedalState state = VirtualPedal::snapshot();
            state.firmwareVersion = "V1.1.0";
            QVERIFY(VirtualPedal::setState(state));
            m_prompts->acceptUpdate = true;
            connectSwitch()->click();
            // The initial reads are not sent: the pedal goes to its boot loader at once.
            QVERIFY(!codesReceived().contains(0x99));
        } else {
            connectPedal();
            m_window->actFirmwareUpdate();
        }
        QVERIFY(received(VirtualPedal::frame(0xEB, {1})));
        QVERIFY(m_window->ReconnectTimer()->isActive());
        QCOMPARE(m_window->ReconnectTimer()->interval(), 1500);
        QVERIFY(!m_window->WriteThread()->receiveThread()->isRunning());
        QCOMPARE(handOvers, 0);

        QTRY_COMPARE_WITH_TIMEOUT(handOvers, 1, 15000);
        QCOMPARE(VirtualPedal::snapshot().runMode, 'B');
        QVERIFY(connectSwitch()->isChecked());
        QCOMPARE(connectSwitch()->text(), QObject::tr("Connected"));
        QVERIFY(!m_prompts->seen.contains(kDisconnected));
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
