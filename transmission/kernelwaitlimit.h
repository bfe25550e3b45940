#ifndef KERNELWAITLIMIT_H
#define KERNELWAITLIMIT_H

#include <ctime>
#include <functional>
#include <mutex>

// Bounds the system calls in which the kernel may wait without limit. On a USB interface that
// stopped taking data while still plugged in, a break request waits until the driver's queue is
// empty and close() waits up to 30 s for it; only a signal ends either wait. A per-thread timer
// sends the waiting thread one dedicated real-time signal once the bound has passed, and again
// every 10 ms, so that a signal that lands just before the call enters the kernel is not lost.
// The handler does nothing: the break request fails with EINTR, and close() stops waiting and
// closes. Qt's own sleeps, polls, reads and writes retry on EINTR, so a late signal is harmless.
class kernelWaitLimit
{
public:
    kernelWaitLimit();
    ~kernelWaitLimit();

    // Runs `call`, which returns false when it failed, in the calling thread, and signals the
    // thread once the bound has passed (at once for 0). A call that a signal from elsewhere
    // ended is made again. True when the bound or interruptNow() cut the call short.
    bool run(int boundMilliseconds, const std::function<bool()> &call);
    // From any thread: the call that run() is making now is cut short at once.
    void interruptNow();

    // Whether the signal reached the calling thread during the call that run() is making.
    static bool signalledDuringCall();
    static int signalNumber();

private:
    void arm(long long firstNanoseconds);

    std::mutex mutex;
    timer_t timer{};
    bool haveTimer = false;
    bool running = false;
    bool interrupted = false;
};

#endif
