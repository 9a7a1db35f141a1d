#pragma once

#include <QString>

// The pedal's identity as its answer to the identity request reports it.
class ProductInfo {
public:
    virtual ~ProductInfo() = default;

    QString deviceType;
    QString infoText1;
    QString firmwareVersion;
    QString infoText3;
    QString runMode;
};
