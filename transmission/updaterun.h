#ifndef UPDATERUN_H
#define UPDATERUN_H

#include <QDeadlineTimer>
#include <QString>
#include <QThread>

class serialPortThread;

// One update by the worker in a thread of its own, for those who drive it without a window: the
// worker is made and moved into its thread as the window does it, and deleted when the thread
// ends. Connect to the worker's signals before start().
class updateRun
{
public:
    updateRun(const QString &portName, const QString &updateFile);
    ~updateRun();

    serialPortThread *const worker;

    // The worker's thread starts with SIGINT and SIGTERM blocked.
    void start();
    // From the caller's thread, directly: the worker sees it even in a hold.
    void cancel();
    // Ends the worker's thread once its update is over; false when that did not happen in time.
    bool end(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    bool isEnded() const { return thread.isFinished(); }

private:
    QThread thread;
};

#endif
