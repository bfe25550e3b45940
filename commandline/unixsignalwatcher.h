#ifndef UNIXSIGNALWATCHER_H
#define UNIXSIGNALWATCHER_H

#include <QObject>

class QSocketNotifier;

// SIGINT and SIGTERM as a Qt signal in the main thread's event loop. The handler only writes
// the signal's number to a socket pair, which a socket notifier reads: nothing else is safe in
// a signal handler.
class unixSignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit unixSignalWatcher(QObject *parent = nullptr);
    ~unixSignalWatcher() override;

    // Ends the process by the signal that stopped it, as a shell expects: status 130 or 143, so
    // that a shell loop stops too.
    [[noreturn]] static void dieBy(int signalNumber);

signals:
    void caught(int signalNumber);

private:
    QSocketNotifier *notifier;
};

#endif
