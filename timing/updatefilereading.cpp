#include "updatefilereading.h"
#include "linetiming.h"
#include "updatefilereader.h"

#include <QFileInfo>

updateFileReading updateFileReading::of(const QString &path)
{
    const std::atomic<bool> never{false};
    return of(path, never);
}

updateFileReading updateFileReading::of(const QString &path, const std::atomic<bool> &stop)
{
    updateFileReading reading;
    updateFileReader file(path);
    if (!file.open())
        return reading;
    reading.time.reserveFor(QFileInfo(path).size());
    int lastFrameSize = 0;
    while (!file.atEnd()) {
        if (stop)
            return updateFileReading();
        const updateFileLine line = file.nextLine();
        qint64 lineTime = 0;
        if (!line.isComment) {
            const int size = line.frameData.size();
            lineTime =
                lineTiming::timesSent(size, lastFrameSize) * lineTiming::frameNanoseconds(size) +
                qint64(line.frameHoldTime) * 1000000;
            lastFrameSize = size;
        }
        reading.time.lineDone(lineTime);
    }
    if (file.failed()) {
        reading.problem = file.failure();
        reading.time = updateDuration();
        return reading;
    }
    reading.complete = true;
    reading.time.known = true;
    return reading;
}
