#pragma once

#include <QSpinBox>

class QMEBaseButton;
class QTimer;

// A transparent spin box with its own image up and down buttons that repeat while held. A button
// without its image is hidden: a bare value holder has no buttons.
class QMESpinBox : public QSpinBox {
    Q_OBJECT
public:
    static constexpr int kRepeatMs = 100;
    // Ticks that pass before holding starts to repeat.
    static constexpr int kRepeatAfterTicks = 5;

    explicit QMESpinBox(QWidget* parent = nullptr);

    void SetButtonImages(const QString& upPath, const QString& downPath);
    QMEBaseButton* UpButton() const;
    QMEBaseButton* DownButton() const;
    // +1 while up is held, -1 while down is held, 0 otherwise.
    int HeldDirection() const;
    int TickCount() const;

public slots:
    void OnRepeatTick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void StartHold(int direction);
    void StopHold();
    void LayoutButtons();

    QMEBaseButton* m_up;
    QMEBaseButton* m_down;
    QTimer* m_repeat;
    int m_held = 0;
    int m_ticks = 0;
};
