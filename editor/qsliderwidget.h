#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QLabel;
class QMECircleSlider;
class QMELineEdit;
class QMESpinBox;

// A labelled dial: title above, round dial, and below it the value, either in a spin box (the
// holder) or in a read-only field. The dial position is the value; the shown number is the
// position, or maximum + minimum - position when inverted.
class QSliderWidget : public QWidget {
    Q_OBJECT
public:
    explicit QSliderWidget(QWidget* parent = nullptr);

    // true: the read-only field; false: the holder.
    void ShowField(bool field);
    void SetInverted(bool inverted);
    void SetValueColor(const QColor& color);
    // 1 light, 2 dark.
    void ApplyMode(int mode);
    // What a screen reader calls the dial ("CAB A Level") and its value field.
    void SetAccessibleNames(const QString& name);

    QMECircleSlider* Dial() const { return mcslDial; }
    QMESpinBox* Holder() const { return mspbValue; }
    QMELineEdit* Field() const { return mledValue; }

signals:
    void emitValueChanged(int value);

public slots:
    void setTitle(const QString& text);
    QString title() const;
    // Programmatic: moves the dial and refreshes the texts without emitting emitValueChanged.
    virtual void setValue(int position);
    int value() const;
    void setMaxMinValue(double minvalue, double maxvalue);
    void setRange(int min, int max);
    void setSuffix(const QString& text);

protected slots:
    void valueChanged(int number);
    virtual void sliderChanged(int position);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    int ShownNumber(int position) const;
    void ConnectHolder();
    void DisconnectHolder();
    // The holder's number followed by its suffix.
    void ShowHolderText();
    // Shows `text` in the field; a screen reader hears it with its unit set apart ("250 Hz").
    void ShowText(const QString& text);

private:
    void LayoutParts();

    QMECircleSlider* mcslDial;
    QLabel* mlblTitle;
    QMESpinBox* mspbValue;
    QMELineEdit* mledValue;
    QColor mValueColor;
    bool mInverted = false;
    QMetaObject::Connection mHolderConnection;
};
