#ifndef BACKGROUNDREADING_H
#define BACKGROUNDREADING_H

#include "updatefilereading.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

// A reading of an update file in Qt's thread pool, so that neither front end waits for a long
// file: the window starts one when a file is chosen, and the update session takes it over at
// Start, or starts one of its own.
class backgroundReading : public QObject
{
    Q_OBJECT

public:
    explicit backgroundReading(const QString &path);
    // A reading still under way stops early rather than running on in the thread pool, where
    // the program would wait for it at its end.
    ~backgroundReading() override;

    bool isDone() const { return done; }
    // Complete once done(), unless the file could not be read.
    const updateFileReading &result() const { return reading; }

signals:
    void finished();

private:
    std::shared_ptr<std::atomic<bool>> stop;
    QFutureWatcher<updateFileReading> watcher;
    updateFileReading reading;
    bool done = false;
};

#endif
