#include "pseudoterminal.h"
#include "serialportthread.h"
#include "systemcallrecorder.h"
#include "workerrun.h"

#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <asm/termbits.h>
#include <cerrno>
#include <sys/stat.h>

using systemCallRecorder::call;

using frameCounts = QList<QPair<QByteArray, int>>; // data bytes, times sent

namespace {

QString writeFile(const QTemporaryDir &directory, const QByteArray &content)
{
    const QString path = directory.filePath("update.dmx");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

QList<systemCallRecorder::event> eventsOf(const QList<call> &kinds)
{
    QList<systemCallRecorder::event> found;
    for (const systemCallRecorder::event &event : systemCallRecorder::events())
        if (kinds.contains(event.what))
            found << event;
    return found;
}

// The last write and the given calls after it.
QList<systemCallRecorder::event> afterLastWrite(const QList<call> &kinds)
{
    const QList<systemCallRecorder::event> found = eventsOf(QList<call>{call::write} + kinds);
    int last = found.size() - 1;
    while (last > 0 && found[last].what != call::write)
        --last;
    return found.mid(last);
}

QList<QByteArray> framesWritten()
{
    QList<QByteArray> frames;
    for (const systemCallRecorder::event &event : eventsOf({call::write}))
        frames << event.bytes;
    return frames;
}

// The longest hold a line can carry: 49 days.
constexpr quint32 longestHold = 4294967295u;

QByteArray line(quint32 holdTime, int dataBytes, char value)
{
    return QByteArray::number(holdTime) +
           QByteArray(" ").append(QByteArray(1, value).toHex()).repeated(dataBytes) + "\n";
}

} // namespace

class tst_SerialPortThread : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void recorderIsActive();
    void lineSettingsAndDataTerminalReady();
    void framesOnTheLine_data();
    void framesOnTheLine();
    void frameTimingAndHolds();
    void cancelInAHoldSendsNothingMore_data();
    void cancelInAHoldSendsNothingMore();
    void cancelBeforeTheFirstFrameSendsNothing();
    void lastFrameLeavesTheLineBeforeThePortIsReleased_data();
    void lastFrameLeavesTheLineBeforeThePortIsReleased();
    void everyUpdateStartsWithoutHistory();
    void failuresEndTheRunWithOneReport_data();
    void failuresEndTheRunWithOneReport();
    void unpluggedInterfaceFallsSilent_data();
    void unpluggedInterfaceFallsSilent();

private:
    QTemporaryDir directory;
    std::unique_ptr<pseudoTerminal> line_;
};

void tst_SerialPortThread::init()
{
    line_ = std::make_unique<pseudoTerminal>();
    systemCallRecorder::watch(line_->device());
}

void tst_SerialPortThread::cleanup()
{
    systemCallRecorder::stopWatching();
    line_.reset();
}

void tst_SerialPortThread::recorderIsActive()
{
    QVERIFY2(systemCallRecorder::isActive(), "ioctl() is not interposed; the tests see nothing");
}

void tst_SerialPortThread::lineSettingsAndDataTerminalReady()
{
    workerRun run(line_->portName(), writeFile(directory, "300 01\n"));
    QTRY_VERIFY(!framesWritten().isEmpty());
    const pseudoTerminal::lineSettings settings = line_->settings();
    const bool dataTerminalReady = systemCallRecorder::dataTerminalReady(line_->device());
    QVERIFY(run.end());

    // The port's opening passes the interposed tcsetattr(), then its buffers are emptied.
    QList<call> opening;
    for (const systemCallRecorder::event &event :
         eventsOf({call::settings, call::flush, call::breakOn}))
        opening << event.what;
    opening = opening.mid(0, opening.indexOf(call::breakOn));
    QVERIFY(opening.size() >= 2);
    QCOMPARE(opening.first(), call::settings);
    QCOMPARE(opening.last(), call::flush);

    QCOMPARE(settings.outputSpeed, 250000u);
    QCOMPARE(settings.inputSpeed, 250000u);
    QCOMPARE(settings.controlFlags & CSIZE, tcflag_t(CS8));
    QVERIFY(settings.controlFlags & CSTOPB);
    QVERIFY(!(settings.controlFlags & PARENB));
    QVERIFY(!(settings.controlFlags & CRTSCTS));
    QVERIFY(!(settings.inputFlags & (IXON | IXOFF)));
    QVERIFY(dataTerminalReady);
    QCOMPARE(run.reports, QStringList{"finished"});
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
    QTest::newRow("header and CR LF line ends")
        << QByteArray("#app\r\n#Vendor\r\n#Fixture\r\n#v1\r\n0 01 FF\r\n0 02 00 \r\n")
        << frames{{"\x01\xFF", 6}, {QByteArray("\x02\x00\x00", 3), 6}} << 6;
    QTest::newRow("512 data bytes in one write")
        << line(0, 512, 'z') << frames{{QByteArray(512, 'z'), 6}} << 1;
    QTest::newRow("10 MB line without blanks") << QByteArray(10 * 1024 * 1024, 'x') + "\n0 01\n"
                                               << frames{{"", 1}, {"\x01", 6}} << 2;
    QTest::newRow("NUL bytes") << QByteArray("0 01 \0\0 02\n", 11)
                               << frames{{QByteArray("\x01\x00\x02", 3), 6}} << 1;
    QTest::newRow("comments only") << QByteArray("#a\n#b\n#c") << frames{} << 3;
    QTest::newRow("empty file") << QByteArray() << frames{} << 0;
}

void tst_SerialPortThread::framesOnTheLine()
{
    QFETCH(QByteArray, content);
    QFETCH(frameCounts, frames);
    QFETCH(int, lineCount);
    workerRun run(line_->portName(), writeFile(directory, content));
    QVERIFY(run.end());
    QCOMPARE(run.reports, QStringList{"finished"});
    QCOMPARE(run.lineCount, lineCount);
    QCOMPARE(run.progress, lineCount);

    QList<QByteArray> expected;
    for (const auto &frame : frames)
        for (int repeat = 0; repeat < frame.second; ++repeat)
            expected << QByteArray(1, '\0') + frame.first;
    QCOMPARE(framesWritten(), expected);
    QTRY_COMPARE(line_->received(), expected.join());

    // Each frame is exactly break on, break off, one write.
    QList<call> shape;
    for (const systemCallRecorder::event &event :
         eventsOf({call::breakOn, call::breakOff, call::write}))
        shape << event.what;
    QList<call> expectedShape;
    for (int frame = 0; frame < expected.size(); ++frame)
        expectedShape << call::breakOn << call::breakOff << call::write;
    QCOMPARE(shape, expectedShape);
}

// Lower bounds only: the platform may always sleep longer. Enough frames for the sender to
// learn the platform's wake-up latency, so that its shortened sleeps are exercised too.
void tst_SerialPortThread::frameTimingAndHolds()
{
    QList<int> holds{0, 40, 0, 25};
    for (int extra = 0; extra < 200; ++extra)
        holds << 0;
    QByteArray content;
    for (int hold : holds)
        content += line(hold, 20, 'h');
    workerRun run(line_->portName(), writeFile(directory, content));
    QVERIFY(run.end());
    QCOMPARE(run.reports, QStringList{"finished"});

    // Each span is measured from the return of one call to the start of the next.
    const QList<systemCallRecorder::event> events =
        eventsOf({call::breakOn, call::breakOff, call::write});
    QCOMPARE(events.size(), (5 + holds.size()) * 3);
    for (int at = 0; at < events.size(); at += 3) {
        const int frame = at / 3;
        const qint64 breakTime = events[at + 1].nanoseconds - events[at].returned;
        const qint64 markAfterBreak = events[at + 2].nanoseconds - events[at + 1].returned;
        QVERIFY2(breakTime >= 500000, qPrintable(QString("break %1 ns").arg(breakTime)));
        QVERIFY2(markAfterBreak >= 100000, qPrintable(QString("mark %1 ns").arg(markAfterBreak)));
        if (at + 3 < events.size()) {
            // The start code and 20 data bytes leave the line before the next break. Frame 5
            // is the last of the first line's six; each later frame ends its own line.
            const int hold = frame >= 5 ? holds[frame - 5] * 1000000 : 0;
            const qint64 gap = events[at + 3].nanoseconds - events[at + 2].returned;
            QVERIFY2(gap >= 21 * 44000 + hold, qPrintable(QString("gap %1 ns").arg(gap)));
        }
    }
}

void tst_SerialPortThread::cancelInAHoldSendsNothingMore_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("report");
    QTest::newRow("short hold") << line(400, 1, 'a') + line(400, 1, 'b') << "canceled";
    QTest::newRow("hold of 49 days") << line(longestHold, 1, 'a') + line(0, 1, 'b') << "canceled";
    // Every line has gone out, so the update is complete.
    QTest::newRow("hold after the last line") << line(longestHold, 1, 'a') << "finished";
}

void tst_SerialPortThread::cancelInAHoldSendsNothingMore()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, report);
    workerRun run(line_->portName(), writeFile(directory, content));
    // The first line's step comes once its frames are out, as its hold begins.
    QTRY_COMPARE(run.progress, 1);
    const qint64 canceledAt = run.microseconds();
    run.cancel();
    QVERIFY(run.end(5000));
    QCOMPARE(run.reports, QStringList{report});
    QVERIFY2(run.reportedAt - canceledAt < 1000000,
             qPrintable(QString("%1 µs").arg(run.reportedAt - canceledAt)));
    QCOMPARE(run.progress, 1);
    QCOMPARE(framesWritten(), QVector<QByteArray>(6, QByteArray("\0a", 2)).toList());
}

// A cancel that comes before the worker's thread even runs, as when the window closes right
// after Start, sends nothing at all.
void tst_SerialPortThread::cancelBeforeTheFirstFrameSendsNothing()
{
    workerRun run(line_->portName(), writeFile(directory, "#a\n" + line(0, 4, 'a').repeated(50)),
                  true);
    QVERIFY(run.end());
    QCOMPARE(run.reports, QStringList{"canceled"});
    QCOMPARE(framesWritten().size(), 0);
    QCOMPARE(run.progress, 1);
}

// The driver here hands written bytes to a USB adapter, which shifts them onto the line. The
// port's settings are put back, or its output discarded, only once the last frame has left it.
void tst_SerialPortThread::lastFrameLeavesTheLineBeforeThePortIsReleased_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("finished") << false;
    QTest::newRow("canceled in a hold") << true;
}

void tst_SerialPortThread::lastFrameLeavesTheLineBeforeThePortIsReleased()
{
    QFETCH(bool, cancel);
    workerRun run(line_->portName(),
                  writeFile(directory, line(0, 4, 'a') + line(cancel ? 2000 : 0, 511, 'b') +
                                           line(0, 4, 'c').repeated(cancel ? 1 : 0)));
    if (cancel) {
        QTRY_COMPARE(run.progress, 2);
        run.cancel();
    }
    QVERIFY(run.end());
    QCOMPARE(run.reports, QStringList{cancel ? "canceled" : "finished"});

    const QList<systemCallRecorder::event> events =
        afterLastWrite({call::outputQueue, call::settings, call::flush, call::drain});
    QCOMPARE(events.first().bytes, QByteArray(1, '\0') + QByteArray(511, 'b'));
    const qint64 onTheLineUntil =
        events.first().returned + systemCallRecorder::usbLatencyNanoseconds + 512 * 44000;
    bool drained = false;
    for (const systemCallRecorder::event &event : events.mid(1)) {
        if (event.what == call::outputQueue || event.what == call::drain) {
            drained = drained || event.queued == 0;
            continue;
        }
        QVERIFY2(drained, "settings changed or output flushed before the queue was empty");
        QVERIFY2(
            event.nanoseconds >= onTheLineUntil,
            qPrintable(QString("%1 µs early").arg((onTheLineUntil - event.nanoseconds) / 1000)));
    }
    QVERIFY(drained);
}

void tst_SerialPortThread::everyUpdateStartsWithoutHistory()
{
    const QString file = writeFile(directory, "0 01 02\n");
    for (int update = 1; update <= 2; ++update) {
        systemCallRecorder::watch(line_->device());
        workerRun run(line_->portName(), file);
        QVERIFY(run.end());
        QCOMPARE(run.reports, QStringList{"finished"});
        QCOMPARE(framesWritten().size(), 6);
    }
}

void tst_SerialPortThread::failuresEndTheRunWithOneReport_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("framesBeforeFailure");
    QTest::newRow("missing device") << "missing device"
                                    << "status 1" << 0;
    QTest::newRow("busy device") << "busy device"
                                 << "status 2" << 0;
    QTest::newRow("no permission") << "no permission"
                                   << "status 2" << 0;
    QTest::newRow("update file missing") << "update file missing"
                                         << "error Couldn't Open Update file:%1" << 0;
    QTest::newRow("update file unreadable") << "update file unreadable"
                                            << "error Couldn't Open Update file:%1" << 0;
    QTest::newRow("update file is a named pipe") << "update file is a named pipe"
                                                 << "error Couldn't Open Update file:%1" << 0;
    QTest::newRow("update file is a directory") << "update file is a directory"
                                                << "error Couldn't Open Update file:%1" << 0;
    QTest::newRow("refused DTR") << "refused DTR"
                                 << "error Unable to set DataTerminalReady" << 0;
    QTest::newRow("refused break") << "refused break"
                                   << "status 9" << 0;
    QTest::newRow("write fails mid-update") << "write fails mid-update"
                                            << "status 9" << 8;
    QTest::newRow("interface stalls") << "interface stalls"
                                      << "status 12" << -1;
    QTest::newRow("last frame never leaves") << "never drains"
                                             << "status 12" << 14;
    QTest::newRow("driver stops answering at the end") << "output queue fails"
                                                       << "status 9" << 14;
}

void tst_SerialPortThread::failuresEndTheRunWithOneReport()
{
    QFETCH(QString, fault);
    QFETCH(QString, report);
    QFETCH(int, framesBeforeFailure);
    QString portName = line_->portName();
    QString file = writeFile(directory, line(0, 16, 'a') + line(0, 16, 'b') + line(0, 16, 'c') +
                                            line(0, 32, 'd'));
    QSerialPort holder(portName);
    if (fault == "missing device")
        portName = "/dev/ttyNoSuchInterface";
    if (fault == "busy device")
        QVERIFY(holder.open(QIODevice::ReadWrite));
    if (fault == "no permission")
        systemCallRecorder::refuseOpen(portName.toLocal8Bit(), EACCES);
    if (fault == "update file missing")
        file = directory.filePath("removed.dmx");
    if (fault == "update file unreadable")
        systemCallRecorder::refuseOpen(file.toLocal8Bit(), EACCES);
    if (fault == "update file is a named pipe") {
        file = directory.filePath("pipe.dmx");
        QCOMPARE(mkfifo(qPrintable(file), 0600), 0);
    }
    if (fault == "update file is a directory") {
        file = directory.filePath("folder.dmx");
        QVERIFY(QDir(directory.path()).mkdir("folder.dmx"));
    }
    if (fault == "refused DTR")
        systemCallRecorder::inject(call::dataTerminalReady, EIO);
    if (fault == "refused break")
        systemCallRecorder::inject(call::breakOn, EIO);
    if (fault == "write fails mid-update")
        systemCallRecorder::inject(call::write, EIO, framesBeforeFailure);
    if (fault == "never drains")
        systemCallRecorder::stallOutput();
    if (fault == "output queue fails")
        systemCallRecorder::inject(call::outputQueue, EIO);
    if (fault == "interface stalls") {
        line_->stopReading();
        file = writeFile(directory, line(0, 512, 's').repeated(2000));
    }

    workerRun run(portName, file);
    QVERIFY2(run.end(), "the run did not end");
    QCOMPARE(run.reports, QStringList{QString(report).replace("%1", file)});
    if (framesBeforeFailure >= 0)
        QCOMPARE(framesWritten().size(), framesBeforeFailure);
    // Every wait on the driver is bounded by a second; the rest of these runs takes little.
    QVERIFY2(run.reportedAt < 3000000, qPrintable(QString("%1 µs").arg(run.reportedAt)));
    // What the failed run left unsent is discarded, so that the interface falls silent.
    if (fault == "never drains")
        QCOMPARE(afterLastWrite({call::flush, call::settings}).value(1).what, call::flush);
}

// An unplugged interface makes every write and every read fail. After its one report the worker
// must leave the port alone, even while its thread idles until the technician has read the
// message, instead of raising an error on every event-loop pass.
void tst_SerialPortThread::unpluggedInterfaceFallsSilent_data()
{
    QTest::addColumn<bool>("hangUp");
    QTest::newRow("hung up during a hold") << true;
    QTest::newRow("writes fail with a frame queued") << false;
}

void tst_SerialPortThread::unpluggedInterfaceFallsSilent()
{
    QFETCH(bool, hangUp);
    workerRun run(line_->portName(),
                  writeFile(directory, line(300, 8, 'a') + line(300, 8, 'b') + line(300, 8, 'c')));
    QTRY_COMPARE(framesWritten().size(), 6);
    if (hangUp)
        line_->hangUp();
    else
        systemCallRecorder::inject(call::write, EIO);
    QTRY_VERIFY(!run.reports.isEmpty());
    const int calls =
        systemCallRecorder::callCount(call::write) + systemCallRecorder::callCount(call::breakOn);
    QTest::qWait(300);
    QCOMPARE(run.reports.size(), 1);
    QVERIFY2(run.reports[0].startsWith("status "), qPrintable(run.reports[0]));
    QCOMPARE(systemCallRecorder::callCount(call::write) +
                 systemCallRecorder::callCount(call::breakOn),
             calls);
    QVERIFY(run.end());
}

QTEST_GUILESS_MAIN(tst_SerialPortThread)
#include "tst_serialportthread.moc"
