#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QWidget>

class QTimer;

// A horizontal progress bar drawn from a track image and a fill image, whose ends keep their
// width while the middle stretches. Without images it draws rounded bars in the palette's Base
// and Highlight colours. Repaints can be limited to one per interval.
class QMEBaseProgress : public QWidget {
    Q_OBJECT
public:
    explicit QMEBaseProgress(QWidget* parent = nullptr);

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    double value() const { return m_value; }

    // Loads the image when the file exists; false (and no image kept) when it does not.
    bool SetTrackImage(const QString& path);
    bool SetFillImage(const QString& path);
    const QImage& TrackImage() const { return m_track; }
    const QImage& FillImage() const { return m_fill; }

    // "%p" shows the percentage with the set decimals, "%v" the value; empty draws no text.
    void SetFormat(const QString& format);
    QString Format() const { return m_format; }
    void SetDecimals(int decimals);
    QString Text() const;

    // Changes closer together than `ms` repaint at most once per interval; 0 repaints each one.
    void SetUpdateInterval(int ms);
    bool RepaintPending() const { return m_pending; }

    // Pixels of the bar's length the current value fills.
    int FillLength() const;

signals:
    void valueChanged(double value);

public slots:
    void setRange(double minimum, double maximum);
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    void setValue(double value);
    void setValue(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private slots:
    void UpdateTime();

private:
    void Repaint();
    void DrawFill(QPainter& painter, int length);

    double m_minimum = 0.0;
    double m_maximum = 100.0;
    double m_value = 0.0;
    QString m_format = QStringLiteral("%p%");
    int m_decimals = 1;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    QImage m_track;
    QImage m_fill;
    int m_interval = 0;
    bool m_pending = false;
    QElapsedTimer m_lastRepaint;
    QTimer* m_timer;
};
