#pragma once

#include <QScrollBar>

class QMEScrollBarStyle;

// A scroll bar drawn by QMEScrollBarStyle.
class QMEScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit QMEScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    QMEScrollBarStyle* BarStyle() const;

private:
    QMEScrollBarStyle* m_style;
};
