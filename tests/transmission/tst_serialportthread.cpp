#include "kernelwaitlimit.h"
#include "pseudoterminal.h"
#include "serialportthread.h"
#include "systemcallrecorder.h"
#include "workerrun.h"

#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <asm/termbits.h>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using systemCallRecorder::call;
using systemCallRecorder::events;
using systemCallRecorder::writes;
using frameCounts = QList<QPair<QByteArray, int>>; // data bytes, times sent
// Puts a fault in place before the run; it may change the port's name or the update file.
using faultSetup = std::function<void(QString &portName, QString &file)>;
Q_DECLARE_METATYPE(faultSetup)

namespace {

constexpr quint32 longestHold = 4294967295u; // 49 days
constexpr qint64 characterTime = 44000;      // ns per character at 250000 baud 8N2

QByteArray line(quint32 holdTime, int dataBytes, char value)
{
    return QByteArray::number(holdTime) +
           QByteArray(" ").append(QByteArray(1, value).toHex()).repeated(dataBytes) + "\n";
}

QList<call> kindsOf(const QList<systemCallRecorder::event> &recorded)
{
    QList<call> kinds;
    for (const systemCallRecorder::event &event : recorded)
        kinds << event.what;
    return kinds;
}

// The last write, then the calls of the given kinds after it.
QList<systemCallRecorder::event> fromLastWrite(const QList<call> &kinds)
{
    const QList<systemCallRecorder::event> recorded = events(QList<call>{call::write} + kinds);
    return recorded.mid(kindsOf(recorded).lastIndexOf(call::write));
}

} // namespace

// The real worker on a pseudo-terminal standing in for the interface box, its system calls
// recorded.
class tst_SerialPortThread : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        box = std::make_unique<pseudoTerminal>();
        systemCallRecorder::watch(box->device());
    }
    void cleanup()
    {
        systemCallRecorder::stopWatching();
        otherProgram.close();
    }
    void lineSettings();
    void framesOnTheLine_data();
    void framesOnTheLine();
    void frameTimingAndHolds_data();
    void frameTimingAndHolds();
    void cancel_data();
    void cancel();
    void lastFrameLeavesTheLineBeforeThePortIsReleased_data();
    void lastFrameLeavesTheLineBeforeThePortIsReleased();
    void failuresEndTheRunWithOneReport_data();
    void failuresEndTheRunWithOneReport();

private:
    QString writeFile(const QByteArray &content, const QString &name = "update.dmx")
    {
        QFile file(directory.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }

    QTemporaryDir directory;
    std::unique_ptr<pseudoTerminal> box;
    QSerialPort otherProgram;
};

void tst_SerialPortThread::lineSettings()
{
    QVERIFY2(systemCallRecorder::isActive(), "ioctl() is not interposed; the tests see nothing");
    workerRun run(box->portName(), writeFile("300 01\n"));
    QTRY_VERIFY(!writes().isEmpty());
    const pseudoTerminal::lineSettings settings = box->settings();
    QVERIFY(systemCallRecorder::dataTerminalReady(box->device()));
    QVERIFY(run.end());
    QCOMPARE(run.reports, QStringList{"finished"});
    QCOMPARE(settings.outputSpeed, 250000u);
    QCOMPARE(settings.inputSpeed, 250000u);
    QVERIFY(!(settings.inputFlags & (IXON | IXOFF)));

    // Opening passes the interposed tcsetattr(), then the buffers are emptied before the first
    // break. The pseudo-terminal forces 8 data bits and no parity, so the request is what counts.
    const auto opening = events({call::settings, call::flush, call::breakOn});
    const int firstBreak = kindsOf(opening).indexOf(call::breakOn);
    QCOMPARE(opening[firstBreak - 1].what, call::flush);
    QCOMPARE(opening[firstBreak - 2].what, call::settings);
    QCOMPARE(opening[firstBreak - 2].value & (CSIZE | CSTOPB | PARENB | CRTSCTS), CS8 | CSTOPB);
}

void tst_SerialPortThread::framesOnTheLine_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<frameCounts>("frames");
    QTest::addColumn<int>("lineCount");
    using frames = frameCounts;
    QTest::newRow("new length repeated, same length once")
        << line(0, 10, 'a') + line(0, 10, 'b') + line(0, 12, 'c')
        << frames{{QByteArray(10, 'a'), 6}, {QByteArray(10, 'b'), 1}, {QByteArray(12, 'c'), 6}}
        << 3;
    QTest::newRow("every length change repeated")
        << line(0, 10, 'a') + line(0, 12, 'b') + line(0, 10, 'c')
        << frames{{QByteArray(10, 'a'), 6}, {QByteArray(12, 'b'), 6}, {QByteArray(10, 'c'), 6}}
        << 3;
    QTest::newRow("empty line sends the start code alone")
        << QByteArray("0 01 02\n\n") << frames{{"\x01\x02", 6}, {"", 6}} << 2;
    QTest::newRow("header, CR LF and a blank before the line end")
        << QByteArray("#app\r\n#Vendor\r\n#Fixture\r\n#v1\r\n0 01 FF\r\n0 02 00 \r\n")
        << frames{{"\x01\xFF", 6}, {QByteArray("\x02\x00\x00", 3), 6}} << 6;
    QTest::newRow("512 data bytes in one write")
        << line(0, 512, 'z') << frames{{QByteArray(512, 'z'), 6}} << 1;
    QTest::newRow("10 MB line without blanks")
        << QByteArray(10 * 1024 * 1024, 'x') + "\n0 01" << frames{{"", 1}, {"\x01", 6}} << 2;
    QTest::newRow("NUL bytes") << QByteArray("0 01 \0\0 02\n", 11)
                               << frames{{QByteArray("\x01\x00\x02", 3), 6}} << 1;
    QTest::newRow("comments only, the last without line end")
        << QByteArray("#a\n#b\n#c") << frames{} << 3;
    QTest::newRow("empty file") << QByteArray() << frames{} << 0;
    QTest::newRow("byte-order mark at the start")
        << QByteArray("\xEF\xBB\xBF#app\n0 01 02\n") << frames{{"\x01\x02", 6}} << 2;
    QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << frames{} << 0;
}

void tst_SerialPortThread::framesOnTheLine()
{
    QFETCH(QByteArray, content);
    QFETCH(frameCounts, frames);
    QFETCH(int, lineCount);
    workerRun run(box->portName(), writeFile(content));
    QVERIFY(run.end());
    QCOMPARE(run.reports, QStringList{"finished"});
    QCOMPARE(run.lineCount, lineCount);
    QCOMPARE(run.progress, lineCount);

    // Each frame is break on, break off and one write of the start code and the data.
    QList<QByteArray> expected;
    QList<call> shape;
    for (const auto &frame : frames)
        for (int repeat = 0; repeat < frame.second; ++repeat) {
            expected << QByteArray(1, '\0') + frame.first;
            shape << call::breakOn << call::breakOff << call::write;
        }
    QCOMPARE(writes(), expected);
    QCOMPARE(kindsOf(events({call::breakOn, call::breakOff, call::write})), shape);
    QTRY_COMPARE(box->received(), expected.join());
}

// Lower bounds only, each from the return of one call to the start of the next: the platform
// may always sleep longer. Enough frames for the worker to learn the platform's wake-up latency,
// so that its shortened sleeps are exercised too.
void tst_SerialPortThread::frameTimingAndHolds_data()
{
    QTest::addColumn<bool>("signalled");
    QTest::newRow("quiet") << false;
    // The signal that ends the kernel's waits may come at any moment; no wait may be cut by it.
    QTest::newRow("the worker signalled throughout") << true;
}

void tst_SerialPortThread::frameTimingAndHolds()
{
    QFETCH(bool, signalled);
    QList<int> holds{0, 40, 0, 25};
    for (int extra = 0; extra < 200; ++extra)
        holds << 0;
    QByteArray content;
    for (int hold : holds)
        content += line(hold, 20, 'h');
    workerRun run(box->portName(), writeFile(content));
    std::atomic<bool> ended{false};
    std::thread sender([&] {
        for (; signalled && !ended; usleep(200))
            if (const pid_t worker = events().value(0).thread)
                tgkill(getpid(), worker, kernelWaitLimit::signalNumber());
    });
    QVERIFY(run.end());
    ended = true;
    sender.join();
    QCOMPARE(run.reports, QStringList{"finished"});

    auto frames = events({call::breakOn, call::breakOff, call::write});
    // A break request that a signal ended early is made again; the one that took counts.
    for (int at = frames.size() - 1; at > 0; --at)
        if (frames[at].what == call::breakOn && frames[at - 1].what == call::breakOn)
            frames.removeAt(at - 1);
    QCOMPARE(frames.size(), (5 + holds.size()) * 3);
    for (int at = 0; at < frames.size(); at += 3) {
        const qint64 breakTime = frames[at + 1].nanoseconds - frames[at].returned;
        const qint64 mark = frames[at + 2].nanoseconds - frames[at + 1].returned;
        QVERIFY2(breakTime >= 500000, qPrintable(QString("break %1 ns").arg(breakTime)));
        QVERIFY2(mark >= 100000, qPrintable(QString("mark after break %1 ns").arg(mark)));
        QCOMPARE(frames[at + 2].bytes.size(), 21);
        if (at + 3 < frames.size()) {
            // The start code and the 20 data bytes leave the line before the next break, then
            // the hold follows. Frame 5 is the last of the first line's six.
            const qint64 hold = at / 3 >= 5 ? holds[at / 3 - 5] * 1000000 : 0;
            const qint64 gap = frames[at + 3].nanoseconds - frames[at + 2].returned;
            QVERIFY2(gap >= 21 * characterTime + hold, qPrintable(QString("gap %1 ns").arg(gap)));
        }
    }
}

void tst_SerialPortThread::cancel_data()
{
    // The cancel comes once so many frames are written; no more come. A line's progress step
    // comes after its hold.
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("framesBefore"); // -1: before the worker's thread starts
    QTest::addColumn<int>("progress");
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("framesSent");
    QTest::addColumn<bool>("stall"); // the interface stops taking data after the first frame
    QTest::newRow("before the first frame, while ten million lines are counted")
        << QByteArray(10000000, '\n') + line(0, 4, 'a') << -1 << 0 << "canceled" << 0 << false;
    QTest::newRow("while a line's frames go out")
        << line(0, 1000, 'a') + line(0, 1000, 'b') << 1 << 0 << "canceled" << 6 << false;
    QTest::newRow("while the last line's frames go out")
        << line(0, 1000, 'a') << 1 << 0 << "canceled" << 6 << false;
    QTest::newRow("in a short hold")
        << line(400, 1, 'a') + line(0, 1, 'b') << 6 << 0 << "canceled" << 6 << false;
    QTest::newRow("in a hold of 49 days")
        << line(longestHold, 1, 'a') + line(0, 1, 'b') << 6 << 0 << "canceled" << 6 << false;
    // Every line has gone out, so the update is complete.
    QTest::newRow("in the hold after the last line")
        << line(longestHold, 1, 'a') << 6 << 1 << "finished" << 6 << false;
    QTest::newRow("in the last hold, a comment after it") << line(longestHold, 1, 'a') + "#end\n"
                                                          << 6 << 2 << "finished" << 6 << false;
    QTest::newRow("in a hold, a comment and a line after it")
        << line(400, 1, 'a') + "#\n" + line(0, 1, 'b') << 6 << 0 << "canceled" << 6 << false;
    // The cancel ends the break request that the kernel holds, and the drain finds the stall.
    QTest::newRow("in a stall") << line(0, 4, 'a') << 1 << 0 << "status 12" << 1 << true;
}

void tst_SerialPortThread::cancel()
{
    QFETCH(QByteArray, content);
    QFETCH(int, framesBefore);
    QFETCH(int, progress);
    QFETCH(QString, report);
    QFETCH(int, framesSent);
    QFETCH(bool, stall);
    if (stall)
        systemCallRecorder::stallOutput(1);
    workerRun run(box->portName(), writeFile(content), framesBefore < 0);
    QTRY_VERIFY(writes().size() >= framesBefore);
    if (stall)
        QTRY_VERIFY(systemCallRecorder::heldFor(call::breakOn) > 200000000);
    const qint64 canceledAt = run.microseconds();
    run.cancel();
    QVERIFY(run.end(5000));
    QCOMPARE(run.reports, QStringList{report});
    QVERIFY2(run.reportedAt - canceledAt < 500000,
             qPrintable(QString("%1 µs").arg(run.reportedAt - canceledAt)));
    QCOMPARE(run.progress, progress);
    QCOMPARE(writes().size(), framesSent);
}

// The driver here hands written bytes to a USB adapter, which shifts them onto the line. The
// port's settings are put back, or its output discarded, only once the last frame has left it
// and the last hold is over.
void tst_SerialPortThread::lastFrameLeavesTheLineBeforeThePortIsReleased_data()
{
    QTest::addColumn<int>("hold");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("finished") << 0 << false;
    QTest::newRow("finished after a last hold") << 30 << false;
    QTest::newRow("canceled in a hold") << 2000 << true;
}

void tst_SerialPortThread::lastFrameLeavesTheLineBeforeThePortIsReleased()
{
    QFETCH(int, hold);
    QFETCH(bool, cancel);
    workerRun run(box->portName(), writeFile(line(0, 4, 'a') + line(hold, 511, 'b') +
                                             (cancel ? line(0, 4, 'c') : "")));
    if (cancel) {
        QTRY_COMPARE(writes().size(), 12);
        run.cancel();
    }
    QVERIFY(run.end());
    QCOMPARE(run.reports, QStringList{cancel ? "canceled" : "finished"});

    auto after = fromLastWrite({call::outputQueue, call::settings, call::flush});
    QCOMPARE(after.first().bytes.size(), 512);
    const qint64 written = after.takeFirst().returned;
    const qint64 releasedNoEarlierThan =
        qMax(written + systemCallRecorder::usbLatencyNanoseconds + 512 * characterTime,
             written + 512 * characterTime + (cancel ? 0 : hold * 1000000LL));
    bool drained = false;
    for (const systemCallRecorder::event &event : after) {
        drained = drained || (event.what == call::outputQueue && event.value == 0);
        if (event.what == call::settings || event.what == call::flush) {
            QVERIFY2(drained, "settings changed or output flushed before the queue was empty");
            QVERIFY2(event.nanoseconds >= releasedNoEarlierThan,
                     qPrintable(QString("%1 µs early")
                                    .arg((releasedNoEarlierThan - event.nanoseconds) / 1000)));
        }
    }
    QVERIFY(drained);
}

void tst_SerialPortThread::failuresEndTheRunWithOneReport_data()
{
    QTest::addColumn<faultSetup>("fault");
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("framesBeforeFailure"); // -1: any
    const auto row = [](const char *name, const char *report, int frames, faultSetup fault) {
        QTest::newRow(name) << fault << QString(report) << frames;
    };
    const auto inject = [](call what, int succeeding = 0) {
        return [=](QString &, QString &) {
            systemCallRecorder::inject(what, EIO, succeeding);
        };
    };
    const auto refuseOpen = [](QString &path) {
        systemCallRecorder::refuseOpen(path.toLocal8Bit(), EACCES);
    };
    // The first line's frames take half a second, and a hold of 49 days follows them: only the
    // port's own notice ends this update.
    const auto inTheLongHold = [this](QString &, QString &file) {
        file = writeFile(line(longestHold, 2000, 'a') + line(0, 1, 'b'));
    };
    const char *fileError = "error Couldn't Open Update file:%1";
    row("missing device", "status 1", 0,
        [](QString &port, QString &) { port = "/dev/ttyNoSuchInterface"; });
    row("busy device", "status 2", 0, [this](QString &port, QString &) {
        otherProgram.setPortName(port);
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    });
    row("no permission", "status 2", 0, [=](QString &port, QString &) { refuseOpen(port); });
    row("update file missing", fileError, 0,
        [this](QString &, QString &file) { file = directory.filePath("removed.dmx"); });
    row("update file unreadable", fileError, 0,
        [=](QString &, QString &file) { refuseOpen(file); });
    row("update file is a named pipe", fileError, 0, [this](QString &, QString &file) {
        file = directory.filePath("pipe.dmx");
        QCOMPARE(mkfifo(qPrintable(file), 0600), 0);
    });
    row("update file is a directory", fileError, 0, [this](QString &, QString &file) {
        file = directory.filePath("folder.dmx");
        QVERIFY(QDir(directory.path()).mkdir("folder.dmx"));
    });
    // The file's medium goes away: while the lines are counted, or once 54 lines have gone out.
    const auto readsFail = [this](qint64 afterCount) {
        return [=](QString &, QString &file) {
            file = writeFile(line(0, 100, 'r').repeated(4000));
            systemCallRecorder::failReads(file.toLocal8Bit(),
                                          afterCount * QFileInfo(file).size() + 1);
        };
    };
    const char *readError = "error Couldn't read update file %1: Input/output error";
    row("a read fails while the lines are counted", readError, 0, readsFail(0));
    row("a read fails during the update", readError, -1, readsFail(1));
    row("refused DTR", "error Unable to set DataTerminalReady", 0, inject(call::dataTerminalReady));
    row("refused break", "status 9", 0, inject(call::breakOn));
    row("writes fail during the update", "status 9", 8, inject(call::write, 8));
    row("hung up during the update", "status 9", -1, [this](QString &, QString &file) {
        file = writeFile(line(300, 8, 'a') + line(300, 8, 'b'));
    });
    row("interface stalls", "status 12", -1, [this](QString &, QString &file) {
        box->stopReading();
        file = writeFile(line(0, 512, 's').repeated(2000));
    });
    // The interface stops taking data while still plugged in.
    row("stall before a break", "status 12", 1,
        [](QString &, QString &) { systemCallRecorder::stallOutput(1); });
    row("stall before the end-of-run drain", "status 12", 14,
        [](QString &, QString &) { systemCallRecorder::stallOutput(14); });
    row("driver stops answering at the end", "status 9", 14, inject(call::outputQueue));
    row("port closed during the update", "status 13", 6, inTheLongHold);
    row("DTR dropped during the update", "status 13", 6, inTheLongHold);
}

void tst_SerialPortThread::failuresEndTheRunWithOneReport()
{
    QFETCH(faultSetup, fault);
    QFETCH(QString, report);
    QFETCH(int, framesBeforeFailure);
    QString portName = box->portName();
    QString file =
        writeFile(line(20, 16, 'a') + line(20, 16, 'b') + line(20, 16, 'c') + line(20, 32, 'd'));
    fault(portName, file);
    workerRun run(portName, file);
    const QString row = QTest::currentDataTag();
    if (row.startsWith("hung up")) {
        QTRY_COMPARE(writes().size(), 6);
        box->hangUp();
    } else if (row.startsWith("port closed") || row.startsWith("DTR dropped")) {
        // Someone else acts on the port in the worker's thread, right after the first line.
        QTRY_VERIFY(!writes().isEmpty());
        QSerialPort *port = run.worker->findChild<QSerialPort *>();
        QMetaObject::invokeMethod(port, [port, row] {
            row.startsWith("port closed") ? port->close() : void(port->setDataTerminalReady(false));
        });
    } else if (row == "stall before a break") { // and a signal from elsewhere meanwhile
        QTRY_VERIFY(systemCallRecorder::heldFor(call::breakOn) > 100000000);
        tgkill(getpid(), events({call::breakOn}).last().thread, kernelWaitLimit::signalNumber());
        QTest::qWait(500);
        QVERIFY2(run.reports.isEmpty(), "a signal from elsewhere was taken as the bound");
    }
    // After its one report the worker leaves an unplugged port alone while its thread idles,
    // instead of raising an error on every pass of the event loop.
    const auto tries = [] {
        return systemCallRecorder::callCount(call::write) +
               systemCallRecorder::callCount(call::breakOn);
    };
    QTRY_VERIFY(!run.reports.isEmpty());
    const int triesAtReport = tries();
    if (row.endsWith("during the update"))
        QTest::qWait(100);
    QCOMPARE(tries(), triesAtReport);
    QVERIFY2(run.end(), "the run did not end");
    QCOMPARE(run.reports, QStringList{QString(report).replace("%1", file)});
    if (framesBeforeFailure >= 0)
        QCOMPARE(writes().size(), framesBeforeFailure);
    // Every wait on the driver is bounded by a second; the rest of these runs takes little.
    QVERIFY2(run.reportedAt < 2000000, qPrintable(QString("%1 µs").arg(run.reportedAt)));
    // What a stalled run left unsent is discarded, and the port is closed without waiting for it.
    if (row.startsWith("stall")) {
        const auto closing = fromLastWrite({call::flush, call::settings, call::close});
        QCOMPARE(kindsOf(closing).mid(1), (QList<call>{call::flush, call::settings, call::close}));
        QVERIFY(closing.last().returned - closing.last().nanoseconds < 200000000);
    }
}

QTEST_GUILESS_MAIN(tst_SerialPortThread)
#include "tst_serialportthread.moc"
