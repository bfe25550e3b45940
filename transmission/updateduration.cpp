#include "updateduration.h"
#include "linetiming.h"
#include "updatefilereader.h"

#include <cmath>

updateDuration updateDuration::of(const QString &path)
{
    updateDuration duration;
    updateFileReader file(path);
    if (!file.open())
        return duration;
    qint64 elapsed = 0;
    int lastFrameSize = 0;
    while (!file.atEnd()) {
        const updateFileLine line = file.nextLine();
        if (!line.isComment) {
            const int size = line.frameData.size();
            elapsed +=
                lineTiming::timesSent(size, lastFrameSize) * lineTiming::frameNanoseconds(size) +
                qint64(line.frameHoldTime) * 1000000;
            lastFrameSize = size;
        }
        duration.doneAfter.append(elapsed);
    }
    duration.known = true;
    return duration;
}

qint64 updateDuration::remainingAfter(int lines) const
{
    if (doneAfter.isEmpty())
        return 0;
    return doneAfter.last() - (lines > 0 ? doneAfter.value(qMin(lines, doneAfter.size()) - 1) : 0);
}

qint64 updateDuration::timeLeft(int linesDone, qint64 nanosecondsSince) const
{
    return qMax(remainingAfter(linesDone + 1), remainingAfter(linesDone) - nanosecondsSince);
}

QString updateDuration::text(qint64 nanoseconds)
{
    const double seconds = nanoseconds / 1e9;
    const qint64 tens = qint64(std::ceil(seconds / 10)) * 10;
    if (tens < 60)
        return QString("%1 s").arg(tens);
    const qint64 minutes = qMax<qint64>(1, std::llround(seconds / 60));
    if (minutes < 120)
        return QString("%1 min").arg(minutes);
    const qint64 hours = std::llround(seconds / 3600);
    if (hours < 48)
        return QString("%1 h").arg(hours);
    return QString("%1 days").arg(std::llround(seconds / 86400));
}
