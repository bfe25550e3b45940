#include "commandlineupdate.h"
#include "runend.h"
#include "terminaltext.h"

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

} // namespace

commandLineUpdate::commandLineUpdate(const interfacePort &interface, QString updateFile,
                                     bool ignorePower, bool force)
    : portName(interface.portName), updateFile(updateFile), ignorePower(ignorePower), force(force),
      onTerminal(isatty(STDERR_FILENO)),
      session(interface, std::move(updateFile), historyRow::frontEnd::commandLine)
{
}

commandLineUpdate::~commandLineUpdate() = default;

int commandLineUpdate::exec()
{
    // journald takes the identifier up to the first blank.
    openlog("fixture-software-updater", LOG_PID, LOG_USER);
    connect(&session, &updateSession::fileChecked, this, [this] {
        if (session.fileReading().published().exists())
            say(session.fileReading().published().matchNote());
        say(session.duration().takesAbout());
    });
    connect(&session, &updateSession::question, this, &commandLineUpdate::answer);
    connect(&session, &updateSession::progressed, this, &commandLineUpdate::showProgress);
    connect(&session, &updateSession::inhibitorUnavailable, this, [](const QString &reason) {
        say(tr("The computer is not kept awake during the update: %1").arg(reason));
    });
    connect(&session, &updateSession::historyUnavailable, this, &say);
    connect(&session, &updateSession::finished, this,
            [this] { end(0, runEnd::finished(), LOG_NOTICE); });
    connect(&session, &updateSession::canceled, this,
            [this] { end(1, runEnd::canceled(), LOG_WARNING); });
    connect(&session, &updateSession::failed, this,
            [this](const QString &message) { end(1, message, LOG_ERR); });
    connect(&session, &updateSession::canceledBeforeSending, this,
            [this] { end(1, tr("Canceled before it started"), LOG_WARNING); });
    connect(&stopSignals, &unixSignalWatcher::caught, this, [this](int signalNumber) {
        caughtSignal = signalNumber;
        session.cancel();
    });
    session.start();
    running.exec();
    if (caughtSignal != 0)
        unixSignalWatcher::dieBy(caughtSignal);
    return status;
}

void commandLineUpdate::answer(const QString &powerWarning, const QString &doubtfulLinesWarning)
{
    QStringList refusals;
    if (!powerWarning.isEmpty()) {
        say(powerWarning);
        if (!ignorePower)
            refusals << tr("Not started. Connect the charger, or start again with --ignore-power.");
    }
    if (!doubtfulLinesWarning.isEmpty()) {
        say(doubtfulLinesWarning);
        if (!force)
            refusals << tr("Not started. Check the file, or start again with --force.");
    }
    if (refusals.isEmpty())
        return session.proceed();
    for (const QString &refusal : refusals.mid(0, refusals.size() - 1))
        say(refusal);
    end(1, refusals.last(), LOG_WARNING);
    session.cancel();
}

// On a terminal one line, rewritten in place; in a log one line for every tenth of the update.
void commandLineUpdate::showProgress()
{
    const qint64 percent = session.percent();
    const QString text = tr("%1 % · %2 of %3 lines · about %4 left")
                             .arg(percent)
                             .arg(session.linesDone())
                             .arg(session.lineCount())
                             .arg(updateDuration::text(session.nanosecondsLeft()));
    if (onTerminal) {
        print("\r" + text + "\033[K");
        progressShown = true;
    } else if (percent / 10 > tenthsShown) {
        tenthsShown = percent / 10;
        say(text);
    }
}

// The session reports the end of its update once; a refusal comes before it.
void commandLineUpdate::end(int exitStatus, const QString &lastLine, int priority)
{
    if (status >= 0)
        return;
    if (progressShown)
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
