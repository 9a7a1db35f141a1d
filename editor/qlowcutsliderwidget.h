#pragma once

#include "editor/qsliderwidget.h"

// A dial that shows its position as a low-cut frequency, or "Off".
class QLowCutSliderWidget : public QSliderWidget {
    Q_OBJECT
public:
    explicit QLowCutSliderWidget(QWidget* parent = nullptr);

public slots:
    void setValue(int position) override;

protected slots:
    void sliderChanged(int position) override;

private:
    void ShowFrequency(int position);
};
