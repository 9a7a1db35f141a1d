#pragma once

#include "editor/qsliderwidget.h"

// A dial that shows its position as a high-cut frequency, or "Off" at its minimum. Used inverted:
// the holder keeps maximum + minimum - position, the field the frequency of the position.
class QHighCutSliderWidget : public QSliderWidget {
    Q_OBJECT
public:
    explicit QHighCutSliderWidget(QWidget* parent = nullptr);

public slots:
    void setValue(int position) override;

protected slots:
    void sliderChanged(int position) override;

private:
    void ShowFrequency(int position);
};
