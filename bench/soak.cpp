#include "pseudoterminal.h"
#include "systemcallrecorder.h"
#include "workerrun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QVector>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/resource.h>

using systemCallRecorder::call;

namespace {

constexpr quint32 defaultSeed = 20240611;
constexpr int dataLines = 30;
constexpr int cancelRuns = 200;
constexpr int holdCancelRuns = 60;
// A cancel in a hold must show as "Canceled!" within this many microseconds.
constexpr qint64 holdCancelLimit = 100000;
constexpr int unplugRuns = 50;
constexpr int stallRuns = 20;
// A stall is found within a second of the port call that it holds; the run then ends at once.
constexpr qint64 stallLimit = 3000000;
constexpr int baselineRuns = 10;
// Generous: a complete run takes about half a second.
constexpr qint64 runLimitMilliseconds = 10000;
// A duplicate report would be queued right behind the first one; this lets it arrive.
constexpr int graceMilliseconds = 50;
constexpr long memoryGrowthTargetKb = 2048;
// AddressSanitizer holds freed blocks in quarantine, so its peak grows until that is full.
#ifdef __SANITIZE_ADDRESS__
constexpr bool memoryJudged = false;
#else
constexpr bool memoryJudged = true;
#endif

void print(const QString &text)
{
    std::fputs(qPrintable(text + '\n'), stdout);
    std::fflush(stdout);
}

long peakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

const char *memoryVerdict(bool held)
{
    if (!memoryJudged)
        return "not judged under AddressSanitizer";
    return held ? "PASS" : "FAIL";
}

// Lines of varying length, so that most go out repeated, with short holds: a complete update
// takes about half a second.
QString writeUpdateFile(const QTemporaryDir &directory, QRandomGenerator &random)
{
    const QString path = directory.filePath("soak.dmx");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    for (int line = 0; line < dataLines; ++line) {
        QByteArray text = QByteArray::number(random.bounded(21));
        for (int byte = random.bounded(1, 33); byte > 0; --byte)
            text += ' ' + QByteArray::number(random.bounded(256), 16);
        file.write(text + '\n');
    }
    return path;
}

struct tally
{
    explicit tally(const char *name, qint64 answerLimit = 0) : name(name), answerLimit(answerLimit)
    {
    }

    const char *name;
    qint64 answerLimit; // µs within which a strike must be answered by an end report; 0: none
    int runs = 0;
    int reportCounts[3] = {}; // runs with 0, 1, 2 or more end reports
    QMap<QString, int> endings;
    int hangs = 0;
    int late = 0;
    qint64 milliseconds = 0;
    qint64 slowestAnswer = 0;
    qint64 longestLine = 0;
    QStringList odd;
    QVector<qint64> answers;

    bool clean() const { return hangs == 0 && late == 0 && reportCounts[1] == runs; }
};

// Starts a run, strikes it after about `delay` microseconds and counts how it ended.
void strikeRun(tally &counts, const QString &portName, const QString &updateFile, int delay,
               const std::function<void(workerRun &)> &strike)
{
    QElapsedTimer clock;
    clock.start();
    auto run = std::make_unique<workerRun>(portName, updateFile);
    QThread::usleep(delay);
    strike(*run);
    // Measured, not planned: the sleep overshoots, and a hang-up takes a moment itself.
    const qint64 struckAt = run->microseconds();
    const bool ended = run->end(runLimitMilliseconds, graceMilliseconds);
    counts.milliseconds += clock.elapsed();

    const QStringList &reports = run->reports;
    ++counts.reportCounts[qMin(reports.size(), 2)];
    for (const QString &report : reports)
        ++counts.endings[report];
    const qint64 answer = reports.isEmpty() ? 0 : run->reportedAt - struckAt;
    const bool late = counts.answerLimit > 0 && answer > counts.answerLimit;
    counts.slowestAnswer = qMax(counts.slowestAnswer, answer);
    counts.answers << answer;
    counts.longestLine = qMax(counts.longestLine, run->longestLine);
    counts.late += late;
    counts.hangs += !ended;
    if (!ended || reports.size() != 1 || late)
        counts.odd << QString("run %1, struck after %2 µs: %3, reported %4 µs after the strike%5")
                          .arg(counts.runs)
                          .arg(struckAt)
                          .arg(reports.isEmpty() ? "no report" : reports.join(" + "))
                          .arg(answer)
                          .arg(ended ? "" : ", not ended within the limit");
    ++counts.runs;
    // A thread that still runs cannot be destroyed; it is left behind.
    if (run->stuck())
        run.release();
}

void printTally(const tally &counts)
{
    print(QString::asprintf("%s: %d runs in %.1f s (mean %lld ms per run, grace included)",
                            counts.name, counts.runs, counts.milliseconds / 1000.0,
                            counts.milliseconds / counts.runs));
    print(QString::asprintf("  end reports per run: 0: %d   1: %d   2+: %d;   hangs: %d",
                            counts.reportCounts[0], counts.reportCounts[1], counts.reportCounts[2],
                            counts.hangs));
    for (auto ending = counts.endings.cbegin(); ending != counts.endings.cend(); ++ending)
        print(QString("  %1 x %2").arg(ending.value(), 4).arg(ending.key()));
    QVector<qint64> answers = counts.answers;
    std::sort(answers.begin(), answers.end());
    print(QString::asprintf("  end report after the strike: median %.1f ms, slowest %.1f ms; "
                            "later than %.1f ms: %d runs",
                            answers.value(answers.size() / 2) / 1000.0,
                            counts.slowestAnswer / 1000.0, counts.answerLimit / 1000.0,
                            counts.late));
    for (const QString &odd : counts.odd)
        print("  ODD " + odd);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (!systemCallRecorder::isActive()) {
        std::fputs("ioctl() is not interposed: no modem lines on the pseudo-terminal\n", stderr);
        return 2;
    }
    const quint32 seed = argc > 1 ? QByteArray(argv[1]).toUInt() : defaultSeed;
    QRandomGenerator random(seed);
    QTemporaryDir directory;
    const QString updateFile = writeUpdateFile(directory, random);
    pseudoTerminal line(false);

    // One complete run gives the range of the strike moments, and how soon a strike must be
    // answered. A cancel ends the update after the frames of the current line at the latest; a
    // port error shows at the next frame, so within two lines.
    tally complete("complete run");
    systemCallRecorder::watch(line.device()); // to count its frames
    strikeRun(complete, line.portName(), updateFile, 0, [](workerRun &) {});
    const int frames = systemCallRecorder::callCount(call::write);
    systemCallRecorder::stopWatching();
    const int duration = int(complete.slowestAnswer);
    const qint64 answerLimit = 2 * complete.longestLine;
    print(QString::asprintf("seed %u, %d data lines: complete run %.1f ms, longest line %.1f ms",
                            seed, dataLines, duration / 1000.0, complete.longestLine / 1000.0));
    printTally(complete);

    tally canceled("cancel at a random moment", complete.longestLine);
    long baselineKb = 0;
    for (int run = 0; run < cancelRuns; ++run) {
        strikeRun(canceled, line.portName(), updateFile, random.bounded(duration + 1),
                  [](workerRun &soak) { soak.cancel(); });
        if (run + 1 == baselineRuns)
            baselineKb = peakResidentKb();
    }
    printTally(canceled);

    // The first line's frames take a few milliseconds; its hold lasts until about 300 ms.
    const QString holdFile = directory.filePath("hold.dmx");
    QFile hold(holdFile);
    if (!hold.open(QIODevice::WriteOnly) || hold.write("300 01 02 03\n0 04 05 06\n") < 0)
        qFatal("cannot write %s", qPrintable(holdFile));
    hold.close();
    tally inHold("cancel in a hold", holdCancelLimit);
    for (int run = 0; run < holdCancelRuns; ++run)
        strikeRun(inHold, line.portName(), holdFile, random.bounded(30000, 270000),
                  [](workerRun &soak) { soak.cancel(); });
    printTally(inHold);

    // The box goes away (its side of the line hangs up), or the system calls start failing.
    tally hungUp("unplug by hang-up", answerLimit);
    tally failing("unplug by EIO on write and break", answerLimit);
    for (int run = 0; run < unplugRuns; ++run) {
        pseudoTerminal box(false);
        const bool hangUp = run % 2 == 0;
        systemCallRecorder::watch(box.device());
        strikeRun(hangUp ? hungUp : failing, box.portName(), updateFile,
                  random.bounded(duration + 1), [&](workerRun &) {
                      if (hangUp)
                          return box.hangUp();
                      systemCallRecorder::inject(call::write, EIO);
                      systemCallRecorder::inject(call::breakOn, EIO);
                  });
        systemCallRecorder::stopWatching();
    }
    printTally(hungUp);
    printTally(failing);

    // The box stops taking data while still plugged in, from a random frame of the update on.
    tally stalled("stall while plugged in", stallLimit);
    for (int run = 0; run < stallRuns; ++run) {
        pseudoTerminal box(false);
        systemCallRecorder::watch(box.device());
        systemCallRecorder::stallOutput(random.bounded(1, frames + 1));
        strikeRun(stalled, box.portName(), updateFile, 0, [](workerRun &) {});
        systemCallRecorder::stopWatching();
    }
    printTally(stalled);

    const long endKb = peakResidentKb();
    const bool memoryHeld = endKb - baselineKb <= memoryGrowthTargetKb;
    print(QString::asprintf("peak RSS after %d runs %ld kB, at the end %ld kB: growth %ld kB, "
                            "target <= %ld kB %s",
                            baselineRuns + 1, baselineKb, endKb, endKb - baselineKb,
                            memoryGrowthTargetKb, memoryVerdict(memoryHeld)));
    const bool clean = complete.clean() && complete.endings.contains("finished") &&
                       canceled.clean() && inHold.clean() &&
                       inHold.endings == QMap<QString, int>{{"canceled", holdCancelRuns}} &&
                       hungUp.clean() && failing.clean() && stalled.clean() &&
                       stalled.endings == QMap<QString, int>{{"status 12", stallRuns}};
    print(QString("every run ended with exactly one end report, in time, none hung: %1")
              .arg(clean ? "PASS" : "FAIL"));
    return clean && (memoryHeld || !memoryJudged) ? 0 : 1;
}
