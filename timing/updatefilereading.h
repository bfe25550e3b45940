#ifndef UPDATEFILEREADING_H
#define UPDATEFILEREADING_H

#include "updateduration.h"

#include <QString>

#include <atomic>

// One pass over an update file, the way the worker reads it, before anything is sent: how long
// the update takes. A file that cannot be opened gives a reading that is not complete and no
// failure, since the worker then reports it; a read that fails part-way gives the failure.
class updateFileReading
{
public:
    static updateFileReading of(const QString &path);
    // The same, but a reading that `stop`, set from any thread, ended early (the file was
    // replaced meanwhile, the start was canceled, or the program ends) is not complete.
    static updateFileReading of(const QString &path, const std::atomic<bool> &stop);

    bool isComplete() const { return complete; }
    // Why the file could not be read to its end, as the technician reads it; empty otherwise.
    QString failure() const { return problem; }
    const updateDuration &duration() const { return time; }

private:
    bool complete = false;
    QString problem;
    updateDuration time;
};

#endif
