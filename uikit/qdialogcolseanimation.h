#pragma once

#include <QObject>

class QPropertyAnimation;
class QWidget;

// Fades a window's opacity from 1 to 0 in 400 ms and then closes it; starts only once unless the
// window refuses to close.
class QDialogColseAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kDurationMs = 400;

    explicit QDialogColseAnimation(QWidget* window);

    // False while a fade runs or after the window closed.
    bool Start();
    bool Started() const;

signals:
    void emitFinished();
    // The window refused to close at the end of the fade; it is shown again and may fade anew.
    void emitRefused();

private:
    QWidget* m_window;
    QPropertyAnimation* m_animation = nullptr;
};
