#pragma once

#include "uikit/qmeinitmainwindow.h"
#include "updater/image/firmwarefolder.h"

#include <QString>

#include <memory>

class QLabel;
class QMEBaseButton;
class QMEBaseLibusb;
class QMEBaseProgress;
class QMEUpdateWriteThread;

// The updater's window: one button that uploads the newest usable image of the firmware folders
// to the pedal's boot loader, a progress bar with its figure, the file it writes, and a line that
// says what is going on or what went wrong.
class MainWindow final : public QMEInitMainWindow {
    Q_OBJECT
public:
    static constexpr int kWidth = 470;
    static constexpr int kHeight = 288;
    // How long the probe tries again while another program still holds the pedal: the editor
    // that hands over releases it as it ends.
    static constexpr int kBusyRetryMs = 3000;
    static constexpr int kBusyPollMs = 100;
    static constexpr int kReadyWidth = 91;
    // Font sizes of the line above the bar.
    static constexpr int kLinePixels = 12;
    static constexpr int kLineMinPixels = 9;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens the pedal: 1 when it answers from its boot loader (the window is then used), 2 when
    // it runs its firmware, 0 when it is absent.
    int Probe();
    // Looks for the image an update writes (creating the folders), and shows it or why there is
    // none; the probe does it for a pedal in its boot loader, Start again.
    void ChooseImage();
    const FirmwareFolder::Choice& Image() const { return m_choice; }
    int ConnectResult() const { return m_connectResult; }
    // The pedal is there but cannot be used (no access, held by another program, held by a
    // driver): the window stays and says why instead of handing over to the editor.
    bool PedalUnusable() const { return !m_openFailureLine.isEmpty(); }
    // Null until the pedal has been probed.
    QMEUpdateWriteThread* UpdateThread() const { return m_thread.get(); }

    void InitAppInfo() override;
    void InitExtra() override;
    QMargins FrameMargins() override;
    void InitReserved() override;
    void SetWindowSize() override;
    void RetranslateFrame() override;
    void AfterConnections() override;
    void LayoutTitleBar() override;
    void ApplyTheme(int mode) override;

public slots:
    // While the firmware is being written, asks before the window closes.
    void OnClose() override;

private slots:
    void updateMsg(int errortype, float progress);
    void onUpdate();

private:
    void RetranslateTexts();
    void LayoutContent();
    // The line in the band above the bar; a warning replaces the heading in a warm tone.
    void ShowLine(const QString& text, bool warning);
    void FitLine();
    bool Writing() const;

    QMEBaseButton* mbtnUpdate = nullptr;
    QMEBaseProgress* mproUpdate = nullptr;
    QLabel* mlblUpdate = nullptr;
    QLabel* mlblReady = nullptr;
    QLabel* mlblProgress = nullptr;
    QLabel* mlblMessage = nullptr;
    QLabel* mlblFile = nullptr;

    // The link outlives the thread that uses it.
    std::unique_ptr<QMEBaseLibusb> m_link;
    std::unique_ptr<QMEUpdateWriteThread> m_thread;
    int m_connectResult = -1;
    bool m_updateStarted = false;
    // The pedal took the whole image.
    bool m_finished = false;
    FirmwareFolder::Choice m_choice;
    bool m_chosen = false;
    int m_failureType = 0;
    float m_failureFigure = 0;
    int m_mode = 1;
    // Why the pedal there cannot be used; empty when it can, or is absent.
    QString m_openFailureLine;
};
