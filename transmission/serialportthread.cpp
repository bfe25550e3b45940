#include "serialportthread.h"
#include "linetiming.h"
#include "updatefilereader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QLoggingCategory>
#include <QThread>
#include <QTime>

#include <climits>
#include <sys/ioctl.h>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace {

// Off unless QT_LOGGING_RULES turns it on, as in "fixture-software-updater.worker.debug=true".
Q_LOGGING_CATEGORY(workerLog, "fixture-software-updater.worker", QtInfoMsg)

// A 513-byte frame takes 23 ms on the line; a port that keeps bytes much longer is stalled.
constexpr int writeTimeoutMilliseconds = 1000;
constexpr int drainTimeoutMilliseconds = 1000;
// The kernel holds a break request until the previous frame has left the driver, and close()
// until all has; neither takes long unless the interface stalled.
constexpr int breakTimeoutMilliseconds = 1000;
constexpr int closeTimeoutMilliseconds = 1000;
// After a cancel the technician waits: an output queue that stops moving for this long belongs
// to a stalled interface, even though the drain's bound has not passed yet.
constexpr int stuckQueueMilliseconds = 50;

constexpr qint64 canceledFrame = -3;

// A cancel is looked for this often during a hold.
constexpr qint64 holdSliceNanoseconds = 10000000;

// The frame timing is made of thread sleeps; Linux lets every sleep overshoot by up to the
// thread's timer slack (50 µs by default), which would stretch each break and mark after break.
void keepSleepsTight()
{
#ifdef Q_OS_LINUX
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
}

qint64 monotonicNanoseconds()
{
    return QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
}

// The comment lines left in the file, the one just read included; -1 when a data line follows
// or a read failed.
qint64 commentLinesLeft(updateFileReader &updateFile)
{
    qint64 comments = 1;
    for (; !updateFile.atEnd(); ++comments)
        if (!updateFile.nextLine().isComment || updateFile.failed())
            return -1;
    return comments;
}

} // namespace

serialPortThread::serialPortThread(QString portName, QFileInfo updateFile)
    : QObject(nullptr), updateFileInfo(std::move(updateFile)),
      startCodeBytes(QByteArray::fromRawData(&startCode, 1)), portName(std::move(portName))
{
}

serialPortThread::~serialPortThread() = default;

// The port is opened here, in the worker's thread and after the window has connected to the
// worker, so that every configuration problem reaches the technician.
void serialPortThread::startSending()
{
    keepSleepsTight();
    updateFileReader updateFile(updateFileInfo.filePath());
    if (!openUpdateFile(updateFile) || !openSerialPort(portName))
        return releasePort();
    const int lineCount = updateFile.countLines(cancelRequested);
    if (updateFile.failed())
        return endWithReadFailure(updateFile);
    // A cancel during the count of a long file: nothing has been sent.
    if (lineCount < 0) {
        releasePort();
        emit canceled();
        return;
    }
    emit updateFileLength(lineCount);

    // Each update starts without history, so its first frame always goes out repeated.
    int lastFrameSize = 0;
    qint64 sentBeforeHold = -1; // what the last data line sent; -1 once it is counted
    bool stoppedByCancel = false;
    qint64 commentsLeft = 0;
    while (!updateFile.atEnd()) {
        // The line is read during the previous line's hold. A cancel in that hold, or before
        // the first frame, ends the update before anything more is sent; when only comment
        // lines are left, nothing more was to be sent, and the update is complete.
        const updateFileLine line = updateFile.nextLine();
        if (updateFile.failed())
            return endWithReadFailure(updateFile);
        if (!holdUntil(holdEndsAt)) {
            commentsLeft = line.isComment ? commentLinesLeft(updateFile) : -1;
            if (updateFile.failed())
                return endWithReadFailure(updateFile);
            stoppedByCancel = commentsLeft < 0;
            break;
        }
        if (line.isComment) {
            countDataLine(sentBeforeHold);
            qCDebug(workerLog) << "Skipping comment line";
            emit updateProgress(1);
            continue;
        }
        qCDebug(workerLog) << "frameHoldTime" << line.frameHoldTime;

        const int frames = lineTiming::timesSent(line.frameData.size(), lastFrameSize);
        qint64 sent = 0;
        for (int frame = 1; frame <= frames && sent >= 0 && !failureReported; ++frame) {
            if (frame < frames)
                qCDebug(workerLog) << "Repeating current packet";
            sent = sendFrame(line.frameData);
            // The previous line is counted while this frame is on the line, where the time it
            // takes does not delay the next break.
            if (sent >= 0)
                countDataLine(sentBeforeHold);
        }
        lastFrameSize = line.frameData.size();
        // A cancel may end a break request that the kernel held; every frame before it is whole.
        if (sent == canceledFrame && !failureReported) {
            countDataLine(sentBeforeHold);
            stoppedByCancel = true;
            break;
        }
        if (sent < 0 || failureReported)
            return endWithFailure();

        // Lets the port report a problem noticed meanwhile, such as a hang-up.
        QCoreApplication::processEvents();
        if (failureReported)
            return endWithFailure();
        if (cancelRequested) {
            stoppedByCancel = true;
            break;
        }
        holdEndsAt = lineFreeAt + qint64(line.frameHoldTime) * 1000000;
        sentBeforeHold = sent;
    }

    // Every data line has been sent: a cancel in the last hold only ends that hold.
    if (!stoppedByCancel) {
        holdUntil(holdEndsAt);
        countDataLine(sentBeforeHold);
        for (; commentsLeft > 0; --commentsLeft)
            emit updateProgress(1);
    }
    if (!drainOutput())
        return endWithFailure();
    releasePort();
    if (stoppedByCancel)
        emit canceled();
    else
        emit finished();
}

// A data line counts once its hold is over, so that a full bar means that nothing is left to do.
// What it sent becomes -1 once it is counted.
void serialPortThread::countDataLine(qint64 &sent)
{
    if (sent < 0)
        return;
    qCDebug(workerLog) << QTime::currentTime().toString("hh:mm:ss.zzz") << "Sent:" << sent
                       << "bytes";
    qCDebug(workerLog) << "Next package:";
    emit updateProgress(1);
    sent = -1;
}

void serialPortThread::cancelSending()
{
    cancelRequested = true;
    waitLimit.interruptNow();
}

bool serialPortThread::openUpdateFile(updateFileReader &updateFile)
{
    if (updateFile.open())
        return true;
    qCDebug(workerLog) << "Couldn't open file" << updateFile.errorString();
    reportError(tr("Couldn't Open Update file:%1").arg(updateFileInfo.filePath()));
    return false;
}

bool serialPortThread::openSerialPort(const QString &portName)
{
    qCDebug(workerLog) << "Choosing " << portName;
    serialPort = new QSerialPort(portName, this);
    if (!serialPort->setBaudRate(250000, QSerialPort::AllDirections))
        return configurationFailed(tr("Unable to set Baudrate!"));
    if (!serialPort->setDataBits(QSerialPort::Data8))
        return configurationFailed(tr("Unable to set DataBits"));
    if (!serialPort->setParity(QSerialPort::NoParity))
        return configurationFailed(tr("Unable to set Parity"));
    if (!serialPort->setStopBits(QSerialPort::TwoStop))
        return configurationFailed(tr("Unable to set Stop Bits"));
    if (!serialPort->setFlowControl(QSerialPort::NoFlowControl))
        return configurationFailed(tr("Unable to set FlowControl"));
    if (!serialPort->open(QIODevice::ReadWrite)) {
        if (serialPort->error() != QSerialPort::NoError)
            reportPortError(serialPort->error());
        else
            reportError(tr("Unable to open the interface %1").arg(portName));
        return false;
    }
    if (serialPort->isTextModeEnabled())
        return configurationFailed(tr("Interface Text mode enabled"));
    if (!serialPort->setDataTerminalReady(true))
        return configurationFailed(tr("Unable to set DataTerminalReady"));
    serialPort->clear(QSerialPort::AllDirections);

    connect(serialPort, &QSerialPort::errorOccurred, this, &serialPortThread::portErrorOccurred);
    connect(serialPort, &QIODevice::aboutToClose, this, &serialPortThread::portClosing);
    connect(serialPort, &QSerialPort::dataTerminalReadyChanged, this,
            &serialPortThread::portClosing);
    return true;
}

bool serialPortThread::configurationFailed(const QString &message)
{
    reportError(message);
    return false;
}

// A run reports one failure and then ends; whatever the port raises afterwards is an echo of
// it. Clearing the error keeps later queries of the port from finding it again.
void serialPortThread::reportPortError(int error)
{
    if (!failureReported) {
        failureReported = true;
        emit portStatusChanged(static_cast<qlonglong>(static_cast<unsigned int>(error)));
    }
    serialPort->clearError();
}

void serialPortThread::reportRemainingPortError()
{
    if (serialPort->error() != QSerialPort::NoError)
        reportPortError(serialPort->error());
}

void serialPortThread::reportError(const QString &message)
{
    if (!failureReported) {
        failureReported = true;
        emit sendError(message);
    }
}

void serialPortThread::portErrorOccurred(QSerialPort::SerialPortError error)
{
    // Clearing an error is announced as NoError, which is no news. A break request that the
    // signal ended fails with EINTR, which Qt calls UnknownError; what it meant is decided by
    // the code that was waiting.
    if (error == QSerialPort::UnknownError && kernelWaitLimit::signalledDuringCall())
        serialPort->clearError();
    else if (error != QSerialPort::NoError)
        reportPortError(error);
}

void serialPortThread::portClosing()
{
    reportPortError(QSerialPort::NotOpenError);
}

// Break, mark after break, then the start code and the data in one write. Returns the number of
// data bytes sent, -1 when the port failed, -2 when it refused the write, canceledFrame when a
// cancel ended the break request that the kernel held.
qint64 serialPortThread::sendFrame(const QByteArray &data)
{
    sleepUntil(lineFreeAt);
    bool breakOn = false;
    if (waitLimit.run(breakTimeoutMilliseconds,
                      [this, &breakOn] { return breakOn = serialPort->setBreakEnabled(true); })) {
        // After a cancel, the drain that follows tells whether the interface stalled.
        if (cancelRequested)
            return canceledFrame;
        reportPortError(QSerialPort::TimeoutError);
        return -1;
    }
    if (!breakOn) {
        reportRemainingPortError();
        return -1;
    }
    sleepUntil(monotonicNanoseconds() + qint64(breakTime) * 1000);
    if (!serialPort->setBreakEnabled(false)) {
        reportRemainingPortError();
        return -1;
    }
    sleepUntil(monotonicNanoseconds() + qint64(markAfterBreakTime) * 1000);

    QByteArray frame;
    frame.reserve(startCodeBytes.size() + data.size());
    frame.append(startCodeBytes).append(data);
    const qint64 written = serialPort->write(frame.constData(), frame.size());
    if (written == 0) {
        qCDebug(workerLog) << "Failed to send";
        reportRemainingPortError();
        return -1;
    }
    if (written < 0)
        return -2;
    if (!waitUntilWritten())
        return -1;
    // The driver has taken the bytes; the line needs time to shift them all out, start code
    // included, before the next break. Reading the next line and the bookkeeping happen meanwhile.
    lastFrameLineTime = written * lineTiming::characterNanoseconds;
    lineFreeAt = monotonicNanoseconds() + lastFrameLineTime;
    return written - startCodeBytes.size();
}

// A hold is the one wait that a cancel may cut short. It sleeps in slices so that a cancel set
// from the window's thread is seen soon, whatever the length of the hold (a line may ask for
// 49 days); the last stretch is the precise sleep, so that the timing stays as written.
// Returns false when the update is to end without sending anything more.
bool serialPortThread::holdUntil(qint64 deadline)
{
    while (!cancelRequested && deadline - monotonicNanoseconds() > 2 * holdSliceNanoseconds)
        QThread::usleep(holdSliceNanoseconds / 1000);
    if (!cancelRequested)
        sleepUntil(deadline);
    return !cancelRequested;
}

// QSerialPort puts the port's previous settings back the moment it closes, whatever is still
// queued, so the tail of the last frame would leave at another speed. So the driver's queue is
// watched until it is empty, and then the line time of the last frame is waited for, since a
// UART's FIFO or a USB adapter's buffer may still hold all of it. A driver that does not empty
// its queue in time has a stalled interface behind it.
bool serialPortThread::drainOutput()
{
    const QDeadlineTimer bound(drainTimeoutMilliseconds, Qt::PreciseTimer);
    QDeadlineTimer stuck(stuckQueueMilliseconds, Qt::PreciseTimer);
    int lastQueued = INT_MAX;
    for (;;) {
        int queued = 0;
        if (ioctl(serialPort->handle(), TIOCOUTQ, &queued) != 0) {
            // The driver no longer answers, as when the interface has just been unplugged.
            reportPortError(QSerialPort::ResourceError);
            return false;
        }
        if (queued == 0)
            break;
        if (queued < lastQueued) {
            lastQueued = queued;
            stuck.setRemainingTime(stuckQueueMilliseconds, Qt::PreciseTimer);
        }
        if (bound.hasExpired() || (cancelRequested && stuck.hasExpired())) {
            reportPortError(QSerialPort::TimeoutError);
            return false;
        }
        QThread::usleep(static_cast<unsigned long>(
            qMin(queued * lineTiming::characterNanoseconds, holdSliceNanoseconds) / 1000));
    }
    sleepUntil(monotonicNanoseconds() + lastFrameLineTime);
    return true;
}

// Sleeps until the deadline and never less. Every sleep wakes up late by the platform's wake-up
// latency (tens of microseconds in a virtual machine), which would add to every break, mark
// after break and frame; so the sleep asks for that much less, and tops up when it woke early.
// The latency estimate follows a low quantile of what was seen, so that top-ups stay rare.
void serialPortThread::sleepUntil(qint64 deadline)
{
    qint64 remaining = deadline - monotonicNanoseconds();
    const qint64 shortened = remaining - wakeUpLatency;
    if (shortened >= 1000) {
        const qint64 asleep = monotonicNanoseconds();
        QThread::usleep(static_cast<unsigned long>(shortened / 1000));
        const qint64 awake = monotonicNanoseconds();
        const qint64 latency = awake - asleep - shortened / 1000 * 1000;
        wakeUpLatency += latency < wakeUpLatency ? -850 : 150;
        remaining = deadline - awake;
    }
    if (remaining > 0)
        QThread::usleep(static_cast<unsigned long>((remaining + 999) / 1000));
}

// waitForBytesWritten() with nothing left in Qt's buffer waits for input that never comes from
// the interface, so it is only asked while bytes are still queued, and never without a limit.
bool serialPortThread::waitUntilWritten()
{
    serialPort->flush();
    while (!failureReported && serialPort->bytesToWrite() > 0) {
        if (!serialPort->waitForBytesWritten(writeTimeoutMilliseconds)) {
            reportRemainingPortError();
            return false;
        }
    }
    return !failureReported;
}

// The file's medium went away: the frame on the line leaves it whole before the port is let go,
// as at the end of the file, and nothing more is sent.
void serialPortThread::endWithReadFailure(const updateFileReader &updateFile)
{
    if (!drainOutput())
        return endWithFailure();
    releasePort();
    reportError(updateFile.failure());
}

void serialPortThread::endWithFailure()
{
    reportRemainingPortError();
    reportError(tr("Sending to the interface failed, the update was stopped"));
    releasePort();
}

// Once a run is over the port falls silent: on an unplugged interface Qt retries a pending write
// on every pass of the event loop and would raise an error each time.
void serialPortThread::releasePort()
{
    if (!serialPort)
        return;
    disconnect(serialPort, nullptr, this, nullptr);
    if (serialPort->isOpen()) {
        if (failureReported)
            serialPort->clear(QSerialPort::Output);
        // close() waits until the driver's queue is empty, for up to 30 s; what is left after a
        // failure is stuck there, and the technician should not wait for it.
        waitLimit.run(failureReported ? 0 : closeTimeoutMilliseconds,
                      [this] { return serialPort->close(), true; });
    }
}
