#include "interfaceport.h"

#include <QSerialPortInfo>

QString interfacePort::menuText() const
{
    return manufacturer + " " + serialNumber + (isInterfaceBox() ? "(Veskor)" : "");
}

QList<interfacePort> systemInterfacePorts()
{
    QList<interfacePort> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append(
            {info.portName(), info.description(), info.manufacturer(), info.serialNumber()});
    return ports;
}
