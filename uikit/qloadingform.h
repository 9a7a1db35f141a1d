#pragma once

#include "uikit/qmedialog.h"

#include <QColor>

class QLabel;
class QMEProgressIndicator;

// The busy panel: a spinning indicator and a text with a number placed in it. It is shown during a
// transfer and only the program hides it: Escape is ignored, and the window manager's close goes
// on to the window it covers.
class QLoadingForm : public QMEDialog {
    Q_OBJECT
public:
    explicit QLoadingForm(QWidget* parent = nullptr);

    void SetTextPattern(const QString& pattern);
    QString TextPattern() const;
    // Places `value` into the pattern as its first argument (decimal, no padding).
    void SetValue(int value);
    void ApplyMode(int mode);
    QColor PanelColor() const;
    QLabel* TextLabel() const;
    QMEProgressIndicator* Indicator() const;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Layout();

    QMEProgressIndicator* m_indicator;
    QLabel* m_label;
    QString m_pattern;
    QColor m_panel{241, 241, 241};
};
