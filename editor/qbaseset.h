#pragma once

#include "uikit/qmewidget.h"

#include <QColor>
#include <QString>

#include <cstdint>

class QDataAnalysis;
class QHighCutSliderWidget;
class QLabel;
class QLowCutSliderWidget;
class QMECheckBox;
class QMEComboBox;
class QMimeData;
class QSliderWidget;
class QUsbWriteThread;
struct DeviceState;

// One cabinet's panel: title, on/off switch, cabinet chooser with the cabinet's picture, and the
// Level, Latency, Low-Cut and High-Cut dials. User changes are stored in the parser's device state
// and sent at once; the parser's updates refresh the panel without sending anything.
class QBaseSet : public QMEWidget {
    Q_OBJECT
public:
    // Dial numbers, also the parameter indexes of the parser and the write thread.
    enum Dial { DialLevel = 0, DialLatency = 1, DialLowCut = 2, DialHighCut = 3 };

    explicit QBaseSet(QWidget* parent = nullptr);

    // 0 for CAB A, 1 for CAB B.
    virtual int Cabinet() const = 0;

    void SetTitle(const QString& text);
    void SetDropFormat(const QString& format) { mDropFormat = format; }
    // The picture file shown for the panel's cabinet slot; empty before the parser is set.
    QString PicturePath() const { return mPicturePath; }

    QSliderWidget* SliderWidget(int dial) const;
    QMECheckBox* Switch() const { return mcbxBypass; }
    QMEComboBox* Chooser() const { return mccbCabinet; }
    QLabel* Picture() const { return mlblPicture; }
    // The title's, the switch's and the chooser's text in look `mode` (1 light, 2 dark).
    static QColor TextColor(int mode);
    // The controls in the order Tab walks them: switch, chooser, then the four dials.
    QList<QWidget*> FocusOrder() const;

signals:
    void emitPromptDisConnect();
    void emitDropMimeData(const QMimeData* mimeData);

public slots:
    // 1 light, 2 dark.
    virtual void ApplyMode(int mode);
    virtual void Retranslate();
    virtual void setParser(QDataAnalysis* parser);
    virtual void ValueChanged(int type);
    virtual void ccbIndexChanged(int index);
    virtual void cbxAudit(bool checked);
    virtual void UpdateBypass();
    virtual void UpdateIR();
    virtual void UpdateCAB();
    virtual void OnDropMimeData(const QMimeData* mimeData);

protected:
    virtual void LayoutWidgets();
    virtual void ApplyChooserLook(QMEComboBox* chooser, int mode) = 0;
    // The colour of the dials' value arcs.
    virtual QColor ValueColor() const = 0;

    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // The chooser in the look of `mode` with `background` behind it (a file of the look's
    // image folder), the shared arrow and a slim scroll bar in its list.
    void StyleChooser(QMEComboBox* chooser, int mode, const QString& background);

private:
    uint8_t& OwnBypass() const;
    int CurrentValue(int position) const;
    void ShowPicture(int slot);
    void SelectChooserEntry(int slot);
    void ConnectChooser();
    void ShowSwitchText();
    void ShowTexts();
    // The names a screen reader gives the controls: "CAB A Level", "CAB B switch".
    void NameControls();

    QSliderWidget* mwgtLevel;
    QSliderWidget* mwgtLatency;
    QLowCutSliderWidget* mwgtLowCut;
    QHighCutSliderWidget* mwgtHighCut;
    QMECheckBox* mcbxBypass;
    QLabel* mlblTitle;
    QLabel* mlblPicture;
    QMEComboBox* mccbCabinet;
    QString mDropFormat;
    QString mPicturePath;
    QDataAnalysis* mParser = nullptr;
    DeviceState* mState = nullptr;
    QUsbWriteThread* mWriteThread = nullptr;
    QMetaObject::Connection mChooserConnection;
};
