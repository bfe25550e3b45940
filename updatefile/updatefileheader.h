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
    // As the front ends show them: "Application v1.04" (the name's first character in upper
    // case) and "Vendor Fixture".
    QString applicationText() const;
    QString fixtureText() const;

    static updateFileHeader read(QIODevice &file);
};

#endif
