#pragma once

#include "uikit/qmemainwindow.h"

#include <QMargins>
#include <QStringList>
#include <QSystemTrayIcon>

class QDialogColseAnimation;
class QMEBaseButton;
class QTranslator;

// A skinned main window: title-bar buttons, theme, translation and the start-up sequence that a
// program's window runs from its constructor through InitFrame.
class QMEInitMainWindow : public QMEMainWindow {
    Q_OBJECT
public:
    explicit QMEInitMainWindow(QWidget* parent = nullptr);
    ~QMEInitMainWindow() override;

    // Frame images, relative to the image theme folder.
    static QStringList ImageNames();

    virtual void RetranslateFrame();
    virtual void SetWindowSize();
    virtual void InitAppInfo() = 0;
    virtual void InitExtra() = 0;
    virtual QMargins FrameMargins() = 0;
    virtual void InitReserved() = 0;

    QMEBaseButton* CloseButton() const;
    QMEBaseButton* MinimizeButton() const;
    QMEBaseButton* MaximizeButton() const;
    QMEBaseButton* RestoreButton() const;
    QTranslator* Translator() const;
    bool IsClosing() const;
    QDialogColseAnimation* CloseAnimation() const;

public slots:
    virtual void OnMaxSize();
    virtual void OnRestoreSize();
    virtual void OnClose();
    virtual void OnMinimized();
    virtual void ActShowLog();
    virtual void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void LangugeChangeSet(bool bChange);

public:
    virtual void LayoutTitleBar();
    virtual void InitFrame();
    virtual void InitConnections();
    virtual void AfterConnections();
    virtual void BeforeConnections();
    virtual void InitLanguage();
    virtual bool LoadTranslator(const QString& path);
    virtual void ApplyTheme(int mode);

protected:
    // A close from the window manager (Alt+F4, the task bar) takes the title-bar button's path,
    // so a window that asks first asks then too.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void UpdateMaxRestoreButtons();

    QMEBaseButton* m_close = nullptr;
    QMEBaseButton* m_min = nullptr;
    QMEBaseButton* m_max = nullptr;
    QMEBaseButton* m_restore = nullptr;
    QTranslator* m_translator = nullptr;
    bool m_closing = false;
    QDialogColseAnimation* m_fade = nullptr;
};
