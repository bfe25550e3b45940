#ifndef DOCKPROGRESS_H
#define DOCKPROGRESS_H

#include <QObject>
#include <QTimer>

// An update's progress on the program's icon in the dock or the task bar, as the file manager
// shows a copy's: the Unity launcher entry's Update signal on the session bus, which Plasma and
// the Ubuntu dock read. A signal is never answered, so nothing here waits; without a session
// bus, or with nobody listening, nothing is shown.
class dockProgress : public QObject
{
    Q_OBJECT

public:
    explicit dockProgress(QObject *parent = nullptr);
    // A dock would otherwise keep the bar of a program that leaves during an update.
    ~dockProgress() override;

    // An update begins: its bar appears once the session bus has answered.
    void begin();
    // 0 to 1. Sent at most four times a second, the latest value last.
    void show(double fraction);
    // The latest value, then the bar goes.
    void end();

private:
    void send(bool visible);

    QTimer pacing;
    // Each begin() has a number, so that a bus that answers after its update ended is ignored.
    quint64 update = 0;
    bool running = false;
    bool busAnswered = false;
    double latest = 0;
    double sent = -1;
};

#endif
