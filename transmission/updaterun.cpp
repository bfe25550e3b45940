#include "updaterun.h"
#include "serialportthread.h"

#include <QFileInfo>

#include <csignal>

updateRun::updateRun(const QString &portName, const QString &updateFile)
    : worker(new serialPortThread(portName, QFileInfo(updateFile)))
{
    worker->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, worker, &QObject::deleteLater);
}

updateRun::~updateRun()
{
    end();
}

// SIGINT and SIGTERM are for the thread that handles them: in the worker's they would end its
// port calls. A thread takes its creator's signal mask, so both are blocked around its start.
void updateRun::start()
{
    sigset_t stopSignals;
    sigset_t previous;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);
    thread.start();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    QMetaObject::invokeMethod(worker, &serialPortThread::startSending, Qt::QueuedConnection);
}

void updateRun::cancel()
{
    worker->cancelSending();
}

bool updateRun::end(QDeadlineTimer deadline)
{
    thread.quit();
    return thread.wait(deadline);
}
