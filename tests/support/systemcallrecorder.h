#ifndef SYSTEMCALLRECORDER_H
#define SYSTEMCALLRECORDER_H

#include <QByteArray>
#include <QList>

#include <sys/types.h>

// Sees the serial line where the program meets the kernel. ioctl(), write(), open64(),
// tcsetattr(), tcflush() and tcdrain() are interposed in the test executable itself (the C
// library changes settings and flushes without going through ioctl()). On the watched device,
// break, writes, settings changes, flushes and output-queue queries are recorded with monotonic
// timestamps. The modem lines of pseudo-terminals (which refuse them) are emulated, and so is
// the output queue of a USB interface, which a pseudo-terminal empties at once. Failures can be
// injected. Interposition silently stops working when the symbols are not
// exported, so tests must check isActive().
namespace systemCallRecorder {

enum class call {
    breakOn,
    breakOff,
    write,
    dataTerminalReady,
    settings,
    flush,
    drain,
    outputQueue
};

struct event
{
    call what;
    qint64 nanoseconds; // when the call was made
    qint64 returned;    // when it returned
    QByteArray bytes;   // written bytes
    int queued;         // bytes the output queue reported
};

// The emulated USB interface: the driver reports written bytes as queued until the transfer
// has taken them, this long after the write; then the adapter shifts them onto the line.
constexpr qint64 usbLatencyNanoseconds = 2000000;

bool isActive();

// Starts recording for the device and forgets earlier events and injected failures.
void watch(dev_t device);
void stopWatching();
QList<event> events();
int callCount(call what);
bool dataTerminalReady(dev_t device);

// From the call after the first `succeeding` ones on, `what` fails with `error` (errno).
void inject(call what, int error, int succeeding = 0);
// The output queue never drains, as with an interface that stopped taking data.
void stallOutput();
// open64() of this path fails with `error`.
void refuseOpen(const QByteArray &path, int error);

} // namespace systemCallRecorder

#endif
