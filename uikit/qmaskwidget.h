#pragma once

#include "uikit/qmewidget.h"

// A translucent overlay that dims what lies under it and reports clicks.
class QMaskWidget : public QMEWidget {
    Q_OBJECT
public:
    explicit QMaskWidget(QWidget* parent = nullptr);

    void SetTopBand(bool on);
    bool TopBand() const;
    void SetBandHeight(int height);
    int BandHeight() const;
    void SetContentRect(const QRect& rect);
    QRect ContentRect() const;
    int Radius() const;
    // True when a press at `pos` lies in the top band while the band is on.
    bool InTopBand(const QPoint& pos) const;

signals:
    void emitClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRect m_content{QPoint(0, 0), QPoint(-1, -1)};
    bool m_topBand = false;
    int m_bandHeight = 30;
    int m_radius = 20;
};
