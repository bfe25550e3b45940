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

void updateRun::start()
{
    sigset_t stop;
    sigset_t callers;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, &callers);
    thread.start();
    pthread_sigmask(SIG_SETMASK, &callers, nullptr);
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
