#include "linetiming.h"
#include "pseudoterminal.h"
#include "systemcallrecorder.h"
#include "updatefilereading.h"
#include "workerrun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sys/resource.h>

using systemCallRecorder::call;

namespace {

// The program's reading of a file before it is sent (the duration model, the lines that are not
// frame data and the SHA-256 of its bytes) takes less than this for a file of this many lines.
constexpr qint64 modelLinesTarget = 200000;
constexpr double modelMillisecondsTarget = 200;

struct updateFile
{
    const char *name;
    int lines;
    int dataBytes;
    int maxHold;
};

const updateFile files[] = {{"A", 2000, 512, 2}, {"B", 5000, 10, 0}, {"C", 200000, 1, 0}};

// Each run is a process of its own so that its peak RSS belongs to one file. Timed runs record
// every break and write; the others record nothing, so their memory is the worker's alone.
struct benchRun
{
    int file;
    bool timed;
    double ratioTarget; // 0: no target
    double cpuTarget;   // 0: no target
};

const benchRun runs[] = {
    {0, true, 1.025, 0.05}, {1, true, 1.15, 0}, {0, false, 0, 0}, {2, false, 0, 0}};
constexpr int memoryBaseline = 2;
constexpr int memoryRun = 3;
constexpr long memoryMarginKb = 5 * 1024;

void say(const QString &text)
{
    QTextStream out(stdout);
    out << text << '\n';
}

QString verdict(bool pass)
{
    return pass ? "PASS" : "FAIL";
}

QString writeUpdateFile(const QTemporaryDir &directory, const updateFile &file)
{
    static const char digits[] = "0123456789ABCDEF";
    const QString path = directory.filePath(QString("%1.dmx").arg(file.name));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    // A fixed seed, so that every run streams the same bytes and holds.
    QRandomGenerator random(4711);
    for (int line = 0; line < file.lines; ++line) {
        QByteArray text = QByteArray::number(random.bounded(file.maxHold + 1));
        for (int byte = 0; byte < file.dataBytes; ++byte) {
            const int value = random.bounded(256);
            text.append(' ').append(digits[value >> 4]).append(digits[value & 15]);
        }
        out.write(text.append('\n'));
    }
    return path;
}

struct wireModel
{
    qint64 frames = 0;
    qint64 bytes = 0;
    double microseconds = 0; // the program's estimate
};

// Frames and bytes are counted by the worker's own rules; the generated files have no comments.
wireModel modelOf(const QString &path, double estimateMicroseconds)
{
    wireModel model;
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    int lastSize = 0;
    while (!in.atEnd()) {
        const int size = in.readLine().count(' ');
        const int frames = lineTiming::timesSent(size, lastSize);
        lastSize = size;
        model.frames += frames;
        model.bytes += frames * (1 + size);
    }
    model.microseconds = estimateMicroseconds;
    return model;
}

struct spread
{
    double min = 0, median = 0, p99 = 0, mean = 0;
};

spread spreadOf(QVector<double> values)
{
    if (values.isEmpty())
        return {};
    std::sort(values.begin(), values.end());
    const auto rank = [&](double share) {
        return values[std::max(0, int(std::ceil(share * values.size())) - 1)];
    };
    double sum = 0;
    for (double value : values)
        sum += value;
    return {values.first(), rank(0.5), rank(0.99), sum / values.size()};
}

struct frameTimes
{
    QVector<double> breaks;
    QVector<double> marks;
    int writes = 0;
};

// Break runs from TIOCSBRK to TIOCCBRK, mark after break from TIOCCBRK to the frame's write.
frameTimes frameTimesOf(const QList<systemCallRecorder::event> &events)
{
    frameTimes times;
    qint64 breakOn = -1, breakOff = -1;
    for (const systemCallRecorder::event &event : events) {
        if (event.what == call::breakOn) {
            breakOn = event.nanoseconds;
        } else if (event.what == call::breakOff) {
            if (breakOn >= 0)
                times.breaks << (event.nanoseconds - breakOn) / 1000.0;
            breakOn = -1;
            breakOff = event.nanoseconds;
        } else if (event.what == call::write) {
            ++times.writes;
            if (breakOff >= 0)
                times.marks << (event.nanoseconds - breakOff) / 1000.0;
            breakOff = -1;
        }
    }
    return times;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct sendResult
{
    QString error;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    int progress = 0;
};

// Drives the worker the way the window does: its own thread, a queued start, progress counted.
sendResult send(const QString &portName, const QString &path)
{
    constexpr int hourMilliseconds = 3600 * 1000;
    sendResult result;
    const double cpuBefore = cpuSeconds();
    workerRun run(portName, path);
    if (!run.end(hourMilliseconds))
        result.error = "no end within an hour";
    else if (run.reports != QStringList{"finished"})
        result.error = run.reports.join(", ");
    result.wallSeconds = run.reportedAt / 1e6;
    result.cpuSeconds = cpuSeconds() - cpuBefore;
    result.progress = run.progress;
    return result;
}

// One run in this process; exits 0 when every target is met, 1 when one is missed, 2 when the
// run itself broke.
int runChild(const benchRun &run, const QString &path, double estimateMicroseconds)
{
    const wireModel model = modelOf(path, estimateMicroseconds);
    pseudoTerminal line(false);
    if (run.timed)
        systemCallRecorder::watch(line.device());
    const sendResult result = send(line.portName(), path);
    systemCallRecorder::stopWatching();
    // The reader may still be one frame behind the worker.
    QElapsedTimer catchUp;
    catchUp.start();
    while (line.receivedCount() < model.bytes && catchUp.elapsed() < 2000)
        QThread::msleep(10);

    bool met = true;
    const auto target = [&](bool pass) {
        met = met && pass;
        return verdict(pass);
    };
    if (!result.error.isEmpty())
        say("  the worker failed: " + result.error);
    const bool complete = result.error.isEmpty() && line.receivedCount() == model.bytes &&
                          result.progress == files[run.file].lines;
    say(QString("  lines sent %1 of %2, bytes on the line %3 of %4, frames in the model %5")
            .arg(result.progress)
            .arg(files[run.file].lines)
            .arg(line.receivedCount())
            .arg(model.bytes)
            .arg(model.frames));

    // The window shows the estimate before Start, and the technician waits for "Finished!".
    const double ratio = result.wallSeconds * 1e6 / model.microseconds;
    QString ratioLine = QString("  Start to Finished / estimate  %1 s / %2 s = %3")
                            .arg(result.wallSeconds, 0, 'f', 3)
                            .arg(model.microseconds / 1e6, 0, 'f', 3)
                            .arg(ratio, 0, 'f', 4);
    if (run.ratioTarget > 0)
        ratioLine += QString("   target 0.97 to %1  %2")
                         .arg(run.ratioTarget)
                         .arg(target(ratio >= 0.97 && ratio <= run.ratioTarget));
    say(ratioLine);
    const double excess = (result.wallSeconds * 1e6 - model.microseconds) / model.frames;

    if (run.timed) {
        const frameTimes times = frameTimesOf(systemCallRecorder::events());
        const spread breaks = spreadOf(times.breaks);
        const spread marks = spreadOf(times.marks);
        say(QString("  frames recorded        %1 breaks, %2 marks, %3 writes (model %4)")
                .arg(times.breaks.size())
                .arg(times.marks.size())
                .arg(times.writes)
                .arg(model.frames));
        say(QString("  break µs               min %1  median %2  p99 %3   median <= 560 %4  "
                    "p99 <= 700 %5")
                .arg(breaks.min, 0, 'f', 1)
                .arg(breaks.median, 0, 'f', 1)
                .arg(breaks.p99, 0, 'f', 1)
                .arg(target(breaks.median <= 560))
                .arg(target(breaks.p99 <= 700)));
        say(QString("  mark after break µs    min %1  median %2  p99 %3   median <= 140 %4")
                .arg(marks.min, 0, 'f', 1)
                .arg(marks.median, 0, 'f', 1)
                .arg(marks.p99, 0, 'f', 1)
                .arg(target(marks.median <= 140)));
        say(QString("  excess per frame µs    %1 = break %2 + mark %3 + the rest %4 (means)")
                .arg(excess, 0, 'f', 1)
                .arg(breaks.mean - 500, 0, 'f', 1)
                .arg(marks.mean - 100, 0, 'f', 1)
                .arg(excess - (breaks.mean - 500) - (marks.mean - 100), 0, 'f', 1));
        met = met && times.breaks.size() == model.frames && times.writes == model.frames;
    } else {
        say(QString("  excess per frame µs    %1 (mean)").arg(excess, 0, 'f', 1));
    }

    const double cpuShare = result.cpuSeconds / result.wallSeconds;
    QString cpuLine = QString("  CPU / wall             %1 s / %2 s = %3 %")
                          .arg(result.cpuSeconds, 0, 'f', 3)
                          .arg(result.wallSeconds, 0, 'f', 3)
                          .arg(cpuShare * 100, 0, 'f', 2);
    if (run.cpuTarget > 0)
        cpuLine += QString("   target <= %1 %  %2")
                       .arg(run.cpuTarget * 100)
                       .arg(target(cpuShare <= run.cpuTarget));
    say(cpuLine);
    say(QString("  peak RSS               %1 kB").arg(peakRssKb()));
    if (!complete)
        return 2;
    return met ? 0 : 1;
}

QString describe(const benchRun &run)
{
    const updateFile &file = files[run.file];
    return QString("%1: %2 lines of %3 data bytes, holds 0-%4 ms; %5")
        .arg(file.name)
        .arg(file.lines)
        .arg(file.dataBytes)
        .arg(file.maxHold)
        .arg(run.timed ? "breaks and writes recorded"
                       : "nothing recorded (memory run, fresh process)");
}

// Generates the files the selected runs need and runs each in a fresh copy of this program.
int runAll(const QString &only)
{
    QTemporaryDir directory;
    QString paths[std::size(files)];
    double estimates[std::size(files)] = {}; // µs
    long rssKb[std::size(runs)] = {};
    int status = 0;
    for (int index = 0; index < int(std::size(runs)); ++index) {
        const benchRun &run = runs[index];
        if (!only.isEmpty() && only != files[run.file].name)
            continue;
        if (paths[run.file].isEmpty()) {
            paths[run.file] = writeUpdateFile(directory, files[run.file]);
            QElapsedTimer reading;
            reading.start();
            estimates[run.file] =
                updateFileReading::of(paths[run.file]).duration().totalNanoseconds() / 1e3;
            const double milliseconds = reading.nsecsElapsed() / 1e6;
            QString line = QString("%1: the program's reading (duration, check, SHA-256) of its %2 "
                                   "lines takes %3 ms")
                               .arg(files[run.file].name)
                               .arg(files[run.file].lines)
                               .arg(milliseconds, 0, 'f', 1);
            if (files[run.file].lines >= modelLinesTarget) {
                line += QString("   target < %1 ms  %2")
                            .arg(modelMillisecondsTarget)
                            .arg(verdict(milliseconds < modelMillisecondsTarget));
                status = std::max(status, milliseconds < modelMillisecondsTarget ? 0 : 1);
            }
            say(line);
        }
        say(describe(run));
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--run", QString::number(index), paths[run.file],
                     QString::number(estimates[run.file], 'f', 0)});
        child.waitForFinished(-1);
        const QString output = QString::fromUtf8(child.readAllStandardOutput());
        QTextStream(stdout) << output;
        const bool exited = child.exitStatus() == QProcess::NormalExit;
        status = std::max(status, exited ? child.exitCode() : 2);
        const QRegularExpressionMatch rss = QRegularExpression("peak RSS +(\\d+) kB").match(output);
        if (exited && rss.hasMatch())
            rssKb[index] = rss.captured(1).toLong();
    }
    if (rssKb[memoryBaseline] > 0 && rssKb[memoryRun] > 0) {
        const long difference = rssKb[memoryRun] - rssKb[memoryBaseline];
        const bool pass = std::labs(difference) <= memoryMarginKb;
        status = std::max(status, pass ? 0 : 1);
        say(QString("peak RSS C - A (both unrecorded)  %1 kB - %2 kB = %3 kB   target within "
                    "5 MB  %4")
                .arg(rssKb[memoryRun])
                .arg(rssKb[memoryBaseline])
                .arg(difference)
                .arg(verdict(pass)));
    }
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (!systemCallRecorder::isActive()) {
        fprintf(stderr, "ioctl() is not interposed: no pseudo-terminal modem lines, no figures\n");
        return 2;
    }
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 4 && arguments[0] == "--run") {
        const int run = arguments[1].toInt();
        if (run < 0 || run >= int(std::size(runs)))
            return 2;
        return runChild(runs[run], arguments[2], arguments[3].toDouble());
    }
    const QString only = arguments.value(0);
    if (arguments.size() > 1 || (!only.isEmpty() && only != "A" && only != "B" && only != "C")) {
        fprintf(stderr, "usage: transmission-bench [A|B|C]\n");
        return 2;
    }
    return runAll(only);
}
