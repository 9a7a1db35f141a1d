#pragma once

#include "uikit/qmewidget.h"

#include <QPointer>

// A translucent overlay that dims what lies under it and reports clicks. While shown it holds the
// keyboard focus and swallows keys and shortcuts, so a control under it cannot act during a
// transfer; hiding it gives the focus back.
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
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QRect m_content{QPoint(0, 0), QPoint(-1, -1)};
    bool m_topBand = false;
    int m_bandHeight = 30;
    int m_radius = 20;
    QPointer<QWidget> m_focus;
};
