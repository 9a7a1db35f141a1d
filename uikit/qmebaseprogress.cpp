#include "uikit/qmebaseprogress.h"

#include "uikit/qmeaccessible.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmeprogressmath.h"

#include <QAccessible>
#include <QFile>
#include <QPainter>
#include <QTimer>

QMEBaseProgress::QMEBaseProgress(QWidget* parent) : QWidget(parent), m_timer(new QTimer(this)) {
    QMEAccessible::Install();
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(230, 230, 230));
    pal.setColor(QPalette::Highlight, QColor(6, 176, 37));
    pal.setColor(QPalette::Shadow, QColor(6, 176, 37, 0));
    pal.setColor(QPalette::Text, QColor(255, 0, 0, 0));
    setPalette(pal);
    setAttribute(Qt::WA_NoSystemBackground);
    connect(m_timer, &QTimer::timeout, this, &QMEBaseProgress::UpdateTime);
}

bool QMEBaseProgress::SetTrackImage(const QString& path) {
    m_track = QFile::exists(path) ? QMEImageLoader::Load(path) : QImage();
    if (!m_track.isNull()) {
        const int imageHeight = QMEImageLoader::LogicalSize(m_track).height();
        if (height() < imageHeight)
            resize(width(), imageHeight);
    }
    update();
    return !m_track.isNull();
}

bool QMEBaseProgress::SetFillImage(const QString& path) {
    m_fill = QFile::exists(path) ? QMEImageLoader::Load(path) : QImage();
    update();
    return !m_fill.isNull();
}

void QMEBaseProgress::SetFormat(const QString& format) {
    m_format = format;
    update();
}

void QMEBaseProgress::SetDecimals(int decimals) {
    m_decimals = decimals;
    update();
}

QString QMEBaseProgress::Text() const {
    if (m_format.isEmpty())
        return QString();
    const double range = m_maximum - m_minimum;
    const double percent = range > 0 ? (m_value - m_minimum) / range * 100.0 : 0.0;
    QString text = m_format;
    text.replace(QLatin1String("%p"), QString::number(percent, 'f', m_decimals));
    text.replace(QLatin1String("%v"), QString::number(m_value, 'f', m_decimals));
    return text;
}

void QMEBaseProgress::SetUpdateInterval(int ms) {
    m_interval = qMax(0, ms);
    if (m_interval > 0) {
        m_timer->start(m_interval);
    } else {
        m_timer->stop();
        if (m_pending)
            Repaint();
    }
}

int QMEBaseProgress::FillLength() const {
    return QMEProgressMath::FillLength(m_value, m_minimum, m_maximum, width());
}

void QMEBaseProgress::setRange(double minimum, double maximum) {
    m_minimum = minimum;
    m_maximum = qMax(minimum, maximum);
    setValue(m_value);
}

void QMEBaseProgress::setMinimum(double minimum) {
    setRange(minimum, qMax(minimum, m_maximum));
}

void QMEBaseProgress::setMaximum(double maximum) {
    setRange(qMin(m_minimum, maximum), maximum);
}

void QMEBaseProgress::setValue(double value) {
    const double before = m_value;
    m_value = QMEProgressMath::Clamp(value, m_minimum, m_maximum);
    emit valueChanged(m_value);
    if (m_value != before && QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, m_value);
        QAccessible::updateAccessibility(&event);
    }
    if (m_interval > 0 && m_lastRepaint.isValid() && m_lastRepaint.elapsed() < m_interval) {
        m_pending = true;
        return;
    }
    Repaint();
}

void QMEBaseProgress::setValue(int value) {
    setValue(double(value));
}

void QMEBaseProgress::UpdateTime() {
    if (m_pending && (!m_lastRepaint.isValid() || m_lastRepaint.elapsed() >= 2 * m_interval))
        Repaint();
}

void QMEBaseProgress::Repaint() {
    m_pending = false;
    m_lastRepaint.start();
    update();
}

void QMEBaseProgress::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_track.isNull()) {
        painter.drawImage(rect(), m_track);
    } else {
        const qreal radius = height() / 2.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRoundedRect(QRectF(rect()), radius, radius);
    }
    DrawFill(painter, FillLength());
    const QString text = Text();
    if (!text.isEmpty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(rect(), int(m_alignment), text);
    }
}

void QMEBaseProgress::DrawFill(QPainter& painter, int length) {
    if (length <= 0)
        return;
    if (m_fill.isNull()) {
        const qreal radius = qMin(height(), length) / 2.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::Highlight));
        painter.drawRoundedRect(QRectF(0, 0, length, height()), radius, radius);
        return;
    }
    // Source rectangles in the image's own pixels, which are twice the logical ones on a
    // high-DPI screen.
    const qreal ratio = m_fill.devicePixelRatio();
    const QSize logical = QMEImageLoader::LogicalSize(m_fill);
    const int end = qMin(logical.height(), logical.width()) / 2;
    const QMEProgressMath::FillParts parts = QMEProgressMath::SplitFill(length, end);
    const qreal h = height();
    auto piece = [&](qreal x, qreal w, qreal sx, qreal sw) {
        if (w > 0)
            painter.drawImage(QRectF(x, 0, w, h), m_fill,
                              QRectF(sx * ratio, 0, sw * ratio, logical.height() * ratio));
    };
    if (parts.halves) {
        const qreal half = logical.width() / 2.0;
        piece(0, parts.leftEnd, 0, half);
        piece(parts.leftEnd, parts.rightEnd, half, logical.width() - half);
        return;
    }
    piece(0, parts.leftEnd, 0, end);
    piece(parts.leftEnd, parts.middle, end, logical.width() - 2 * end);
    piece(parts.leftEnd + parts.middle, parts.rightEnd, logical.width() - end, end);
}
