#pragma once

#include "editor/mainwindowrules.h"
#include "uikit/qmeinitmainwindow.h"

#include <QList>

#include <cstdint>
#include <functional>
#include <memory>

class IrFileReader;
class QAction;
class QBackupWriteThread;
class QButtonWidget;
class QCabInetTypeForm;
class QComputerForm;
class QLabel;
class QLeftSet;
class QLoadingForm;
class QMaskWidget;
class QRightSet;
class QMEBaseButton;
class QMEBaseLibusb;
class QMECheckBox;
class QMEComboBox;
class QMEMenu;
class QMEWidget;
class QDataAnalysis;
class QSessionManager;
class QTimer;
class QUsbWriteThread;

// The editor's window and controller: owns the link and the device objects, shows the
// connection, checks the firmware and runs the window-level actions.
class MainWindow : public QMEInitMainWindow {
    Q_OBJECT
public:
    static constexpr std::uint16_t kVendorId = 0x0483;
    static constexpr std::uint16_t kProductId = 0x5703;
    static constexpr std::uint16_t kReleaseNumber = 200;
    static constexpr const char* kDeviceType = "TAL_IX";
    static constexpr int kWidth = 1296;
    static constexpr int kHeight = 736;
    static constexpr int kMargin = 8;
    static constexpr int kReconnectDelayMs = 1500;
    static constexpr int kPresetButtons = 14;
    // How long the end of a session that cannot be refused waits for a running transfer.
    static constexpr int kSessionGraceMs = 10000;

    // Answers the backup file dialog: the chosen file for a backup (save) or a restore (open),
    // empty when the user cancels.
    using BackupFileChooser = std::function<QString(bool restore)>;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Images the window loads, relative to a look's image folder.
    static QStringList ImageNames();

    // Opens and closes the pedal once: 0 none, 1 boot loader, 2 running.
    std::uint8_t Probe();

    // What happens when a connect finds the pedal in its boot loader: the updater starts and the
    // event loop ends. Tests replace it.
    void SetHandOver(std::function<void()> handOver);
    // Starts the updater for the pedal in its boot loader. When it cannot be started the window
    // shows, disconnected, and names the path it tried; the pedal waits in its boot loader.
    bool StartUpdater();

    // What a close would cut short now.
    MainWindowRules::Busy BusyWith() const;
    // The end of the session: with leave to ask (mayAsk), a running transfer refuses it and
    // otherwise the exit question decides; without, a running transfer gets kSessionGraceMs to
    // finish. True when the session may end the program.
    bool SessionMayEnd(bool mayAsk);

    bool LinkOpen() const;
    QUsbWriteThread* WriteThread() const { return m_writeThread; }
    QDataAnalysis* Parser() const { return m_parser; }
    QTimer* ReconnectTimer() const { return m_reconnectTimer; }
    QMEMenu* Menu() const { return m_menu; }
    bool FirmwareMatches() const { return m_firmwareMatches; }
    int UiMode() const { return m_uiMode; }
    QBackupWriteThread* BackupThread() const { return m_backupThread; }
    QMaskWidget* Mask() const { return m_mask; }
    QLoadingForm* LoadingForm() const { return m_loadingForm; }
    QList<QAction*> SetActions() const { return m_setActions; }
    // Test seam: replaces the backup thread's own file dialogs.
    void SetBackupFileChooser(BackupFileChooser chooser) {
        m_chooseBackupFile = std::move(chooser);
    }

    void InitAppInfo() override;
    void InitExtra() override;
    QMargins FrameMargins() override;
    void InitReserved() override;
    void SetWindowSize() override;
    void InitConnections() override;
    void AfterConnections() override;
    void RetranslateFrame() override;
    void LayoutTitleBar() override;
    void ApplyTheme(int mode) override;

public slots:
    void LanguageIndexChanged(int index);
    void onLightMode();
    void onDarkMode();
    void onSave();
    void onReset();
    void onSet();
    void onConnect();
    void onUpdateApp();
    void actFirmwareUpdate();
    void actAppUpdate();
    void PromptDisConnect();
    void DeviceLostConnect();
    void OnClose() override;
    void onConnTimer();
    void onBackupFile();
    void onRebackupFile();
    void updatePresetIndex();
    void btnSelectedTag(int index);
    void ImportIrProgress(int value, QString currPath, int msgType);
    void onBackupProgress(int value, int msgType);
    void onRecallProgress(int value, int msgType);
    void onCommitData(QSessionManager& manager);
    // Lists the keys that work the window.
    void actShortcuts();
    // The keyboard's way to drag the current preset's button onto the computer list.
    void actSavePresetFile();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateForm();
    void FillLanguages();
    void SetLook(int mode);
    void ShowConnectState(bool connected);
    std::uint8_t OpenPedal();
    // Opens the pedal for a connect: a failed open is reported, a pedal in its boot loader is
    // handed over to the updater. True when the pedal runs and the connect goes on.
    bool OpenRunningPedal();
    // Says why the pedal could not be opened: what to do where the reason is known, the plain
    // "Device Disconnected!" where there is no pedal.
    void PromptOpenFailure();
    // Asks about a firmware other than the expected one; true when the user chose the update.
    bool OffersFirmwareUpdate(const QString& version);
    // Sends the pedal to its boot loader once an image the updater will take has passed its
    // checks and the user agreed; true when the pedal was switched.
    bool SwitchToUpdateMode();
    // No image can be written: says where to put one and why the files found were refused.
    void PromptNoFirmware(const QString& folder, const QString& refusals);
    QString PedalFirmware() const;
    void PopupMenu(QMEBaseButton* button, const QList<QAction*>& actions);
    int Prompt(const QString& text, int width, int height, int icon, int buttons = 0,
               int defaultResult = 0);
    // A prompt as high as its text needs, at least width wide.
    int PromptLong(const QString& text, int icon, int buttons = 0,
                   int width = MainWindowRules::kLongPromptWidth);
    // Says what a close would cut short; false when nothing runs.
    bool RefusesClose();
    bool AsksExit();
    void StartTransfer(bool restore);
    void ShowProgress(bool shown);
    // A backup's or restore's progress message on the loading form, and its closing prompt.
    void ShowTransferStep(int value, int msgType, const QString& success, const QString& failure);
    void CentreLoadingForm();
    // Tab walks the window as it reads: the title band from the left, the presets and save, both
    // cabinets, then the preset browser and the cabinet list.
    void SetFocusOrder();

    // Form.
    QMECheckBox* mcbxConnect = nullptr;
    QMEWidget* mwgtConnectbg = nullptr;
    QMEComboBox* mccbLanguage = nullptr;
    QMEBaseButton* mbtnLightMode = nullptr;
    QMEBaseButton* mbtnDarkMode = nullptr;
    QMEBaseButton* mbtnUpdate = nullptr;
    QMEBaseButton* mbtnReset = nullptr;
    QMEBaseButton* mbtnSet = nullptr;
    QMEBaseButton* mbtnSave = nullptr;
    QMEWidget* mwgtPlot = nullptr;
    QLabel* mlblProjectNane = nullptr;
    QLabel* mlblVersion = nullptr;
    QButtonWidget* mwgtBtnList = nullptr;
    QLeftSet* mwgtLeftSet = nullptr;
    QRightSet* mwgtRightSet = nullptr;
    QComputerForm* mwgtComputer = nullptr;
    QCabInetTypeForm* mwgtCabInetType = nullptr;
    QMEBaseButton* mbtnBackup = nullptr;
    QMEBaseButton* mbtnRebackup = nullptr;

    // Device objects, destroyed in this order; the reader outlives the write thread's import.
    std::unique_ptr<IrFileReader> m_irReader;
    QUsbWriteThread* m_writeThread = nullptr;
    QDataAnalysis* m_parser = nullptr;
    QBackupWriteThread* m_backupThread = nullptr;
    QMEBaseLibusb* m_link = nullptr;
    QLoadingForm* m_loadingForm = nullptr;
    QMaskWidget* m_mask = nullptr;
    BackupFileChooser m_chooseBackupFile;

    QMEMenu* m_menu = nullptr;
    QAction* m_actFirmwareUpdate = nullptr;
    QAction* m_actAppUpdate = nullptr;
    QAction* m_actBackup = nullptr;
    QAction* m_actRecall = nullptr;
    QAction* m_actShortcuts = nullptr;
    // Entries of the menu of mbtnSet.
    QList<QAction*> m_setActions;
    QTimer* m_reconnectTimer = nullptr;
    std::function<void()> m_handOver;
    int m_uiMode = 1;
    bool m_firmwareMatches = true;
    bool m_resetting = false;
    // The answer to the session's end, for the closes the session then sends.
    bool m_sessionMayEnd = true;
};
