#include "uikit/qmespinbox.h"

#include "uikit/qmebasebutton.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

QMESpinBox::QMESpinBox(QWidget* parent)
    : QSpinBox(parent), m_up(new QMEBaseButton(this)), m_down(new QMEBaseButton(this)),
      m_repeat(new QTimer(this)) {
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setStyleSheet("QMESpinBox {background-color:transparent;border:none}");
    lineEdit()->setStyleSheet(
        "QLineEdit {background-color:transparent;border:none; padding: 0px 0px 1px -2px}");
    m_repeat->setInterval(kRepeatMs);
    connect(m_repeat, &QTimer::timeout, this, &QMESpinBox::OnRepeatTick);
    connect(m_up, &QMEBaseButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QMEBaseButton::clicked, this, [this] { stepBy(-1); });
    connect(m_up, &QMEBaseButton::pressed, this, [this] { StartHold(1); });
    connect(m_down, &QMEBaseButton::pressed, this, [this] { StartHold(-1); });
    connect(m_up, &QMEBaseButton::released, this, &QMESpinBox::StopHold);
    connect(m_down, &QMEBaseButton::released, this, &QMESpinBox::StopHold);
    LayoutButtons();
}

void QMESpinBox::SetButtonImages(const QString& upPath, const QString& downPath) {
    m_up->SetButtonImage(upPath);
    m_down->SetButtonImage(downPath);
    LayoutButtons();
}

QMEBaseButton* QMESpinBox::UpButton() const {
    return m_up;
}

QMEBaseButton* QMESpinBox::DownButton() const {
    return m_down;
}

int QMESpinBox::HeldDirection() const {
    return m_held;
}

int QMESpinBox::TickCount() const {
    return m_ticks;
}

void QMESpinBox::StartHold(int direction) {
    m_held = direction;
    m_ticks = 0;
    m_repeat->start();
    // A modal dialog that opens while the button is held takes its release.
    window()->installEventFilter(this);
}

void QMESpinBox::StopHold() {
    m_repeat->stop();
    m_held = 0;
    window()->removeEventFilter(this);
}

bool QMESpinBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::WindowBlocked)
        StopHold();
    return QSpinBox::eventFilter(watched, event);
}

void QMESpinBox::OnRepeatTick() {
    if (m_held == 0)
        return;
    ++m_ticks;
    if (m_ticks > kRepeatAfterTicks)
        stepBy(m_held);
}

void QMESpinBox::resizeEvent(QResizeEvent* event) {
    QSpinBox::resizeEvent(event);
    LayoutButtons();
}

void QMESpinBox::hideEvent(QHideEvent* event) {
    StopHold();
    QSpinBox::hideEvent(event);
}

void QMESpinBox::LayoutButtons() {
    // Up in the top half and down in the bottom half of a strip at the right edge.
    m_up->setVisible(!m_up->Draw().ButtonImage().isNull());
    m_down->setVisible(!m_down->Draw().ButtonImage().isNull());
    const int half = height() / 2;
    m_up->move(width() - m_up->width(), half - m_up->height());
    m_down->move(width() - m_down->width(), half);
}
