#include "editor/qlowcutsliderwidget.h"

#include "editor/sliderdisplay.h"
#include "uikit/qmespinbox.h"

QLowCutSliderWidget::QLowCutSliderWidget(QWidget* parent) : QSliderWidget(parent) {
    ShowField(true);
}

void QLowCutSliderWidget::setValue(int position) {
    QSliderWidget::setValue(position);
    // The pedal's reports are not limited: show where the dial stopped, not what was asked.
    ShowFrequency(value());
}

void QLowCutSliderWidget::sliderChanged(int position) {
    QSliderWidget::sliderChanged(position);
    ShowFrequency(position);
}

void QLowCutSliderWidget::ShowFrequency(int position) {
    ShowText(SliderDisplay::lowCutText(position, Holder()->suffix()));
}
