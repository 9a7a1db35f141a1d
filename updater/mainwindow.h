#pragma once

#include "uikit/qmeinitmainwindow.h"

#include <QString>

#include <memory>

class QLabel;
class QMEBaseButton;
class QMEBaseLibusb;
class QMEBaseProgress;
class QMEUpdateWriteThread;

// The updater's window: one button that uploads the newest image of the "Firmware" folder to the
// pedal's boot loader, a progress bar with its figure, and a line that explains a failure.
class MainWindow final : public QMEInitMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens the pedal: 1 when it answers from its boot loader (the window is then used), 2 when
    // it runs its firmware, 0 when it is absent.
    int Probe();
    int ConnectResult() const { return m_connectResult; }
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

private slots:
    void updateMsg(int errortype, float progress);
    void onUpdate();

private:
    void RetranslateTexts();
    void LayoutContent();
    void ShowFailure(int errortype, float progress);

    QMEBaseButton* mbtnUpdate = nullptr;
    QMEBaseProgress* mproUpdate = nullptr;
    QLabel* mlblUpdate = nullptr;
    QLabel* mlblReady = nullptr;
    QLabel* mlblProgress = nullptr;
    QLabel* mlblMessage = nullptr;

    // The link outlives the thread that uses it.
    std::unique_ptr<QMEBaseLibusb> m_link;
    std::unique_ptr<QMEUpdateWriteThread> m_thread;
    int m_connectResult = -1;
    QString m_filter;
    bool m_updateStarted = false;
    // The image handed to the thread, empty when the folder held none.
    QString m_firmwareFile;
    int m_failureType = 0;
    float m_failureFigure = 0;
};
