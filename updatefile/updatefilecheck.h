#ifndef UPDATEFILECHECK_H
#define UPDATEFILECHECK_H

#include "updatefileheader.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

// A file that the technician chooses as the update: it must be a regular file that can be read.
// A named pipe or a device is not opened at all, as that would wait for somebody to write to it.
class updateFileCheck
{
    Q_DECLARE_TR_FUNCTIONS(updateFileCheck)

public:
    explicit updateFileCheck(const QString &path);

    bool passed() const { return problem.isEmpty(); }
    // Why the file cannot be sent, as the technician reads it; empty when it can.
    QString message() const;
    // The header of a file that passed, read from the file's start only, so that choosing a
    // file stays instant whatever it holds.
    updateFileHeader header();

private:
    QFile file;
    QString problem;
};

#endif
