#include "uikit/qmecircleslider.h"

#include "uikit/qmeaccessible.h"
#include "uikit/qmedialmath.h"
#include "uikit/qmeimageloader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>

QMECircleSlider::QMECircleSlider(QWidget* parent) : QDial(parent) {
    QMEAccessible::Install();
    setRange(0, 100);
}

int QMECircleSlider::dotCount() const {
    return m_dotCount;
}

int QMECircleSlider::dotRadius() const {
    return m_dotRadius;
}

int QMECircleSlider::contraAngle() const {
    return m_contraAngle;
}

int QMECircleSlider::wheelStep() const {
    return m_wheelStep;
}

QColor QMECircleSlider::valueColor() const {
    return m_valueColor;
}

double QMECircleSlider::arcValueWidth() const {
    return m_arcValueWidth;
}

QColor QMECircleSlider::noValueColor() const {
    return m_noValueColor;
}

QPixmap QMECircleSlider::needleImage() const {
    return m_needle;
}

QPixmap QMECircleSlider::backgroundImage() const {
    return m_background;
}

QMargins QMECircleSlider::arcMargin() const {
    return m_arcMargin;
}

void QMECircleSlider::setBackgroundMargin(const QMargins& margins) {
    m_backgroundMargin = margins;
    update();
}

void QMECircleSlider::setArcMode(bool arc) {
    m_arcMode = arc;
    update();
}

bool QMECircleSlider::arcMode() const {
    return m_arcMode;
}

void QMECircleSlider::setNeedleStyle(int style) {
    m_needleStyle = style;
    update();
}

int QMECircleSlider::needleStyle() const {
    return m_needleStyle;
}

void QMECircleSlider::setNeedleDistance(int distance) {
    m_needleDistance = distance;
    update();
}

int QMECircleSlider::needleDistance() const {
    return m_needleDistance;
}

int QMECircleSlider::litDots() const {
    return QMEDialMath::LitDots(value(), minimum(), maximum(), m_contraAngle, m_dotCount);
}

double QMECircleSlider::pointerAngle() const {
    return m_lastAngle;
}

void QMECircleSlider::setValueText(const QString& text) {
    if (text == m_valueText)
        return;
    m_valueText = text;
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void QMECircleSlider::setDotCount(int count) {
    if (count != m_dotCount) {
        m_dotCount = count;
        update();
    }
}

void QMECircleSlider::setDotRadius(int radius) {
    if (radius != m_dotRadius) {
        m_dotRadius = radius;
        update();
    }
}

void QMECircleSlider::setArcMargin(int left, int top, int right, int bottom) {
    setArcMargin(QMargins(left, top, right, bottom));
}

void QMECircleSlider::setArcMargin(const QMargins& margins) {
    if (margins != m_arcMargin) {
        m_arcMargin = margins;
        update();
    }
}

void QMECircleSlider::setContraAngle(int angle) {
    if (angle != m_contraAngle) {
        m_contraAngle = angle;
        update();
    }
}

void QMECircleSlider::setWheelStep(int step) {
    m_wheelStep = step;
}

void QMECircleSlider::setValueColor(const QColor& color) {
    if (color != m_valueColor) {
        m_valueColor = color;
        update();
    }
}

void QMECircleSlider::setArcValueWidth(double width) {
    if (width != m_arcValueWidth) {
        m_arcValueWidth = width;
        update();
    }
}

void QMECircleSlider::setNoValueColor(const QColor& color) {
    if (color != m_noValueColor) {
        m_noValueColor = color;
        update();
    }
}

void QMECircleSlider::setNeedleImage(const QPixmap& image) {
    m_needle = image;
    update();
}

void QMECircleSlider::setBackgroundImage(const QPixmap& image) {
    m_background = image;
    if (!image.isNull())
        resize(QMEImageLoader::LogicalSize(image));
    update();
}

void QMECircleSlider::Pointer(QMouseEvent* event) {
    const QPointF centre(width() / 2.0, height() / 2.0);
    const QPointF d = event->localPos() - centre;
    const QMEDialMath::Pointer p = QMEDialMath::PointerAngle(d.x(), d.y(), m_contraAngle);
    if (p.accepted) {
        m_lastAngle = p.angle;
        setValue(QMEDialMath::ValueFromAngle(p.angle, minimum(), maximum(), m_contraAngle));
        update();
    }
    event->accept();
}

void QMECircleSlider::mousePressEvent(QMouseEvent* event) {
    Pointer(event);
}

void QMECircleSlider::mouseMoveEvent(QMouseEvent* event) {
    Pointer(event);
}

void QMECircleSlider::mouseReleaseEvent(QMouseEvent* event) {
    Pointer(event);
}

void QMECircleSlider::wheelEvent(QWheelEvent* event) {
    // One step per notch, however many events a touchpad splits it into; one value change per
    // event, so one command reaches the pedal.
    int notches = QMEDialMath::WheelNotches(m_wheelPending, event->angleDelta().y());
    int next = value();
    for (; notches != 0; notches += notches > 0 ? -1 : 1)
        next = QMEDialMath::WheelValue(next, minimum(), maximum(), m_wheelStep, notches > 0,
                                       wrapping());
    setValue(next);
    event->accept();
}

void QMECircleSlider::paintEvent(QPaintEvent* event) {
    if (m_background.isNull()) {
        QDial::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect().marginsRemoved(m_backgroundMargin), m_background);

    const QPointF centre(width() / 2.0, height() / 2.0);
    const double needle = QMEDialMath::NeedleAngle(value(), minimum(), maximum(), m_contraAngle);
    if (!m_needle.isNull()) {
        painter.save();
        painter.translate(centre);
        // Angles run clockwise from straight down; painter rotation is clockwise from the
        // image's upright position, which points up.
        painter.rotate(needle + 180.0);
        const QSize needleSize = QMEImageLoader::LogicalSize(m_needle);
        const double distance = m_needleStyle == 2 ? m_needleDistance : 0.0;
        painter.drawPixmap(
            QPointF(-needleSize.width() / 2.0, -distance - needleSize.height() / 2.0), m_needle);
        painter.restore();
    }

    const QRectF arcRect = QRectF(rect()).marginsRemoved(QMarginsF(m_arcMargin));
    const double start = QMEDialMath::ArcStartAngle(m_contraAngle);
    if (m_arcMode) {
        const double span = QMEDialMath::ValueAngle(value(), minimum(), maximum(), m_contraAngle);
        QPen pen(m_valueColor, m_arcValueWidth);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawArc(arcRect, int(start * 16), -int(span * 16));
        return;
    }
    const int lit = litDots();
    const double step = m_dotCount > 1 ? QMEDialMath::Sweep(m_contraAngle) / (m_dotCount - 1) : 0;
    const double rx = arcRect.width() / 2.0;
    const double ry = arcRect.height() / 2.0;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < m_dotCount; ++i) {
        const double angle = qDegreesToRadians(start - i * step);
        const QPointF at(arcRect.center().x() + rx * std::cos(angle),
                         arcRect.center().y() - ry * std::sin(angle));
        painter.setBrush(i < lit ? m_valueColor : m_noValueColor);
        painter.drawEllipse(at, m_dotRadius, m_dotRadius);
    }
}
