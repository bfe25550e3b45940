#ifndef WORKERRUN_H
#define WORKERRUN_H

#include "updaterun.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

class QEventLoop;
class serialPortThread;

// One update by the real worker in a thread of its own, started and ended the way the window
// does it. Every end report is kept in order, so that a missing or a repeated one shows:
// "finished", "canceled", "status <port error code>" or "error <message>".
class workerRun : public QObject
{
    updateRun run;

public:
    // With cancelAtOnce the cancel comes before the worker's thread even starts.
    workerRun(const QString &portName, const QString &updateFile, bool cancelAtOnce = false);
    ~workerRun() override;

    void cancel();
    // True when an end report came and the thread finished within the limit; then takes
    // queued reports in for the grace time, so that a duplicate behind the first one shows.
    bool end(int limitMilliseconds = 20000, int graceMilliseconds = 0);
    bool stuck() const { return !run.isEnded(); }
    qint64 microseconds() const { return clock.nsecsElapsed() / 1000; } // since the start

    serialPortThread *const worker;
    QStringList reports;
    qint64 reportedAt = -1; // as microseconds()
    int lineCount = -1;
    int progress = 0;
    // The longest time between two progress steps, as seen from this thread.
    qint64 longestLine = 0;

private:
    void note(const QString &report);
    void takeEventsIn(qint64 milliseconds, bool untilReported);

    QElapsedTimer clock;
    qint64 lineDoneAt = 0;
    QEventLoop *waiting = nullptr;
};

#endif
