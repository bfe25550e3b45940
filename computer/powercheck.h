#ifndef POWERCHECK_H
#define POWERCHECK_H

#include <QMetaType>
#include <QObject>

// What UPower says about the computer's power supply. The defaults (on mains, nothing known) are
// also what a computer without UPower gets.
struct powerState
{
    bool onBattery = false;
    // Until the battery is empty; -1 when UPower cannot tell.
    qint64 secondsLeft = -1;
    // -1 when unknown.
    double percentage = -1;
};
Q_DECLARE_METATYPE(powerState)

// Whether the battery may run out during an update of this length, with ten minutes to spare.
// Without a time from UPower, a charge below 20 % counts as too little.
bool powerTooShort(const powerState &state, qint64 updateMilliseconds);

// Reads UPower's view of the power supply without ever waiting on the bus.
class powerCheck : public QObject
{
    Q_OBJECT

public:
    explicit powerCheck(QObject *parent = nullptr);

    // Each ask() is answered exactly once, from the event loop, within a second and a quarter
    // whatever the bus does.
    void ask();

signals:
    void answered(powerState state);

private:
    void readUPower();
};

#endif
