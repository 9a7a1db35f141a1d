#include "uikit/qloadingform.h"

#include "uikit/qmeprogressindicator.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>

QLoadingForm::QLoadingForm(QWidget* parent)
    : QMEDialog(parent), m_indicator(new QMEProgressIndicator(this)), m_label(new QLabel(this)) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    SetResizeDirections(0);
    m_indicator->resize(80, 80);
    QPalette indicatorPalette = m_indicator->palette();
    indicatorPalette.setColor(QPalette::Highlight, QColor(53, 53, 53));
    indicatorPalette.setColor(QPalette::WindowText, QColor(255, 255, 255));
    m_indicator->setPalette(indicatorPalette);
    QFont labelFont = m_label->font();
    labelFont.setPixelSize(20);
    labelFont.setWeight(75);
    m_label->setFont(labelFont);
    resize(400, 140);
    ApplyMode(1);
}

void QLoadingForm::SetTextPattern(const QString& pattern) {
    m_pattern = pattern;
}

QString QLoadingForm::TextPattern() const {
    return m_pattern;
}

void QLoadingForm::SetValue(int value) {
    m_label->setText(m_pattern.arg(value));
    m_label->adjustSize();
    Layout();
}

void QLoadingForm::ApplyMode(int mode) {
    m_panel = mode == 2 ? QColor(51, 51, 51) : QColor(241, 241, 241);
    QPalette labelPalette = m_label->palette();
    labelPalette.setColor(QPalette::WindowText,
                          mode == 2 ? QColor(255, 255, 255) : QColor(53, 53, 53));
    m_label->setPalette(labelPalette);
    // The spokes take the palette colour that stands out on the panel: the dark highlight on the
    // light panel, the light window text on the dark one.
    m_indicator->setColor(
        m_indicator->palette().color(mode == 2 ? QPalette::WindowText : QPalette::Highlight));
    update();
}

QColor QLoadingForm::PanelColor() const {
    return m_panel;
}

QLabel* QLoadingForm::TextLabel() const {
    return m_label;
}

QMEProgressIndicator* QLoadingForm::Indicator() const {
    return m_indicator;
}

void QLoadingForm::Layout() {
    m_indicator->move(30, (height() - m_indicator->height()) / 2);
    m_label->move(m_indicator->geometry().right() + 1 + 30, (height() - m_label->height()) / 2);
}

void QLoadingForm::resizeEvent(QResizeEvent* event) {
    QMEDialog::resizeEvent(event);
    Layout();
}

void QLoadingForm::reject() {}

void QLoadingForm::closeEvent(QCloseEvent* event) {
    if (!isVisible()) {
        QMEDialog::closeEvent(event);
        return;
    }
    event->ignore();
    // The close was meant for the program: its window says whether it may end now.
    if (parentWidget())
        parentWidget()->window()->close();
}

void QLoadingForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_panel);
    painter.drawRoundedRect(rect(), 10, 10);
}
