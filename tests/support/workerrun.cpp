#include "workerrun.h"
#include "serialportthread.h"

#include <QEventLoop>
#include <QTimer>

workerRun::workerRun(const QString &portName, const QString &updateFile, bool cancelAtOnce)
    : run(portName, updateFile), worker(run.worker)
{
    clock.start();
    connect(worker, &serialPortThread::finished, this, [this] { note("finished"); });
    connect(worker, &serialPortThread::canceled, this, [this] { note("canceled"); });
    connect(worker, &serialPortThread::portStatusChanged, this,
            [this](qlonglong status) { note(QString("status %1").arg(status)); });
    connect(worker, &serialPortThread::sendError, this,
            [this](const QString &error) { note("error " + error); });
    connect(worker, &serialPortThread::updateFileLength, this,
            [this](int length) { lineCount = length; });
    connect(worker, &serialPortThread::updateProgress, this, [this](int step) {
        progress += step;
        longestLine = qMax(longestLine, microseconds() - lineDoneAt);
        lineDoneAt = microseconds();
    });
    if (cancelAtOnce)
        cancel();
    run.start();
}

workerRun::~workerRun()
{
    end();
}

// As the window does it: a direct call from this thread, which the worker sees even in a hold.
void workerRun::cancel()
{
    run.cancel();
}

// The reports come as queued calls, so this thread takes events in while it waits for them.
bool workerRun::end(int limitMilliseconds, int graceMilliseconds)
{
    if (run.isEnded())
        return !reports.isEmpty();
    const QDeadlineTimer deadline(limitMilliseconds);
    if (reports.isEmpty())
        takeEventsIn(deadline.remainingTime(), true);
    const bool ended = run.end(deadline) && !reports.isEmpty();
    if (run.isEnded())
        takeEventsIn(graceMilliseconds, false);
    return ended;
}

void workerRun::takeEventsIn(qint64 milliseconds, bool untilReported)
{
    QEventLoop loop;
    QTimer::singleShot(qMax<qint64>(0, milliseconds), &loop, &QEventLoop::quit);
    waiting = untilReported ? &loop : nullptr;
    loop.exec();
    waiting = nullptr;
}

void workerRun::note(const QString &report)
{
    if (reports.isEmpty())
        reportedAt = microseconds();
    reports << report;
    if (waiting)
        waiting->quit();
}
