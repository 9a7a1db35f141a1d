#pragma once

#include <QColor>
#include <QDial>
#include <QMargins>
#include <QPixmap>
#include <QString>

// A round dial drawn from a face image and a needle image, with a value arc or a ring of dots
// and a dead zone at the bottom.
class QMECircleSlider : public QDial {
    Q_OBJECT
    Q_PROPERTY(int dotCount READ dotCount WRITE setDotCount)
    Q_PROPERTY(int dotRadius READ dotRadius WRITE setDotRadius)
    Q_PROPERTY(int contraAngle READ contraAngle WRITE setContraAngle)
    Q_PROPERTY(int wheelStep READ wheelStep WRITE setWheelStep)
    Q_PROPERTY(QColor valueColor READ valueColor WRITE setValueColor)
    Q_PROPERTY(double arcValueWidth READ arcValueWidth WRITE setArcValueWidth)
    Q_PROPERTY(QColor noValueColor READ noValueColor WRITE setNoValueColor)
    Q_PROPERTY(QPixmap needleImage READ needleImage WRITE setNeedleImage)
    Q_PROPERTY(QPixmap backgroundImage READ backgroundImage WRITE setBackgroundImage)

public:
    explicit QMECircleSlider(QWidget* parent = nullptr);

    int dotCount() const;
    int dotRadius() const;
    int contraAngle() const;
    int wheelStep() const;
    QColor valueColor() const;
    double arcValueWidth() const;
    QColor noValueColor() const;
    QPixmap needleImage() const;
    QPixmap backgroundImage() const;
    QMargins arcMargin() const;
    void setBackgroundMargin(const QMargins& margins);
    // true: the value arc; false: the ring of dots.
    void setArcMode(bool arc);
    bool arcMode() const;
    // 1: the needle image rotated about the centre; 2: the needle image set off from the centre
    // by the needle distance along the needle direction.
    void setNeedleStyle(int style);
    int needleStyle() const;
    void setNeedleDistance(int distance);
    int needleDistance() const;
    int litDots() const;
    // The dial angle of the last accepted pointer position.
    double pointerAngle() const;
    // The value as its owner shows it, with its unit ("7746 Hz"); a screen reader reads it.
    void setValueText(const QString& text);
    QString valueText() const { return m_valueText; }

public slots:
    void setDotCount(int count);
    void setDotRadius(int radius);
    void setArcMargin(int left, int top, int right, int bottom);
    void setArcMargin(const QMargins& margins);
    void setContraAngle(int angle);
    void setWheelStep(int step);
    void setValueColor(const QColor& color);
    void setArcValueWidth(double width);
    void setNoValueColor(const QColor& color);
    void setNeedleImage(const QPixmap& image);
    void setBackgroundImage(const QPixmap& image);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Pointer(QMouseEvent* event);

    int m_dotCount = 13;
    int m_dotRadius = 2;
    int m_contraAngle = 60;
    int m_wheelStep = 1;
    int m_wheelPending = 0; // wheel delta short of a notch
    QColor m_valueColor{37, 207, 160};
    double m_arcValueWidth = 2.5;
    QColor m_noValueColor{102, 102, 102};
    QPixmap m_needle;
    QPixmap m_background;
    QMargins m_arcMargin;
    QMargins m_backgroundMargin;
    bool m_arcMode = true;
    double m_lastAngle = 0;
    int m_needleStyle = 1;
    int m_needleDistance = 4;
    QString m_valueText;
};
