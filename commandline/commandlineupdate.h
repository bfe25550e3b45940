#ifndef COMMANDLINEUPDATE_H
#define COMMANDLINEUPDATE_H

#include "sleepinhibitor.h"
#include "unixsignalwatcher.h"
#include "updateduration.h"
#include "updaterun.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

// One update without a window, for a script or a technician on ssh: the duration, then the
// progress and the end on stderr, and the exit status. It is guarded like the window's: the
// computer is kept awake, and a battery that may not last refuses the update.
class commandLineUpdate : public QObject
{
    Q_OBJECT

public:
    commandLineUpdate(QString portName, QString updateFile, bool ignorePower);
    ~commandLineUpdate() override;

    // 0 when the update finished, 1 when it failed or was refused. SIGINT and SIGTERM cancel it
    // as the Cancel button does, and then end the process by that signal. How it ended also goes
    // to the system log.
    int exec();

private:
    bool powerIsEnough();
    void showProgress();
    // The last line, also to the system log with the syslog priority given.
    void end(int exitStatus, const QString &lastLine, int priority);
    void logOutcome(int priority, const QString &outcome) const;

    const QString portName;
    const QString updateFile;
    const bool ignorePower;
    const bool onTerminal;
    updateDuration duration;
    std::unique_ptr<updateRun> run;
    sleepInhibitor inhibitor;
    unixSignalWatcher stopSignals;
    QEventLoop running;
    QElapsedTimer sinceProgress;
    QTimer ticker;
    int lineCount = 0;
    qint64 linesDone = 0;
    int tenthsShown = 0;
    int status = -1;
    int caughtSignal = 0;
};

#endif
