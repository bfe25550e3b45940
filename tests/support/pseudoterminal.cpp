#include "pseudoterminal.h"

#include <asm/termbits.h>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// Both sides are closed in a program the tests start, whose copy of the master would otherwise
// keep a hang-up from ever reaching it.
pseudoTerminal::pseudoTerminal(bool keepReceived)
    : keepReceived(keepReceived), master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
{
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        qFatal("no pseudo-terminal");
    name = QString::fromLocal8Bit(ptsname(master));
    // Held open so that the master never sees a hang-up between two openings by the program.
    slave = open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    struct stat status
    {
    };
    fstat(slave, &status);
    slaveDevice = status.st_rdev;
    reader = std::thread([this] { drain(); });
}

pseudoTerminal::~pseudoTerminal()
{
    if (master >= 0)
        hangUp();
    close(slave);
}

QByteArray pseudoTerminal::received() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return data;
}

pseudoTerminal::lineSettings pseudoTerminal::settings() const
{
    termios2 settings{};
    ioctl(slave, TCGETS2, &settings);
    return {settings.c_ospeed, settings.c_ispeed, settings.c_iflag};
}

void pseudoTerminal::hangUp()
{
    stopping = true;
    reader.join();
    close(master);
    master = -1;
}

void pseudoTerminal::drain()
{
    char buffer[4096];
    while (!stopping) {
        if (!reading) {
            usleep(10000);
            continue;
        }
        // Waits in poll() rather than spinning, so the reader costs the process little CPU.
        pollfd ready{master, POLLIN, 0};
        if (poll(&ready, 1, 50) <= 0 || !(ready.revents & POLLIN))
            continue;
        const ssize_t size = read(master, buffer, sizeof buffer);
        if (size <= 0)
            continue;
        count += size;
        if (keepReceived) {
            std::lock_guard<std::mutex> lock(mutex);
            data.append(buffer, int(size));
        }
    }
}
