#pragma once

#include "protocol/devicestate.h"
#include "protocol/productinfo.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class QUsbWriteThread;

// The editor's picture of the pedal: turns the pedal's answers into the device state and offers
// the operations that change the state and send the matching command together. Main thread only.
class QDataAnalysis : public QObject {
    Q_OBJECT

public:
    explicit QDataAnalysis(QObject* parent = nullptr);
    ~QDataAnalysis() override;

    void setWriteThread(QUsbWriteThread* thread);
    QUsbWriteThread* writeThread() const;
    DeviceState* deviceState() const { return mState.get(); }
    ProductInfo* productInfo() const { return mInfo.get(); }

    void choosePreset(int preset);
    void saveCurrentPreset();
    // block: the preset number it was saved under, then the 20 preset bytes.
    void importPreset(int preset, const QByteArray& block);
    bool isPresetModified() const;
    void chooseCabinetSlot(int cabinet, int slot);
    // Stores Level, Latency, Low-Cut or High-Cut (index 0–3) limited to 0–100 and returns what
    // was stored; the caller sends it.
    int storeValue(int cabinet, int index, int value);
    void storeCurrentPreset();
    bool hasUserIr(int slot) const;
    QString slotName(int slot) const;
    static QString factoryName(int slot);

signals:
    void emitUpdateIR();
    void emitUpdateCAB();
    void emitUpdateBypass();
    void emitUpdatePresetIndex();

private slots:
    void dataAnalysis(std::vector<unsigned char> Data);

private:
    void selectStoredPreset(int preset);
    void setCabinetValue(const std::vector<unsigned char>& data, int valueIndex);

    // Guarded: the main window destroys the write thread before the parser.
    QPointer<QUsbWriteThread> mWriteThread;
    std::unique_ptr<DeviceState> mState;
    std::unique_ptr<ProductInfo> mInfo;
};
