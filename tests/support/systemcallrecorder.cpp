#include "systemcallrecorder.h"

#include <QHash>

#include <cerrno>
#include <cstdarg>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct failure
{
    int error = 0;
    int succeeding = 0;
};

struct recorderState
{
    std::mutex mutex;
    dev_t watched = 0;
    bool watching = false;
    QList<systemCallRecorder::event> events;
    QHash<int, int> calls;
    QHash<int, failure> failures;
    QHash<dev_t, int> modemLines;
    QByteArray refusedPath;
    int refusedError = 0;
};

recorderState &state()
{
    static recorderState instance;
    return instance;
}

qint64 now()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

template <typename Function> Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

dev_t deviceOf(int fd)
{
    struct stat status
    {
    };
    if (fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode))
        return 0;
    return status.st_rdev;
}

bool isPseudoTerminal(dev_t device)
{
    return device != 0 && major(device) >= 136 && major(device) <= 143;
}

// Counts the call and tells whether it is to fail; call with the mutex held.
int injectedError(recorderState &recorder, systemCallRecorder::call what)
{
    const int key = int(what);
    const int count = recorder.calls.value(key) + 1;
    recorder.calls.insert(key, count);
    const auto found = recorder.failures.constFind(key);
    if (found != recorder.failures.constEnd() && count > found->succeeding)
        return found->error;
    return 0;
}

int fail(int error)
{
    errno = error;
    return -1;
}

} // namespace

namespace systemCallRecorder {

bool isActive()
{
    // Only the interposed ioctl() knows the modem lines of a pseudo-terminal.
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return false;
    grantpt(master);
    unlockpt(master);
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    int lines = TIOCM_DTR;
    const bool active = ioctl(slave, TIOCMBIS, &lines) == 0 &&
                        ioctl(slave, TIOCMGET, &lines) == 0 && (lines & TIOCM_DTR);
    close(slave);
    close(master);
    return active;
}

void watch(dev_t device)
{
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    recorder.watched = device;
    recorder.watching = true;
    recorder.events.clear();
    recorder.calls.clear();
    recorder.failures.clear();
    recorder.refusedPath.clear();
}

void stopWatching()
{
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    recorder.watching = false;
    recorder.failures.clear();
    recorder.refusedPath.clear();
}

QList<event> events()
{
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    return recorder.events;
}

int callCount(call what)
{
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    return recorder.calls.value(int(what));
}

bool dataTerminalReady(dev_t device)
{
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    return recorder.modemLines.value(device) & TIOCM_DTR;
}

void inject(call what, int error, int succeeding)
{
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    recorder.failures.insert(int(what), failure{error, succeeding});
}

void refuseOpen(const QByteArray &path, int error)
{
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    recorder.refusedPath = path;
    recorder.refusedError = error;
}

} // namespace systemCallRecorder

using systemCallRecorder::call;

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);
    static const auto realIoctl = next<int (*)(int, unsigned long, ...)>("ioctl");

    const bool breakRequest = request == TIOCSBRK || request == TIOCCBRK;
    const bool modemRequest =
        request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC;
    if (!breakRequest && !modemRequest)
        return realIoctl(fd, request, argument);

    const dev_t device = deviceOf(fd);
    recorderState &recorder = state();
    std::unique_lock<std::mutex> lock(recorder.mutex);
    const bool watched = recorder.watching && device == recorder.watched;
    if (breakRequest) {
        const call what = request == TIOCSBRK ? call::breakOn : call::breakOff;
        if (watched) {
            if (const int error = injectedError(recorder, what))
                return fail(error);
            recorder.events.append({what, now(), {}});
        }
        lock.unlock();
        return realIoctl(fd, request, argument);
    }
    if (!isPseudoTerminal(device)) {
        lock.unlock();
        return realIoctl(fd, request, argument);
    }
    if (watched && request != TIOCMGET)
        if (const int error = injectedError(recorder, call::dataTerminalReady))
            return fail(error);
    int &lines = recorder.modemLines[device];
    const int given = *static_cast<int *>(argument);
    switch (request) {
    case TIOCMGET:
        *static_cast<int *>(argument) = lines;
        break;
    case TIOCMSET:
        lines = given;
        break;
    case TIOCMBIS:
        lines |= given;
        break;
    case TIOCMBIC:
        lines &= ~given;
        break;
    }
    return 0;
}

extern "C" ssize_t write(int fd, const void *buffer, size_t size)
{
    static const auto realWrite = next<ssize_t (*)(int, const void *, size_t)>("write");
    recorderState &recorder = state();
    {
        std::lock_guard<std::mutex> lock(recorder.mutex);
        if (recorder.watching && deviceOf(fd) == recorder.watched) {
            if (const int error = injectedError(recorder, call::write))
                return fail(error);
            recorder.events.append(
                {call::write, now(), QByteArray(static_cast<const char *>(buffer), int(size))});
        }
    }
    return realWrite(fd, buffer, size);
}

extern "C" int open64(const char *path, int flags, ...)
{
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    static const auto realOpen = next<int (*)(const char *, int, ...)>("open64");
    recorderState &recorder = state();
    {
        std::lock_guard<std::mutex> lock(recorder.mutex);
        if (!recorder.refusedPath.isEmpty() && recorder.refusedPath == path)
            return fail(recorder.refusedError);
    }
    return realOpen(path, flags, mode);
}
