#include "uikit/qmebasebuttondraw.h"

#include "uikit/qmeimageloader.h"

#include <QPainter>

QMEBaseButtonDraw::QMEBaseButtonDraw() {
    for (QColor& color : m_colors)
        color = Qt::black;
}

bool QMEBaseButtonDraw::LoadButtonImage(const QString& path) {
    const QImage image = QMEImageLoader::Load(path);
    if (image.isNull())
        return false;
    m_button = image;
    return true;
}

bool QMEBaseButtonDraw::LoadIconImage(const QString& path) {
    const QImage image = QMEImageLoader::Load(path);
    if (image.isNull())
        return false;
    m_icon = image;
    return true;
}

const QImage& QMEBaseButtonDraw::ButtonImage() const {
    return m_button;
}

const QImage& QMEBaseButtonDraw::IconImage() const {
    return m_icon;
}

QSize QMEBaseButtonDraw::FrameSize() const {
    const QSize strip = QMEImageLoader::LogicalSize(m_button);
    return QSize(strip.width() / 4, strip.height());
}

QRect QMEBaseButtonDraw::FrameRect(const QSize& strip, int frame) {
    const int width = strip.width() / 4;
    return QRect(frame * width, 0, width, strip.height());
}

void QMEBaseButtonDraw::SetIconPosition(const QPoint& position) {
    m_iconPosition = position;
}

void QMEBaseButtonDraw::SetIconSize(const QSize& size) {
    m_iconSize = size;
}

QRect QMEBaseButtonDraw::IconRect(const QSize& button) const {
    const int x =
        m_iconPosition.x() == -1 ? (button.width() - m_iconSize.width()) / 2 : m_iconPosition.x();
    const int y =
        m_iconPosition.y() == -1 ? (button.height() - m_iconSize.height()) / 2 : m_iconPosition.y();
    return QRect(QPoint(x, y), m_iconSize);
}

void QMEBaseButtonDraw::SetTextColor(int state, const QColor& color) {
    if (state >= 0 && state < 4)
        m_colors[state] = color;
}

QColor QMEBaseButtonDraw::TextColor(int state) const {
    return state >= 0 && state < 4 ? m_colors[state] : QColor();
}

QColor QMEBaseButtonDraw::CurrentTextColor() const {
    return m_colors[m_state];
}

void QMEBaseButtonDraw::SetFixedState(bool fixed) {
    m_fixed = fixed;
}

int QMEBaseButtonDraw::State() const {
    return m_state;
}

int QMEBaseButtonDraw::Frame(bool checked) const {
    if (m_state == StateDisabled)
        return StateDisabled;
    return checked ? int(StatePressed) : m_state;
}

void QMEBaseButtonDraw::Enter(bool enabled) {
    if (enabled && !m_fixed)
        m_state = StateHover;
}

void QMEBaseButtonDraw::Leave(bool enabled) {
    if (enabled && !m_fixed && m_state == StateHover)
        m_state = StateNormal;
}

void QMEBaseButtonDraw::Press(bool enabled) {
    if (enabled)
        m_state = StatePressed;
}

void QMEBaseButtonDraw::Release(bool enabled, bool checked) {
    if (enabled && !m_fixed && m_state == StatePressed)
        m_state = checked ? StateHover : StateNormal;
}

void QMEBaseButtonDraw::EnabledChanged(bool enabled) {
    m_state = enabled ? StateNormal : StateDisabled;
}

void QMEBaseButtonDraw::Paint(QPainter& painter, const QRect& rect, const QString& text,
                              const QFont& font, bool checked) const {
    const int frame = Frame(checked);
    if (!m_button.isNull())
        painter.drawImage(rect, m_button, FrameRect(m_button.size(), frame));
    if (!m_icon.isNull())
        painter.drawImage(IconRect(rect.size()), m_icon, FrameRect(m_icon.size(), frame));
    if (!text.isEmpty()) {
        painter.setFont(font);
        painter.setPen(m_colors[m_state]);
        painter.drawText(rect, Qt::AlignCenter, text);
    }
}
