#include "kernelwaitlimit.h"

#include <QDeadlineTimer>
#include <QtGlobal>

#include <csignal>
#include <unistd.h>

namespace {

constexpr long long repeatNanoseconds = 10000000;

thread_local volatile sig_atomic_t signalArrived = 0;
thread_local bool callRunning = false;

void noteSignal(int)
{
    signalArrived = 1;
}

// Installed once and never removed: a real-time signal's default action ends the process. With
// SA_RESTART, calls that the kernel can restart are restarted; the two waits that matter here
// end whatever it says.
bool installHandler()
{
    struct sigaction action
    {
    };
    action.sa_handler = noteSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    return sigaction(kernelWaitLimit::signalNumber(), &action, nullptr) == 0;
}

} // namespace

kernelWaitLimit::kernelWaitLimit()
{
    static const bool installed = installHandler();
    Q_UNUSED(installed)
}

kernelWaitLimit::~kernelWaitLimit()
{
    if (haveTimer)
        timer_delete(timer);
}

int kernelWaitLimit::signalNumber()
{
    return SIGRTMIN + 2;
}

bool kernelWaitLimit::signalledDuringCall()
{
    return callRunning && signalArrived != 0;
}

bool kernelWaitLimit::run(int boundMilliseconds, const std::function<bool()> &call)
{
    const QDeadlineTimer bound(boundMilliseconds, Qt::PreciseTimer);
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!haveTimer) {
            // The timer belongs to the thread that makes the calls: the worker's.
            sigevent event{};
            event.sigev_notify = SIGEV_THREAD_ID;
            event.sigev_signo = signalNumber();
            event._sigev_un._tid = gettid();
            haveTimer = timer_create(CLOCK_MONOTONIC, &event, &timer) == 0;
            if (!haveTimer)
                qWarning("No timer for the interface's waits; they are not bounded");
        }
        running = true;
        interrupted = false;
        arm(qMax(1LL, boundMilliseconds * 1000000LL));
    }
    bool cut = false;
    for (;;) {
        signalArrived = 0;
        callRunning = true;
        const bool done = call();
        callRunning = false;
        if (done || !signalArrived)
            break;
        std::lock_guard<std::mutex> lock(mutex);
        // A signal that neither the bound nor an interruption sent ended the call too early.
        cut = interrupted || bound.hasExpired();
        if (cut)
            break;
    }
    std::lock_guard<std::mutex> lock(mutex);
    running = false;
    arm(0);
    return cut;
}

void kernelWaitLimit::interruptNow()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!running)
        return;
    interrupted = true;
    arm(1);
}

void kernelWaitLimit::arm(long long firstNanoseconds)
{
    if (!haveTimer)
        return;
    itimerspec times{};
    times.it_value = {time_t(firstNanoseconds / 1000000000), long(firstNanoseconds % 1000000000)};
    if (firstNanoseconds > 0)
        times.it_interval = {0, repeatNanoseconds};
    timer_settime(timer, 0, &times, nullptr);
}
