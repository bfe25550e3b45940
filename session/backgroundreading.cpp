#include "backgroundreading.h"

#include <QtConcurrentRun>

backgroundReading::backgroundReading(const QString &path)
    : stop(std::make_shared<std::atomic<bool>>(false))
{
    connect(&watcher, &QFutureWatcherBase::finished, this, [this] {
        reading = watcher.result();
        done = true;
        emit finished();
    });
    watcher.setFuture(
        QtConcurrent::run([path, stop = stop] { return updateFileReading::of(path, *stop); }));
}

backgroundReading::~backgroundReading()
{
    *stop = true;
}
