#pragma once

#include "relay/SerialSystem.h"

// Serial ports through QSerialPort and QSerialPortInfo.
class QtSerialSystem : public SerialSystem
{
public:
    QList<SerialPortEntry> ports() override;
    std::unique_ptr<SerialLink> open(const QString& port, RelayFailure& failure, QString& detail) override;
    QString resolve(const QString& port) override;
};
