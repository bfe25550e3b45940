#ifndef SLEEPINHIBITOR_H
#define SLEEPINHIBITOR_H

#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

// Keeps the computer from sleeping, shutting down or obeying its power keys and lid while an
// update runs, through systemd-logind's blocking inhibitor. logind keeps the lock for as long as
// the descriptor it hands out is open anywhere, so exactly one copy of it is kept. The bus is
// never waited on: hold() returns at once and logind's answer is taken in the event loop.
class sleepInhibitor : public QObject
{
    Q_OBJECT

public:
    explicit sleepInhibitor(QObject *parent = nullptr);
    ~sleepInhibitor() override;

    // Asks logind for the lock, unless it is held or already asked for.
    void hold();
    // Lets the lock go now, or as soon as logind's answer arrives when it is still on its way.
    void release();
    bool isHeld() const;

signals:
    // The lock cannot be had; reported once per hold(), and the update goes on without it.
    void unavailable(QString reason);

private:
    void ask(const QString &what);
    void callLogind(const QString &what);
    void noLogind(const QString &reason);
    void answered(QDBusPendingCallWatcher *call, const QString &what);
    void giveUp(const QString &reason);

    int lockDescriptor = -1;
    bool wanted = false;
    bool asking = false;
};

#endif
