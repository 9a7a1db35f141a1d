#include "uikit/qmecheckbox.h"

#include <QKeyEvent>
#include <QPainter>

QMECheckBox::QMECheckBox(QWidget* parent) : QCheckBox(parent) {}

QMECheckBox::QMECheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

bool QMECheckBox::SetIndicatorImages(const QString& checkedPath, const QString& uncheckedPath) {
    const bool loaded = m_draw.SetImages(checkedPath, uncheckedPath);
    update();
    return loaded;
}

const QMEBaseBoxDraw& QMECheckBox::Draw() const {
    return m_draw;
}

void QMECheckBox::paintEvent(QPaintEvent* event) {
    if (!m_draw.HasImages()) {
        QCheckBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    m_draw.Paint(painter, size(), layoutDirection(), isChecked(), text());
}

bool QMECheckBox::hitButton(const QPoint& pos) const {
    return m_draw.HasImages() ? rect().contains(pos) : QCheckBox::hitButton(pos);
}

void QMECheckBox::keyPressEvent(QKeyEvent* event) {
    // Enter switches as the space bar does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QCheckBox::keyPressEvent(event);
}
