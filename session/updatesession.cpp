#include "updatesession.h"
#include "backgroundreading.h"
#include "historystore.h"
#include "porterrormessage.h"
#include "powercheck.h"
#include "powerwarning.h"
#include "runend.h"
#include "serialportthread.h"
#include "updaterun.h"

#include <QDebug>
#include <QFileInfo>
#include <QLoggingCategory>

#include <optional>

namespace {

// Off unless QT_LOGGING_RULES turns it on, as in "fixture-software-updater.session.debug=true".
Q_LOGGING_CATEGORY(sessionLog, "fixture-software-updater.session", QtInfoMsg)

} // namespace

updateSession::updateSession(interfacePort interface, QString updateFile,
                             historyRow::frontEnd source,
                             std::shared_ptr<backgroundReading> reading, QObject *parent)
    : QObject(parent), interface(std::move(interface)), updateFile(std::move(updateFile)),
      source(source), pendingReading(std::move(reading))
{
    ticker.setInterval(1000);
    connect(&ticker, &QTimer::timeout, this, &updateSession::progressed);
    connect(&inhibitor, &sleepInhibitor::unavailable, this, &updateSession::inhibitorUnavailable);
}

// Nothing is reported any more: whoever deletes the session has stopped listening. The run's
// thread is waited for as the run goes, and the inhibitor is released, with the members.
updateSession::~updateSession()
{
    if (run)
        run->cancel();
}

// Every step begins from the event loop, so that the front end has finished its own start
// before the first answer comes.
void updateSession::start()
{
    if (now != step::created)
        return;
    now = step::reading;
    if (!pendingReading)
        return readFile();
    if (pendingReading->isDone())
        QMetaObject::invokeMethod(this, &updateSession::readingDone, Qt::QueuedConnection);
    else
        connect(pendingReading.get(), &backgroundReading::finished, this,
                &updateSession::readingDone);
}

void updateSession::readFile()
{
    readAgain = false;
    pendingReading = std::make_shared<backgroundReading>(updateFile);
    connect(pendingReading.get(), &backgroundReading::finished, this, &updateSession::readingDone);
}

// The power check needs the duration. A file that cannot be read to its end, or that is not the
// one that was published, is not sent. A file that changed since it was chosen is read again,
// once: the worker sends it as it is now.
void updateSession::readingDone()
{
    if (now != step::reading)
        return;
    reading = pendingReading->result();
    if (readAgain && reading.isOutdated())
        return readFile();
    const QString refusal = reading.failure().isEmpty() ? reading.refusal() : reading.failure();
    if (!refusal.isEmpty()) {
        end();
        emit failed(refusal);
        return;
    }
    now = step::checkingPower;
    pendingPowerCheck = new powerCheck(this);
    connect(pendingPowerCheck, &powerCheck::answered, this, &updateSession::powerChecked);
    pendingPowerCheck->ask();
    emit fileChecked();
}

// A computer that turns off halfway through leaves the fixture without working firmware, and
// lines that are not frame data reach it as zeros; what that means for this update is the front
// end's to decide.
void updateSession::powerChecked(const powerState &power)
{
    forgetPowerCheck();
    const QString warning = powerWarning(power, duration().totalNanoseconds());
    if (warning.isEmpty() && reading.doubtfulLinesWarning().isEmpty())
        return send();
    now = step::asking;
    emit question(warning, reading.doubtfulLinesWarning());
}

void updateSession::proceed()
{
    if (now == step::asking)
        send();
}

void updateSession::send()
{
    now = step::sending;
    beginHistory();
    inhibitor.hold();
    run = std::make_unique<updateRun>(interface.portName, updateFile);
    const serialPortThread *worker = run->worker;
    connect(worker, &serialPortThread::portStatusChanged, this, &updateSession::portError);
    connect(worker, &serialPortThread::sendError, this,
            [this](const QString &message) { endWith(historyRow::outcome::failed, message); });
    connect(worker, &serialPortThread::updateFileLength, this, &updateSession::lineCountKnown);
    connect(worker, &serialPortThread::updateProgress, this, &updateSession::stepDone);
    connect(worker, &serialPortThread::finished, this,
            [this] { endWith(historyRow::outcome::finished, runEnd::finished()); });
    connect(worker, &serialPortThread::canceled, this,
            [this] { endWith(historyRow::outcome::canceled, runEnd::canceled()); });
    run->start();
    sinceProgress.start();
    emit sending();
}

void updateSession::cancel()
{
    switch (now) {
    case step::created:
    case step::ended:
        return;
    case step::sending:
        return run->cancel();
    case step::reading:
    case step::checkingPower:
    case step::asking:
        end();
        emit canceledBeforeSending();
        return;
    }
}

// The time left moves on every second from now on, through long holds too.
void updateSession::lineCountKnown(int count)
{
    lines = count;
    ticker.start();
    emit progressed();
}

void updateSession::stepDone(int step)
{
    done += step;
    sinceProgress.restart();
    if (percent() / 10 > tenthsRecorded) {
        tenthsRecorded = percent() / 10;
        recordLinesDone();
    }
    emit progressed();
}

// Code 0 only announces that an error was cleared.
void updateSession::portError(qlonglong code)
{
    qCDebug(sessionLog) << "error recieved:" << code;
    const QString message = portErrorMessage(code);
    if (!message.isEmpty())
        endWith(historyRow::outcome::failed, message);
}

qint64 updateSession::percent() const
{
    // In 64 bits: a hundred times a count of lines overflows an int above 21 million lines. The
    // count is at most INT_MAX, and the lines done may go beyond it.
    return lines > 0 ? qMin<qint64>(done * 100 / lines, 100) : 100;
}

qint64 updateSession::nanosecondsLeft() const
{
    return duration().timeLeft(done, sinceProgress.isValid() ? sinceProgress.nsecsElapsed() : 0);
}

// The worker's one report of how its update ended.
void updateSession::endWith(historyRow::outcome result, const QString &message)
{
    endHistory(result, message);
    end();
    if (result == historyRow::outcome::finished)
        emit finished();
    else if (result == historyRow::outcome::canceled)
        emit canceled();
    else
        emit failed(message);
}

// The worker has made its one report, so its thread ends at once and the worker goes with it; a
// reading that nobody else wants stops, and a power answer still on its way is never taken.
void updateSession::end()
{
    now = step::ended;
    ticker.stop();
    forgetPowerCheck();
    if (pendingReading)
        pendingReading->disconnect(this);
    pendingReading.reset();
    run.reset();
    inhibitor.release();
}

void updateSession::forgetPowerCheck()
{
    if (!pendingPowerCheck)
        return;
    // It may be answering right now, so it is deleted only once back in the event loop.
    pendingPowerCheck->disconnect(this);
    pendingPowerCheck->deleteLater();
    pendingPowerCheck = nullptr;
}

// Before the first frame, with what the file held and the interface was when it was sent. The
// writes are a few, between lines, never in the frame path.
void updateSession::beginHistory()
{
    historyRow row;
    row.source = source;
    row.file = QFileInfo(updateFile).absoluteFilePath();
    row.fileSize = reading.fileSize();
    row.sha256 = QString::fromLatin1(reading.sha256());
    row.header = reading.header();
    row.port = interface.portName;
    row.interfaceDescription = interface.description;
    row.serialNumber = interface.serialNumber;
    row.linesTotal = reading.lineCount();
    auto store = std::make_unique<historyStore>(historyStore::access::write);
    const std::optional<qint64> begun = store->begin(row);
    warnAboutHistory(store->warning());
    if (begun) {
        history = std::move(store);
        historyEntry = *begun;
    }
}

void updateSession::recordLinesDone()
{
    if (!history)
        return;
    history->recordLinesDone(historyEntry, done);
    warnAboutHistory(history->warning());
}

// Where an update stopped shows in its lines done.
void updateSession::endHistory(historyRow::outcome result, const QString &message)
{
    recordLinesDone();
    if (!history)
        return;
    history->end(historyEntry, result, message);
    warnAboutHistory(history->warning());
}

void updateSession::warnAboutHistory(const QString &warning)
{
    if (!warning.isEmpty() && !std::exchange(historyWarned, true))
        emit historyUnavailable(warning);
}
