#ifndef UPDATESESSION_H
#define UPDATESESSION_H

#include "historyrow.h"
#include "interfaceport.h"
#include "sleepinhibitor.h"
#include "updatefilereading.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class backgroundReading;
class historyStore;
class powerCheck;
class updateRun;
struct powerState;

// One update from the click on Start (or --send) to its end, for both front ends, which only show
// it: the reading of the file, the power check, the computer kept awake, the worker in its
// thread, the progress, how the update ended, and its row in the history. Each session ends
// exactly once, with finished(), canceled(), failed() or, when nothing was sent,
// canceledBeforeSending().
class updateSession : public QObject
{
    Q_OBJECT

public:
    // `reading` is one the front end started when the file was chosen; without one the session
    // reads the file itself. Either way the caller's thread never waits for it.
    updateSession(interfacePort interface, QString updateFile, historyRow::frontEnd source,
                  std::shared_ptr<backgroundReading> reading = {}, QObject *parent = nullptr);
    // An update still under way is canceled without a report, which ends it at once in a hold
    // or a stall and otherwise after the current line's frames; the port is closed before this
    // returns.
    ~updateSession() override;

    void start();
    // The front end's answer to question(): the update goes ahead.
    void proceed();
    // From any step. Before the worker is made it sends nothing, opens no port and takes no
    // inhibitor.
    void cancel();

    // Known once the file has been read: how long the update takes, and what the file holds.
    const updateFileReading &fileReading() const { return reading; }
    const updateDuration &duration() const { return reading.duration(); }
    int lineCount() const { return lines; }
    qint64 linesDone() const { return done; }
    // 0 to 100; 100 for a file without lines.
    qint64 percent() const;
    qint64 nanosecondsLeft() const;

signals:
    // The file has been read, and it may be sent: fileReading() tells what it holds.
    void fileChecked();
    // The update may not be safe to start, for the reasons that are not empty; the front end
    // answers with proceed() or cancel().
    void question(const QString &powerWarning, const QString &doubtfulLinesWarning);
    // The worker has begun, with the computer kept awake.
    void sending();
    // A line was done, or another second of the update passed.
    void progressed();
    // The computer is not kept awake; the update goes on all the same.
    void inhibitorUnavailable(const QString &reason);
    // The update is not recorded, or not wholly; it goes on all the same. Once per session.
    void historyUnavailable(const QString &warning);
    void finished();
    void canceled();
    void failed(const QString &message);
    void canceledBeforeSending();

private:
    enum class step { created, reading, checkingPower, asking, sending, ended };

    void readFile();
    void readingDone();
    void powerChecked(const powerState &power);
    void send();
    void lineCountKnown(int count);
    void stepDone(int step);
    void portError(qlonglong code);
    void endWith(historyRow::outcome result, const QString &message);
    void end();
    void beginHistory();
    void recordLinesDone();
    void endHistory(historyRow::outcome result, const QString &message);
    void warnAboutHistory(const QString &warning);
    void forgetPowerCheck();

    const interfacePort interface;
    const QString updateFile;
    const historyRow::frontEnd source;
    std::shared_ptr<backgroundReading> pendingReading;
    bool readAgain = true;
    step now = step::created;
    updateFileReading reading;
    powerCheck *pendingPowerCheck = nullptr;
    sleepInhibitor inhibitor;
    std::unique_ptr<updateRun> run;
    int lines = 0;
    qint64 done = 0;
    QElapsedTimer sinceProgress;
    QTimer ticker;
    // Only while the update has its row.
    std::unique_ptr<historyStore> history;
    qint64 historyEntry = 0;
    qint64 tenthsRecorded = 0;
    bool historyWarned = false;
};

#endif
