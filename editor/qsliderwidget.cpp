#include "editor/qsliderwidget.h"

#include "settings/qmefolders.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmelineedit.h"
#include "uikit/qmespinbox.h"

#include <QLabel>
#include <cmath>

namespace {

constexpr int kDialSize = 46;
constexpr int kArcMargin = 12;
constexpr int kNeedleStyle = 2;
constexpr int kNeedleDistance = 14;
constexpr int kDeadZone = 60;
constexpr double kArcWidth = 2.0;
constexpr int kFontPixels = 14;

int roundBound(double bound) {
    return int(std::floor(bound + 0.5));
}

QString colorName(const QColor& color) {
    return color.name(QColor::HexRgb);
}

} // namespace

QSliderWidget::QSliderWidget(QWidget* parent)
    : QWidget(parent), mcslDial(new QMECircleSlider(this)), mlblTitle(new QLabel(this)),
      mspbValue(new QMESpinBox(this)), mledValue(new QMELineEdit(this)) {
    QFont font = this->font();
    font.setPixelSize(kFontPixels);

    mcslDial->setObjectName("mcslDial");
    mcslDial->resize(kDialSize, kDialSize);
    mcslDial->setArcMargin(kArcMargin, kArcMargin, kArcMargin, kArcMargin);
    mcslDial->setNeedleStyle(kNeedleStyle);

    mlblTitle->setObjectName("mlblTitle");
    mlblTitle->setText(QObject::tr("DIGITAL"));
    mlblTitle->resize(80, 24);
    mlblTitle->setAlignment(Qt::AlignCenter);
    mlblTitle->setFont(font);

    mspbValue->setObjectName("mspbValue");
    mspbValue->resize(70, 20);
    mspbValue->setAlignment(Qt::AlignCenter);
    mspbValue->UpButton()->hide();
    mspbValue->DownButton()->hide();
    mspbValue->setContentsMargins(0, 0, 0, 0);
    mspbValue->setFont(font);

    mledValue->setObjectName("mledValue");
    mledValue->resize(70, 20);
    mledValue->setAlignment(Qt::AlignCenter);
    mledValue->setEnabled(false);
    mledValue->setFont(font);
    mledValue->hide();

    connect(mcslDial, &QMECircleSlider::valueChanged, this, &QSliderWidget::sliderChanged);
    ConnectHolder();
    LayoutParts();
}

void QSliderWidget::ConnectHolder() {
    mHolderConnection = connect(mspbValue, QOverload<int>::of(&QSpinBox::valueChanged), this,
                                &QSliderWidget::valueChanged);
}

void QSliderWidget::DisconnectHolder() {
    disconnect(mHolderConnection);
}

void QSliderWidget::ShowField(bool field) {
    mledValue->setVisible(field);
    mspbValue->setVisible(!field);
}

void QSliderWidget::SetInverted(bool inverted) {
    mInverted = inverted;
    setValue(mcslDial->value());
}

void QSliderWidget::SetValueColor(const QColor& color) {
    mValueColor = color;
    mcslDial->setValueColor(color);
}

void QSliderWidget::setTitle(const QString& text) {
    mlblTitle->setText(text);
}

QString QSliderWidget::title() const {
    return mlblTitle->text();
}

int QSliderWidget::ShownNumber(int position) const {
    return mInverted ? mcslDial->maximum() + mcslDial->minimum() - position : position;
}

void QSliderWidget::ShowHolderText() {
    ShowText(QString::number(mspbValue->value()) + mspbValue->suffix());
}

void QSliderWidget::ShowText(const QString& text) {
    mledValue->setText(text);
    const QString suffix = mspbValue->suffix();
    const bool unit = !suffix.isEmpty() && text.size() > suffix.size() && text.endsWith(suffix);
    mcslDial->setValueText(unit ? text.chopped(suffix.size()) + QLatin1Char(' ') + suffix : text);
}

void QSliderWidget::SetAccessibleNames(const QString& name) {
    mcslDial->setAccessibleName(name);
    mledValue->setAccessibleName(QObject::tr("%1 value").arg(name));
}

void QSliderWidget::setValue(int position) {
    DisconnectHolder();
    mspbValue->setValue(ShownNumber(position));
    ShowHolderText();
    mcslDial->setValue(position);
    ConnectHolder();
}

int QSliderWidget::value() const {
    return mcslDial->value();
}

void QSliderWidget::setMaxMinValue(double minvalue, double maxvalue) {
    const int min = roundBound(minvalue);
    const int max = roundBound(maxvalue);
    mspbValue->setRange(min, max);
    mcslDial->setRange(min, max);
}

void QSliderWidget::setRange(int min, int max) {
    mcslDial->setRange(min, max);
}

void QSliderWidget::setSuffix(const QString& text) {
    mspbValue->setSuffix(text);
}

void QSliderWidget::sliderChanged(int position) {
    mspbValue->setValue(ShownNumber(position));
    ShowHolderText();
}

void QSliderWidget::valueChanged(int number) {
    mcslDial->setValue(ShownNumber(number));
    ShowHolderText();
    emit emitValueChanged(number);
}

void QSliderWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setValue(mcslDial->value());
}

void QSliderWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutParts();
}

void QSliderWidget::LayoutParts() {
    const int w = width();
    const int dialTop = (height() - mcslDial->height()) / 2 - 2;
    mcslDial->move((w - mcslDial->width()) / 2, dialTop);
    mlblTitle->move((w - mlblTitle->width()) / 2, dialTop + 2 - mlblTitle->height());
    const int below = mcslDial->geometry().bottom() + 1 + 2;
    mspbValue->move((w - mspbValue->width()) / 2, below);
    mledValue->move((w - mledValue->width()) / 2, below);
}

void QSliderWidget::ApplyMode(int mode) {
    const QString folder = QMEFolders::imageFolder(mode);
    const bool dark = mode == 2;
    const QColor title = dark ? QColor(219, 219, 219) : QColor(97, 97, 97);
    const QColor text = dark ? QColor(180, 180, 180) : QColor(111, 111, 111);

    mcslDial->setBackgroundImage(QMEImageLoader::LoadPixmap(folder + "/circle_slider_bg.png"));
    mcslDial->setNeedleImage(QMEImageLoader::LoadPixmap(folder + "/circle_slider_point.png"));
    mcslDial->setContraAngle(kDeadZone);
    mcslDial->setArcValueWidth(kArcWidth);
    mcslDial->setNeedleDistance(kNeedleDistance);
    if (mValueColor.isValid())
        mcslDial->setValueColor(mValueColor);

    QPalette titlePalette = mlblTitle->palette();
    titlePalette.setColor(QPalette::WindowText, title);
    mlblTitle->setPalette(titlePalette);

    const QString background =
        QStringLiteral("border-image:url(%1);").arg(folder + "/input_bg.png");
    const QString rule =
        QStringLiteral("{%1border:none;color:%2;}").arg(background, colorName(text));
    mspbValue->setStyleSheet(
        QStringLiteral("QMESpinBox %1 QMESpinBox:disabled %1 QLineEdit {color:%2}")
            .arg(rule, colorName(text)));
    mledValue->setStyleSheet(QStringLiteral("QLineEdit %1 QLineEdit:disabled %1").arg(rule));
    LayoutParts();
}
