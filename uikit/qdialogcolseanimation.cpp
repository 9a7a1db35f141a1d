#include "uikit/qdialogcolseanimation.h"

#include <QPropertyAnimation>
#include <QWidget>

QDialogColseAnimation::QDialogColseAnimation(QWidget* window) : QObject(window), m_window(window) {}

bool QDialogColseAnimation::Start() {
    if (m_animation)
        return false;
    m_animation = new QPropertyAnimation(m_window, "windowOpacity", this);
    m_animation->setDuration(kDurationMs);
    m_animation->setStartValue(1.0);
    m_animation->setEndValue(0.0);
    connect(m_animation, &QPropertyAnimation::finished, this, [this] {
        if (m_window->close()) {
            emit emitFinished();
            return;
        }
        // Left at opacity 0 the window would stay on screen invisible, and closable never again.
        m_window->setWindowOpacity(1.0);
        m_animation->deleteLater();
        m_animation = nullptr;
        emit emitRefused();
    });
    m_animation->start();
    return true;
}

bool QDialogColseAnimation::Started() const {
    return m_animation != nullptr;
}
