#include "updaterun.h"
#include "serialportthread.h"

#include <QFileInfo>

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
    thread.start();
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
