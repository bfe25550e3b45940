#include "updateduration.h"

#include <cmath>
#include <limits>

namespace {

// 32 MiB of exact times: every update file in the field has far fewer lines, and a disk image
// renamed to .dmx costs no more than that.
constexpr int exactEntries = 4 * 1024 * 1024;

} // namespace

// Every line takes at least one byte, so a small file reserves little, and none grows.
void updateDuration::reserveFor(qint64 fileBytes)
{
    doneAfter.reserve(int(qMin<qint64>(exactEntries, fileBytes)));
}

// One line takes at most about 50 days, so only the sum can overflow.
void updateDuration::lineDone(qint64 lineNanoseconds)
{
    const qint64 largest = std::numeric_limits<qint64>::max();
    total = lineNanoseconds > largest - total ? largest : total + lineNanoseconds;
    // Pairs of stretches merge into one, which keeps the later time of the two.
    if (doneAfter.size() == exactEntries) {
        for (int entry = 0; entry < exactEntries / 2; ++entry)
            doneAfter[entry] = doneAfter[2 * entry + 1];
        doneAfter.resize(exactEntries / 2);
        linesPerEntry *= 2;
    }
    if (++lineCount % linesPerEntry == 0)
        doneAfter.append(total);
}

// Inside a stretch only the time up to its start counts as done: what is left then stands
// still until the stretch is over, and never runs ahead of the update.
qint64 updateDuration::remainingAfter(qint64 lines) const
{
    if (lines >= lineCount)
        return 0;
    const qint64 stretches = qMax<qint64>(lines, 0) / linesPerEntry;
    return total - (stretches > 0 ? doneAfter[int(stretches - 1)] : 0);
}

qint64 updateDuration::timeLeft(qint64 linesDone, qint64 nanosecondsSince) const
{
    return qMax(remainingAfter(linesDone + 1), remainingAfter(linesDone) - nanosecondsSince);
}

QString updateDuration::text(qint64 nanoseconds)
{
    const double seconds = nanoseconds / 1e9;
    const qint64 tens = qint64(std::ceil(seconds / 10)) * 10;
    if (tens < 60)
        return tr("%1 s").arg(tens);
    const qint64 minutes = qMax<qint64>(1, std::llround(seconds / 60));
    if (minutes < 120)
        return tr("%1 min").arg(minutes);
    const qint64 hours = std::llround(seconds / 3600);
    if (hours < 48)
        return tr("%1 h").arg(hours);
    return tr("%n days", nullptr, int(std::llround(seconds / 86400)));
}

QString updateDuration::takesAbout() const
{
    return tr("The update takes about %1").arg(text(total));
}
