#ifndef PROCESSLIVENESS_H
#define PROCESSLIVENESS_H

#include <QString>

// Whether a process still runs, known from what was recorded while it ran. Its id alone does
// not tell, as ids are reused: the process's start time and the boot it ran in go with it.
struct processLiveness
{
    QString bootId;
    qint64 processId = 0;
    // In clock ticks since the boot, field 22 of /proc/PID/stat.
    qint64 startTime = 0;

    static processLiveness ofThisProcess();
    // A zombie has ended too: it only waits for its parent to read its status.
    bool hasEnded() const;
};

#endif
