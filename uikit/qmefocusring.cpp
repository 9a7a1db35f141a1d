#include "uikit/qmefocusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

const char* const kExcluded = "qmeNoFocusRing";
QMEFocusRing* s_instance = nullptr;

class RingWidget final : public QWidget {
public:
    explicit RingWidget(QWidget* parent) : QWidget(parent) {
        setObjectName("mwgtFocusRing");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }
    void SetColor(const QColor& color) {
        if (color != m_color) {
            m_color = color;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_color, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
    }

private:
    QColor m_color;
};

} // namespace

QMEFocusRing::QMEFocusRing(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        m_target = now;
        Follow();
    });
}

QMEFocusRing* QMEFocusRing::Instance() {
    if (!s_instance && qApp)
        s_instance = new QMEFocusRing(qApp);
    return s_instance;
}

void QMEFocusRing::Install(int mode) {
    if (QMEFocusRing* ring = Instance()) {
        ring->m_mode = mode;
        ring->Follow();
    }
}

QColor QMEFocusRing::Color(int mode) {
    // The looks' accents (112,134,250) and (124,144,250), as little darker and lighter as 3:1
    // needs on the palest and the deepest ground they meet (pale fields, selected rows).
    return mode == 2 ? QColor(147, 164, 251) : QColor(105, 125, 233);
}

void QMEFocusRing::Exclude(QWidget* widget) {
    widget->setProperty(kExcluded, true);
}

QWidget* QMEFocusRing::Ring() {
    return s_instance && s_instance->m_ring && s_instance->m_ring->isVisible()
               ? s_instance->m_ring.data()
               : nullptr;
}

void QMEFocusRing::ShowForKeyboard() {
    if (QMEFocusRing* ring = Instance()) {
        ring->m_keyboard = true;
        ring->m_target = QApplication::focusWidget();
        ring->Follow();
    }
}

bool QMEFocusRing::KeyboardInUse() {
    return s_instance && s_instance->m_keyboard;
}

bool QMEFocusRing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!m_keyboard) {
            m_keyboard = true;
            Follow();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (m_keyboard) {
            m_keyboard = false;
            Follow();
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == m_target)
            Follow();
        break;
    default:
        break;
    }
    return false;
}

void QMEFocusRing::Follow() {
    QWidget* target = m_target;
    QWidget* parent = target ? target->parentWidget() : nullptr;
    // Popups (menus, lists of a combo box) show their own current entry.
    if (!m_keyboard || !parent || !target->isVisible() || target->property(kExcluded).toBool() ||
        target->window()->windowType() == Qt::Popup) {
        if (m_ring)
            m_ring->hide();
        return;
    }
    auto* ring = static_cast<RingWidget*>(m_ring.data());
    if (!ring) {
        ring = new RingWidget(parent);
        m_ring = ring;
    } else if (ring->parentWidget() != parent) {
        ring->setParent(parent);
    }
    ring->SetColor(Color(m_mode));
    // Kept inside the parent, which would clip it: a control flush with its parent's edge (the
    // preset strip's buttons, a list's first row) still shows the whole ring.
    ring->setGeometry(target->geometry().adjusted(-kOutset, -kOutset, kOutset, kOutset) &
                      parent->rect());
    ring->raise();
    ring->show();
}
