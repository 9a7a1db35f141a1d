#pragma once

#include <QObject>

class QPropertyAnimation;
class QWidget;

// Fades a window's opacity from 1 to 0 in 400 ms and then closes it; starts only once.
class QDialogColseAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kDurationMs = 400;

    explicit QDialogColseAnimation(QWidget* window);

    // False when the fade has already been started.
    bool Start();
    bool Started() const;

signals:
    void emitFinished();

private:
    QWidget* m_window;
    QPropertyAnimation* m_animation = nullptr;
};
