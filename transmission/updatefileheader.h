#ifndef UPDATEFILEHEADER_H
#define UPDATEFILEHEADER_H

#include <QString>

class QIODevice;

// The four comment lines that open an update file and name the firmware and its fixture.
struct updateFileHeader
{
    QString applicationName;
    QString vendorName;
    QString fixtureName;
    QString applicationVersion;

    bool isComplete() const;

    static updateFileHeader read(QIODevice &file);
};

#endif
