#pragma once

#include <QColor>
#include <QWidget>

// A busy indicator: twelve spokes fading round the centre.
class QMEProgressIndicator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int delay READ animationDelay WRITE setAnimationDelay)
    Q_PROPERTY(bool displayedWhenStopped READ isDisplayedWhenStopped WRITE setDisplayedWhenStopped)
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    static constexpr int kSpokes = 12;
    static constexpr int kStepDegrees = 30;

    struct Spoke {
        double inner = 0;
        double outer = 0;
        double width = 0;
    };
    // Spoke geometry for a control of `size`.
    static Spoke SpokeGeometry(const QSize& size);

    explicit QMEProgressIndicator(QWidget* parent = nullptr);

    int animationDelay() const;
    bool isAnimated() const;
    bool isDisplayedWhenStopped() const;
    QColor color() const;
    int angle() const;
    QSize sizeHint() const override;

public slots:
    void startAnimation();
    void stopAnimation();
    void setAnimationDelay(int delay);
    void setDisplayedWhenStopped(bool state);
    void setColor(const QColor& color);

protected:
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_angle = 0;
    int m_timerId = -1;
    int m_delay = 40;
    bool m_displayedWhenStopped = false;
    QColor m_color = Qt::black;
};
