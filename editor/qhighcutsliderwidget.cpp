#include "editor/qhighcutsliderwidget.h"

#include "editor/sliderdisplay.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmespinbox.h"

QHighCutSliderWidget::QHighCutSliderWidget(QWidget* parent) : QSliderWidget(parent) {
    ShowField(true);
}

void QHighCutSliderWidget::setValue(int position) {
    QSliderWidget::setValue(position);
    // The pedal's reports are not limited: show where the dial stopped, not what was asked.
    ShowFrequency(value());
}

void QHighCutSliderWidget::sliderChanged(int position) {
    QSliderWidget::sliderChanged(position);
    ShowFrequency(position);
}

void QHighCutSliderWidget::ShowFrequency(int position) {
    ShowText(SliderDisplay::highCutText(position, Dial()->minimum(), Holder()->suffix()));
}
