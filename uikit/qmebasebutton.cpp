#include "uikit/qmebasebutton.h"

#include "uikit/qmeaccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

QMEBaseButton::QMEBaseButton(QWidget* parent) : QMEBaseButton(QString(), parent) {}

QMEBaseButton::QMEBaseButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    QMEAccessible::Install();
    setFlat(true);
    // Reached with Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

bool QMEBaseButton::SetButtonImage(const QString& path) {
    if (!m_draw.LoadButtonImage(path))
        return false;
    resize(m_draw.FrameSize());
    update();
    return true;
}

bool QMEBaseButton::SetIconImage(const QString& path) {
    const bool loaded = m_draw.LoadIconImage(path);
    update();
    return loaded;
}

void QMEBaseButton::SetIconPosition(const QPoint& position) {
    m_draw.SetIconPosition(position);
    update();
}

void QMEBaseButton::SetIconSize(const QSize& size) {
    m_draw.SetIconSize(size);
    update();
}

void QMEBaseButton::SetTextColor(int state, const QColor& color) {
    m_draw.SetTextColor(state, color);
    update();
}

void QMEBaseButton::SetLookTextColors(int mode) {
    const bool light = mode == 1;
    SetTextColor(QMEBaseButtonDraw::StateNormal, light ? QColor(51, 51, 51) : Qt::white);
    // The blues of hover and pressed, darker on the light look and lighter on the dark one, as
    // far as their text needs to be read on the button.
    SetTextColor(QMEBaseButtonDraw::StateHover,
                 light ? QColor(98, 108, 164) : QColor(173, 185, 255));
    SetTextColor(QMEBaseButtonDraw::StatePressed,
                 light ? QColor(77, 106, 176) : QColor(129, 166, 255));
    SetTextColor(QMEBaseButtonDraw::StateDisabled, Qt::white);
}

void QMEBaseButton::SetFixedState(bool fixed) {
    m_draw.SetFixedState(fixed);
}

int QMEBaseButton::State() const {
    return m_draw.State();
}

QMEBaseButtonDraw& QMEBaseButton::Draw() {
    return m_draw;
}

void QMEBaseButton::SetOpensMenu(bool opens) {
    m_opensMenu = opens;
}

void QMEBaseButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Held down by the space bar it shows pressed, as under the mouse.
    m_draw.Paint(painter, rect(), text(), font(), isChecked() || isDown());
}

// Every signal may end the owner and with it this button: each handler watches itself before
// emitting and stops when it is gone.
void QMEBaseButton::enterEvent(QEvent* event) {
    m_draw.Enter(isEnabled());
    const QPointer<QMEBaseButton> alive(this);
    emit mouseEnter(event);
    if (!alive)
        return;
    update();
    QPushButton::enterEvent(event);
}

void QMEBaseButton::leaveEvent(QEvent* event) {
    m_draw.Leave(isEnabled());
    const QPointer<QMEBaseButton> alive(this);
    emit mouseLeave(event);
    if (!alive)
        return;
    update();
    QPushButton::leaveEvent(event);
}

void QMEBaseButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_draw.Press(isEnabled());
        const QPointer<QMEBaseButton> alive(this);
        emit mouseDown(event, event->pos().x());
        if (!alive)
            return;
        update();
    }
    QPushButton::mousePressEvent(event);
}

void QMEBaseButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QPushButton::mouseReleaseEvent(event);
        return;
    }
    const QPointer<QMEBaseButton> alive(this);
    emit mouseRelease(event, event->pos().x());
    if (!alive)
        return;
    QPushButton::mouseReleaseEvent(event);
    if (!alive)
        return;
    // Checked after the base class has toggled a checkable button.
    m_draw.Release(isEnabled(), isChecked());
    update();
}

void QMEBaseButton::mouseMoveEvent(QMouseEvent* event) {
    const QPointer<QMEBaseButton> alive(this);
    emit mouseMove(event, event->pos().x());
    if (!alive)
        return;
    QPushButton::mouseMoveEvent(event);
}

void QMEBaseButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        m_draw.EnabledChanged(isEnabled());
        update();
    }
    QPushButton::changeEvent(event);
}

void QMEBaseButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // Enter presses a button as the space bar does, also outside dialogs.
    if (plain &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || (key == Qt::Key_Down && m_opensMenu))) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}
