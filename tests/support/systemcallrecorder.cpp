#include "systemcallrecorder.h"

#include <QHash>

#include <cerrno>
#include <cstdarg>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <syslog.h>
#include <termios.h>
#include <unistd.h>

using systemCallRecorder::call;

namespace {

struct recorderState
{
    std::mutex mutex;
    dev_t watched = 0;
    QList<systemCallRecorder::event> events;
    QHash<call, int> calls;
    QHash<call, QPair<int, int>> failures; // errno, calls that succeed first
    QHash<dev_t, int> modemLines;
    QByteArray refusedPath;
    int refusedError = 0;
    QByteArray failingPath;
    qint64 failingAfter = 0;
    QHash<int, qint64> failingReads; // descriptor of the failing path, bytes read through it
    qint64 handOverAt = 0;
    int handingOver = 0;
    int stallFromWrite = -1; // -1: no stall
    int stuckBytes = 0;
};

// A function-local state, since the C library is called during static initialisation.
recorderState &state()
{
    static recorderState instance;
    return instance;
}

// Runs `f` on the recorder's state under its lock.
template <typename Function> auto locked(Function f)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    return f(state());
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
    return fstat(fd, &status) == 0 && S_ISCHR(status.st_mode) ? status.st_rdev : 0;
}

bool watched(const recorderState &state, int fd)
{
    return state.watched != 0 && deviceOf(fd) == state.watched;
}

int fail(int error)
{
    errno = error;
    return -1;
}

// Makes the real call, recorded with the times of call and return when it is on the watched
// device, or fails it as injected.
template <typename Real>
auto recorded(int fd, call what, Real real, QByteArray bytes = {}, int value = 0)
{
    int error = 0;
    const int index = locked([&](recorderState &state) {
        if (!watched(state, fd))
            return -1;
        const QPair<int, int> failure = state.failures.value(what);
        if (++state.calls[what] > failure.second && failure.first != 0) {
            error = failure.first;
            return -1;
        }
        state.events.append({what, now(), 0, std::move(bytes), value, gettid()});
        return state.events.size() - 1;
    });
    if (error != 0)
        return decltype(real())(fail(error));
    const auto result = real();
    locked([&](recorderState &state) {
        if (index < 0 || index >= state.events.size())
            return;
        state.events[index].returned = now();
        if (what == call::write && result > 0) {
            state.handOverAt = now() + systemCallRecorder::usbLatencyNanoseconds;
            state.handingOver = int(result);
            if (state.stallFromWrite >= 0 && state.calls[call::write] >= state.stallFromWrite)
                state.stuckBytes += int(result);
        }
    });
    return result;
}

// Waits while the watched interface has stuck bytes, as the kernel waits for a driver's queue
// to empty: true when a signal ended the wait.
bool heldByStall(int fd, qint64 limit)
{
    const qint64 until = now() + limit;
    const timespec slice{0, 10000000};
    while (now() < until &&
           locked([fd](recorderState &state) { return watched(state, fd) && state.stuckBytes; }))
        if (ppoll(nullptr, 0, &slice, nullptr) < 0 && errno == EINTR)
            return true;
    return false;
}

} // namespace

namespace systemCallRecorder {

bool isActive()
{
    // Only the interposed ioctl() knows the modem lines of a pseudo-terminal.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    int lines = TIOCM_DTR;
    const bool active = ioctl(slave, TIOCMBIS, &lines) == 0 && dataTerminalReady(deviceOf(slave));
    close(slave);
    close(master);
    return active;
}

void watch(dev_t device)
{
    stopWatching();
    locked([device](recorderState &state) {
        state.watched = device;
        state.events.clear();
        state.calls.clear();
    });
}

void stopWatching()
{
    locked([](recorderState &state) {
        state.watched = 0;
        state.failures.clear();
        state.refusedPath.clear();
        state.failingPath.clear();
        state.failingReads.clear();
        state.handOverAt = 0;
        state.stallFromWrite = -1;
        state.stuckBytes = 0;
    });
}

QList<event> events(const QList<call> &kinds)
{
    QList<event> found;
    for (const event &recordedEvent : locked([](recorderState &state) { return state.events; }))
        if (kinds.isEmpty() || kinds.contains(recordedEvent.what))
            found << recordedEvent;
    return found;
}

QList<QByteArray> writes()
{
    QList<QByteArray> written;
    for (const event &write : events({call::write}))
        written << write.bytes;
    return written;
}

int callCount(call what)
{
    return locked([what](recorderState &state) { return state.calls.value(what); });
}

qint64 heldFor(call what)
{
    const QList<event> calls = events({what});
    return calls.isEmpty() || calls.last().returned ? 0 : now() - calls.last().nanoseconds;
}

bool dataTerminalReady(dev_t device)
{
    return locked([device](recorderState &state) { return state.modemLines[device] & TIOCM_DTR; });
}

void inject(call what, int error, int succeeding)
{
    locked([&](recorderState &state) { state.failures.insert(what, {error, succeeding}); });
}

void stallOutput(int fromWrite)
{
    locked([fromWrite](recorderState &state) {
        state.stallFromWrite = fromWrite;
        if (state.calls[call::write] >= fromWrite && now() < state.handOverAt)
            state.stuckBytes = state.handingOver;
    });
}

void refuseOpen(const QByteArray &path, int error)
{
    locked([&](recorderState &state) {
        state.refusedPath = path;
        state.refusedError = error;
    });
}

void failReads(const QByteArray &path, qint64 afterBytes)
{
    locked([&](recorderState &state) {
        state.failingPath = path;
        state.failingAfter = afterBytes;
    });
}

} // namespace systemCallRecorder

// The program's journal lines never reach the machine's journal; a test that wants them names a
// file in RECORDED_SYSLOG, which gets one "ident<TAB>priority<TAB>text" line for each.
namespace {

QByteArray syslogIdent;

void recordSyslog(int priority, const char *format, va_list arguments)
{
    char text[4096];
    vsnprintf(text, sizeof text, format, arguments);
    const QByteArray path = qgetenv("RECORDED_SYSLOG");
    FILE *journal = path.isEmpty() ? nullptr : fopen(path.constData(), "a");
    if (!journal)
        return;
    fprintf(journal, "%s\t%d\t%s\n", syslogIdent.constData(), priority & LOG_PRIMASK, text);
    fclose(journal);
}

} // namespace

extern "C" void openlog(const char *ident, int, int)
{
    syslogIdent = ident;
}

extern "C" void syslog(int priority, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    recordSyslog(priority, format, arguments);
    va_end(arguments);
}

extern "C" void __syslog_chk(int priority, int, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    recordSyslog(priority, format, arguments);
    va_end(arguments);
}

extern "C" ssize_t read(int fd, void *buffer, size_t size)
{
    static const auto realRead = next<ssize_t (*)(int, void *, size_t)>("read");
    const bool fails = locked([fd](recorderState &state) {
        const auto bytes = state.failingReads.constFind(fd);
        return bytes != state.failingReads.cend() && *bytes >= state.failingAfter;
    });
    if (fails)
        return fail(EIO);
    const ssize_t result = realRead(fd, buffer, size);
    if (result > 0)
        locked([&](recorderState &state) {
            if (state.failingReads.contains(fd))
                state.failingReads[fd] += result;
        });
    return result;
}

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list arguments;
    va_start(arguments, request);
    int *value = va_arg(arguments, int *);
    va_end(arguments);
    static const auto realIoctl = next<int (*)(int, unsigned long, ...)>("ioctl");
    const auto real = [&] {
        return realIoctl(fd, request, value);
    };
    if (request == TIOCSBRK)
        return recorded(fd, call::breakOn,
                        [&] { return heldByStall(fd, 3600000000000LL) ? fail(EINTR) : real(); });
    if (request == TIOCCBRK)
        return recorded(fd, call::breakOff, real);
    if (request == TIOCOUTQ) {
        // What a USB interface's driver still holds; a pseudo-terminal holds nothing.
        const int queued = locked([&](recorderState &state) {
            return !watched(state, fd)        ? -1
                   : state.stuckBytes > 0     ? state.stuckBytes
                   : now() < state.handOverAt ? state.handingOver
                                              : 0;
        });
        if (queued < 0)
            return real();
        return recorded(
            fd, call::outputQueue, [&] { return *value = queued, 0; }, {}, queued);
    }
    const dev_t device = deviceOf(fd);
    if (major(device) < 136 || major(device) > 143 ||
        (request != TIOCMGET && request != TIOCMSET && request != TIOCMBIS && request != TIOCMBIC))
        return real();
    // A pseudo-terminal's modem lines, which it refuses to have.
    if (request == TIOCMGET)
        return locked([&](recorderState &state) { return *value = state.modemLines[device], 0; });
    return recorded(fd, call::dataTerminalReady, [&] {
        return locked([&](recorderState &state) {
            int &lines = state.modemLines[device];
            lines = request == TIOCMSET   ? *value
                    : request == TIOCMBIS ? lines | *value
                                          : lines & ~*value;
            return 0;
        });
    });
}

extern "C" ssize_t write(int fd, const void *buffer, size_t size)
{
    static const auto realWrite = next<ssize_t (*)(int, const void *, size_t)>("write");
    return recorded(
        fd, call::write, [&] { return realWrite(fd, buffer, size); },
        QByteArray(static_cast<const char *>(buffer), int(size)));
}

extern "C" int tcsetattr(int fd, int action, const termios *settings) noexcept
{
    static const auto real = next<int (*)(int, int, const termios *)>("tcsetattr");
    // A pseudo-terminal forces 8 data bits and no parity, so what is asked for is kept.
    return recorded(
        fd, call::settings, [&] { return real(fd, action, settings); }, {}, int(settings->c_cflag));
}

extern "C" int tcflush(int fd, int queue) noexcept
{
    static const auto real = next<int (*)(int, int)>("tcflush");
    return recorded(fd, call::flush, [&] { return real(fd, queue); });
}

extern "C" int close(int fd)
{
    static const auto realClose = next<int (*)(int)>("close");
    locked([fd](recorderState &state) { state.failingReads.remove(fd); });
    return recorded(fd, call::close, [&] {
        heldByStall(fd, 30000000000LL);
        return realClose(fd);
    });
}

extern "C" int open64(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = flags & (O_CREAT | O_TMPFILE) ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    static const auto realOpen = next<int (*)(const char *, int, ...)>("open64");
    const int refused = locked([path](recorderState &state) {
        return state.refusedPath == path ? state.refusedError : 0;
    });
    if (refused)
        return fail(refused);
    const int fd = realOpen(path, flags, mode);
    locked([&](recorderState &state) {
        if (fd >= 0 && state.failingPath == path)
            state.failingReads.insert(fd, 0);
    });
    return fd;
}
