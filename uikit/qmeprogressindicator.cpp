#include "uikit/qmeprogressindicator.h"

#include <QPainter>
#include <QTimerEvent>

#include <algorithm>

QMEProgressIndicator::Spoke QMEProgressIndicator::SpokeGeometry(const QSize& size) {
    const int side = std::min(size.width(), size.height());
    const double r = (side - 1) / 2.0;
    Spoke spoke;
    spoke.inner = r - r / 2.0;
    spoke.outer = r;
    spoke.width = (side <= 32 ? 0.35 : 0.23) * (r / 2.0);
    return spoke;
}

QMEProgressIndicator::QMEProgressIndicator(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

int QMEProgressIndicator::animationDelay() const {
    return m_delay;
}

bool QMEProgressIndicator::isAnimated() const {
    return m_timerId != -1;
}

bool QMEProgressIndicator::isDisplayedWhenStopped() const {
    return m_displayedWhenStopped;
}

QColor QMEProgressIndicator::color() const {
    return m_color;
}

int QMEProgressIndicator::angle() const {
    return m_angle;
}

QSize QMEProgressIndicator::sizeHint() const {
    return QSize(20, 20);
}

void QMEProgressIndicator::startAnimation() {
    m_angle = 0;
    if (m_timerId == -1)
        m_timerId = startTimer(m_delay);
}

void QMEProgressIndicator::stopAnimation() {
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_timerId = -1;
    update();
}

void QMEProgressIndicator::setAnimationDelay(int delay) {
    m_delay = delay;
    if (m_timerId != -1) {
        killTimer(m_timerId);
        m_timerId = startTimer(m_delay);
    }
}

void QMEProgressIndicator::setDisplayedWhenStopped(bool state) {
    m_displayedWhenStopped = state;
    update();
}

void QMEProgressIndicator::setColor(const QColor& color) {
    m_color = color;
    update();
}

void QMEProgressIndicator::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timerId)
        return;
    m_angle = (m_angle + kStepDegrees) % 360;
    update();
}

void QMEProgressIndicator::paintEvent(QPaintEvent*) {
    if (!m_displayedWhenStopped && !isAnimated())
        return;
    const Spoke spoke = SpokeGeometry(size());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < kSpokes; ++i) {
        QColor c = m_color;
        c.setAlphaF(1.0 - double(i) / kSpokes);
        painter.setBrush(c);
        painter.save();
        painter.translate(rect().center());
        painter.rotate(m_angle - kStepDegrees * i);
        painter.drawRoundedRect(
            QRectF(-spoke.width / 2.0, -spoke.outer, spoke.width, spoke.outer - spoke.inner),
            spoke.width / 2.0, spoke.width / 2.0);
        painter.restore();
    }
}
