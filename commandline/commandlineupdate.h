#ifndef COMMANDLINEUPDATE_H
#define COMMANDLINEUPDATE_H

#include "unixsignalwatcher.h"
#include "updatesession.h"

#include <QEventLoop>
#include <QObject>
#include <QString>

// One update without a window, for a script or a technician on ssh: the duration, then the
// progress and the end on stderr, and the exit status. Where the window would ask about the
// battery or about lines that are not frame data, it refuses, unless told to go on: nobody may be
// there to answer.
class commandLineUpdate : public QObject
{
    Q_OBJECT

public:
    commandLineUpdate(const interfacePort &interface, QString updateFile, bool ignorePower,
                      bool force);
    ~commandLineUpdate() override;

    // 0 when the update finished, 1 when it failed or was refused. SIGINT and SIGTERM cancel it
    // as the Cancel button does, at any step, and then end the process by that signal. How it
    // ended also goes to the system log.
    int exec();

private:
    void answer(const QString &powerWarning, const QString &doubtfulLinesWarning);
    void showProgress();
    // The last line, also to the system log with the syslog priority given.
    void end(int exitStatus, const QString &lastLine, int priority);
    void logOutcome(int priority, const QString &outcome) const;

    const QString portName;
    const QString updateFile;
    const bool ignorePower;
    const bool force;
    const bool onTerminal;
    updateSession session;
    unixSignalWatcher stopSignals;
    QEventLoop running;
    bool progressShown = false;
    qint64 tenthsShown = 0;
    int status = -1;
    int caughtSignal = 0;
};

#endif
