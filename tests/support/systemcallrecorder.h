#ifndef SYSTEMCALLRECORDER_H
#define SYSTEMCALLRECORDER_H

#include <QByteArray>
#include <QHashFunctions>
#include <QList>

#include <sys/types.h>

// Sees the serial line where the program meets the kernel. ioctl(), write(), open64(), read(),
// tcsetattr(), tcflush(), and the system log's openlog() and syslog(), are interposed in the test
// executable itself (the C library changes settings and flushes without going through ioctl()).
// Calls on the watched device are recorded with monotonic timestamps at call and return. A
// pseudo-terminal refuses the modem lines and empties its output at once, so both are emulated:
// Data Terminal Ready, and the output queue of a USB interface. Failures can be injected, and a
// stall: the kernel then holds a break request and close() as it does for a USB interface that
// stopped taking data. Interposition silently stops working when the symbols are not exported, so
// tests must see it work.
namespace systemCallRecorder {

enum class call {
    breakOn,
    breakOff,
    write,
    dataTerminalReady,
    settings,
    flush,
    outputQueue,
    close
};
inline uint qHash(call key, uint seed = 0)
{
    return ::qHash(int(key), seed);
}

struct event
{
    call what;
    qint64 nanoseconds; // when the call was made
    qint64 returned;    // when it returned
    QByteArray bytes;   // written bytes
    int value;          // the control flags asked for, or the bytes the output queue reported
    pid_t thread;       // the thread that made the call
};

// The emulated USB interface: the driver reports written bytes as queued until the transfer
// has taken them, this long after the write; then the adapter shifts them onto the line.
constexpr qint64 usbLatencyNanoseconds = 2000000;

bool isActive();

// Starts recording for the device and forgets earlier events and injected failures.
void watch(dev_t device);
// Stops recording and injecting; the events recorded so far stay.
void stopWatching();
// The recorded calls of the given kinds, or of every kind.
QList<event> events(const QList<call> &kinds = {});
QList<QByteArray> writes();
// How often `what` was tried on the watched device, failed tries included.
int callCount(call what);
// How long the latest call of `what` has been waiting in the kernel so far; 0 once it returned.
qint64 heldFor(call what);
bool dataTerminalReady(dev_t device);

// From the call after the first `succeeding` ones on, `what` fails with `error` (errno).
void inject(call what, int error, int succeeding = 0);
// The interface stops taking data once `fromWrite` writes have been made: what is queued then
// and what is written later stays queued. A break request then waits until a signal comes and
// fails with EINTR; close() waits up to 30 s unless a signal comes, and closes. Both waits end
// when the recorder stops watching, so that a failing test cannot hang.
void stallOutput(int fromWrite = 0);
// open64() of this path fails with `error`.
void refuseOpen(const QByteArray &path, int error);
// Reads of this path fail with EIO, as from a USB stick pulled out, once `afterBytes` bytes
// have been read through the same opening.
void failReads(const QByteArray &path, qint64 afterBytes);

} // namespace systemCallRecorder

#endif
