#ifndef PORTERRORMESSAGE_H
#define PORTERRORMESSAGE_H

#include <QString>

// What the technician reads for a port error code (a QSerialPort::SerialPortError value), in both
// front ends: empty for NoError, which is no error, and "Serialport Error: " with the number for
// a code without a text of its own.
QString portErrorMessage(qlonglong code);

#endif
