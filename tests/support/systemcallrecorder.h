#ifndef SYSTEMCALLRECORDER_H
#define SYSTEMCALLRECORDER_H

#include <QByteArray>
#include <QList>

#include <sys/types.h>

// Sees the serial line where the program meets the kernel. ioctl(), write() and open64() are
// interposed in the test executable itself: break and writes on the watched device are recorded
// with monotonic timestamps, the modem lines of pseudo-terminals (which refuse them) are
// emulated, and failures can be injected. Interposition silently stops working when the
// symbols are not exported, so tests must check isActive().
namespace systemCallRecorder {

enum class call { breakOn, breakOff, write, dataTerminalReady, open };

struct event
{
    call what;
    qint64 nanoseconds;
    QByteArray bytes;
};

bool isActive();

// Starts recording for the device and forgets earlier events and injected failures.
void watch(dev_t device);
void stopWatching();
QList<event> events();
int callCount(call what);
bool dataTerminalReady(dev_t device);

// From the call after the first `succeeding` ones on, `what` fails with `error` (errno).
void inject(call what, int error, int succeeding = 0);
// open64() of this path fails with `error`.
void refuseOpen(const QByteArray &path, int error);

} // namespace systemCallRecorder

#endif
