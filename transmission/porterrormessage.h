#ifndef PORTERRORMESSAGE_H
#define PORTERRORMESSAGE_H

#include <QString>

// What the technician reads for a port error code (a QSerialPort::SerialPortError value): empty
// for NoError and for codes that are not known.
QString portErrorMessage(int code);

#endif
