#pragma once

#include "uikit/qmeinitmainwindow.h"

// A frameless main window in the editor's size, used to show the frame and, inside it, a
// gallery of the toolkit's controls in every state.
class ScreenshotWindow final : public QMEInitMainWindow {
    Q_OBJECT
public:
    explicit ScreenshotWindow(int mode);

    void InitAppInfo() override;
    void InitExtra() override;
    QMargins FrameMargins() override;
    void InitReserved() override;

private:
    void BuildGallery();

    int m_mode;
};
