#ifndef INTERFACEPORT_H
#define INTERFACEPORT_H

#include <QList>
#include <QString>

#include <functional>

// What the window needs to know of an attached serial port to list it as an interface.
struct interfacePort
{
    QString portName;
    QString description;
    QString manufacturer;
    QString serialNumber;
};

// Where the window learns which ports are attached; tests hand in ports of their own.
using interfacePortSource = std::function<QList<interfacePort>()>;

QList<interfacePort> systemInterfacePorts();

#endif
