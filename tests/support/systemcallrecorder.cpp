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
#include <termios.h>
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
    qint64 handOverAt = 0;
    int handingOver = 0;
    bool outputStalled = false;
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
    recorder.handOverAt = 0;
    recorder.handingOver = 0;
    recorder.outputStalled = false;
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

void stallOutput()
{
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    recorder.outputStalled = true;
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

namespace {

// Records a call on the watched device, or makes it fail as injected: returns the errno to
// fail with, 0 when the real call is to go ahead. Call with the mutex held.
int record(recorderState &recorder, int fd, call what, QByteArray bytes = {}, int queued = 0)
{
    if (!recorder.watching || deviceOf(fd) != recorder.watched)
        return 0;
    if (const int error = injectedError(recorder, what))
        return error;
    recorder.events.append({what, now(), 0, std::move(bytes), queued});
    return 0;
}

// Stamps the return of the call recorded last; the caller made the real call meanwhile.
void returned(recorderState &recorder, int fd)
{
    std::lock_guard<std::mutex> lock(recorder.mutex);
    if (recorder.watching && deviceOf(fd) == recorder.watched && !recorder.events.isEmpty())
        recorder.events.last().returned = now();
}

// Bytes that the emulated driver still holds in its output queue.
int outputQueued(const recorderState &recorder)
{
    if (recorder.outputStalled)
        return 4096;
    return now() < recorder.handOverAt ? recorder.handingOver : 0;
}

template <typename Real> int recordedCall(int fd, call what, Real real)
{
    recorderState &recorder = state();
    {
        std::lock_guard<std::mutex> lock(recorder.mutex);
        if (const int error = record(recorder, fd, what))
            return fail(error);
    }
    const int result = real();
    returned(recorder, fd);
    return result;
}

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);
    static const auto realIoctl = next<int (*)(int, unsigned long, ...)>("ioctl");

    if (request == TIOCSBRK || request == TIOCCBRK)
        return recordedCall(fd, request == TIOCSBRK ? call::breakOn : call::breakOff,
                            [&] { return realIoctl(fd, request, argument); });
    recorderState &recorder = state();
    std::lock_guard<std::mutex> lock(recorder.mutex);
    const dev_t device = deviceOf(fd);
    const bool watched = recorder.watching && device == recorder.watched;
    if (request == TIOCOUTQ && watched) {
        const int queued = outputQueued(recorder);
        if (const int error = record(recorder, fd, call::outputQueue, {}, queued))
            return fail(error);
        recorder.events.last().returned = now();
        *static_cast<int *>(argument) = queued;
        return 0;
    }
    const bool modemRequest =
        request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC;
    if (!modemRequest || !isPseudoTerminal(device))
        return realIoctl(fd, request, argument);
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
        if (const int error = record(recorder, fd, call::write,
                                     QByteArray(static_cast<const char *>(buffer), int(size))))
            return fail(error);
    }
    const ssize_t written = realWrite(fd, buffer, size);
    std::lock_guard<std::mutex> lock(recorder.mutex);
    if (written > 0 && recorder.watching && deviceOf(fd) == recorder.watched) {
        recorder.events.last().returned = now();
        recorder.handOverAt = now() + systemCallRecorder::usbLatencyNanoseconds;
        recorder.handingOver = int(written);
    }
    return written;
}

extern "C" int tcsetattr(int fd, int action, const termios *settings) noexcept
{
    static const auto real = next<int (*)(int, int, const termios *)>("tcsetattr");
    return recordedCall(fd, call::settings, [&] { return real(fd, action, settings); });
}

extern "C" int tcflush(int fd, int queue) noexcept
{
    static const auto real = next<int (*)(int, int)>("tcflush");
    return recordedCall(fd, call::flush, [&] { return real(fd, queue); });
}

extern "C" int tcdrain(int fd)
{
    static const auto real = next<int (*)(int)>("tcdrain");
    return recordedCall(fd, call::drain, [&] { return real(fd); });
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
