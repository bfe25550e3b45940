#ifndef INTERFACEPORT_H
#define INTERFACEPORT_H

#include <QList>
#include <QString>

#include <functional>

// An attached serial port as the front ends list it among the interfaces.
struct interfacePort
{
    QString portName;
    QString description;
    QString manufacturer;
    QString serialNumber;

    // Ports that report no serial number are not listed.
    bool isListed() const { return !serialNumber.isEmpty(); }
    // The interface box is built on a Silicon Labs USB-to-serial chip.
    bool isInterfaceBox() const { return manufacturer == "Silicon Labs"; }
    // How the Interfaces menu names it, as in "Silicon Labs 0001(Veskor)".
    QString menuText() const;
};

// Where a front end learns which ports are attached; tests hand in ports of their own.
using interfacePortSource = std::function<QList<interfacePort>()>;

QList<interfacePort> systemInterfacePorts();

#endif
