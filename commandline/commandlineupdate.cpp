#include "commandlineupdate.h"
#include "porterrormessage.h"
#include "powercheck.h"
#include "powerwarning.h"
#include "runend.h"
#include "serialportthread.h"
#include "terminaltext.h"
#include "updatefilereading.h"

#include <csignal>
#include <cstdio>
#include <syslog.h>
#include <unistd.h>

namespace {

// Texts go out as UTF-8 whatever the locale, as the progress line holds a middle dot.
void print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
}

// A line that may quote a path or the file's texts.
void say(const QString &line)
{
    print(withControlsEscaped(line) + '\n');
}

// SIGINT and SIGTERM wait until the update runs and then go to the main thread only, which turns
// them into a cancel: the worker's thread starts with them blocked, as there they would end its
// port calls.
void blockStopSignals(int how)
{
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(how, &stop, nullptr);
}

} // namespace

commandLineUpdate::commandLineUpdate(QString portName, QString updateFile, bool ignorePower)
    : portName(std::move(portName)), updateFile(std::move(updateFile)), ignorePower(ignorePower),
      onTerminal(isatty(STDERR_FILENO))
{
    ticker.setInterval(1000);
    connect(&ticker, &QTimer::timeout, this, &commandLineUpdate::showProgress);
}

commandLineUpdate::~commandLineUpdate() = default;

int commandLineUpdate::exec()
{
    // journald takes the identifier up to the first blank.
    openlog("fixture-software-updater", LOG_PID, LOG_USER);
    blockStopSignals(SIG_BLOCK);
    const updateFileReading reading = updateFileReading::of(updateFile);
    if (!reading.failure().isEmpty()) {
        say(reading.failure());
        logOutcome(LOG_ERR, reading.failure());
        return 1;
    }
    duration = reading.duration();
    say(duration.takesAbout());
    if (!powerIsEnough())
        return 1;

    run = std::make_unique<updateRun>(portName, updateFile);
    const serialPortThread *worker = run->worker;
    connect(worker, &serialPortThread::portStatusChanged, this, [this](qlonglong code) {
        const QString message = portErrorMessage(int(code));
        end(1, message.isEmpty() ? tr("Serialport Error: %1").arg(code) : message, LOG_ERR);
    });
    connect(worker, &serialPortThread::sendError, this,
            [this](const QString &message) { end(1, message, LOG_ERR); });
    connect(worker, &serialPortThread::updateFileLength, this, [this](int lines) {
        lineCount = lines;
        showProgress();
    });
    connect(worker, &serialPortThread::updateProgress, this, [this](int step) {
        linesDone += step;
        sinceProgress.restart();
        showProgress();
    });
    connect(worker, &serialPortThread::finished, this,
            [this] { end(0, runEnd::finished(), LOG_NOTICE); });
    connect(worker, &serialPortThread::canceled, this,
            [this] { end(1, runEnd::canceled(), LOG_WARNING); });
    connect(&inhibitor, &sleepInhibitor::unavailable, this, [](const QString &reason) {
        say(tr("The computer is not kept awake during the update: %1").arg(reason));
    });
    connect(&stopSignals, &unixSignalWatcher::caught, this, [this](int signalNumber) {
        caughtSignal = signalNumber;
        run->cancel();
    });

    inhibitor.hold();
    run->start();
    blockStopSignals(SIG_UNBLOCK);
    sinceProgress.start();
    if (onTerminal)
        ticker.start();
    running.exec();

    inhibitor.release();
    run->end();
    if (caughtSignal != 0)
        unixSignalWatcher::dieBy(caughtSignal);
    return status;
}

// Where the window would ask, the command line refuses: nobody may be there to answer.
bool commandLineUpdate::powerIsEnough()
{
    powerCheck check;
    powerState state;
    QEventLoop asking;
    connect(&check, &powerCheck::answered, &asking, [&](const powerState &answer) {
        state = answer;
        asking.quit();
    });
    check.ask();
    asking.exec();
    const QString warning = powerWarning(state, duration.totalNanoseconds());
    if (warning.isEmpty())
        return true;
    say(warning);
    if (ignorePower)
        return true;
    const QString refusal =
        tr("Not started. Connect the charger, or start again with --ignore-power.");
    say(refusal);
    logOutcome(LOG_WARNING, refusal);
    return false;
}

// On a terminal one line, rewritten in place; in a log one line for every tenth of the update.
void commandLineUpdate::showProgress()
{
    // In 64 bits: a hundred times a count of lines overflows an int above 21 million lines. The
    // count is at most INT_MAX, and the lines done may go beyond it.
    const qint64 percent = lineCount > 0 ? qMin<qint64>(linesDone * 100 / lineCount, 100) : 100;
    const QString text =
        tr("%1 % · %2 of %3 lines · about %4 left")
            .arg(percent)
            .arg(linesDone)
            .arg(lineCount)
            .arg(updateDuration::text(duration.timeLeft(linesDone, sinceProgress.nsecsElapsed())));
    if (onTerminal) {
        print("\r" + text + "\033[K");
    } else if (percent / 10 > tenthsShown) {
        tenthsShown = percent / 10;
        say(text);
    }
}

// The worker reports the end of its run once.
void commandLineUpdate::end(int exitStatus, const QString &lastLine, int priority)
{
    if (status >= 0)
        return;
    ticker.stop();
    if (onTerminal)
        print("\n");
    say(lastLine);
    logOutcome(priority, lastLine);
    status = exitStatus;
    running.quit();
}

// Whoever started the update may be gone by its end, with the terminal or the ssh connection;
// the journal keeps how it ended. The text goes as an argument, as a path may hold a %.
void commandLineUpdate::logOutcome(int priority, const QString &outcome) const
{
    const QString text = tr("%1 (file %2, interface %3)").arg(outcome, updateFile, portName);
    syslog(priority, "%s", withControlsEscaped(text).toUtf8().constData());
}
