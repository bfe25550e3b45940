#include "unixsignalwatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int socketPair[2] = {-1, -1};

void forward(int signalNumber)
{
    const int savedErrno = errno;
    const char number = char(signalNumber);
    send(socketPair[0], &number, 1, MSG_DONTWAIT);
    errno = savedErrno;
}

void handle(void (*handler)(int))
{
    struct sigaction action
    {
    };
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

unixSignalWatcher::unixSignalWatcher(QObject *parent) : QObject(parent)
{
    socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, socketPair);
    notifier = new QSocketNotifier(socketPair[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char number = 0;
        if (recv(socketPair[1], &number, 1, 0) == 1)
            emit caught(number);
    });
    handle(forward);
}

unixSignalWatcher::~unixSignalWatcher()
{
    handle(SIG_DFL);
    delete notifier;
    ::close(socketPair[0]);
    ::close(socketPair[1]);
}

void unixSignalWatcher::dieBy(int signalNumber)
{
    signal(signalNumber, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signalNumber);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(signalNumber);
    _exit(128 + signalNumber);
}
