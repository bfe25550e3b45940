#include "busprobe.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <utility>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A bus answers within milliseconds; the calls made after it have their own second on top.
constexpr int answerMilliseconds = 250;
bool systemAnsweredOnce = false;
bool sessionAnsweredOnce = false;

QByteArray address(QDBusConnection::BusType bus)
{
    if (bus == QDBusConnection::SessionBus)
        return qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray set = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    return set.isEmpty() ? QByteArray("unix:path=/run/dbus/system_bus_socket") : set;
}

// The socket's name as the kernel takes it: a path, or a NUL and the name for an abstract
// socket. Empty for an address that cannot be asked by hand.
QByteArray socketName(const QByteArray &address)
{
    const QByteArray first = address.split(';').value(0);
    if (!first.startsWith("unix:"))
        return QByteArray();
    for (const QByteArray &pair : first.mid(5).split(',')) {
        if (pair.startsWith("path="))
            return QByteArray::fromPercentEncoding(pair.mid(5));
        if (pair.startsWith("abstract="))
            return '\0' + QByteArray::fromPercentEncoding(pair.mid(9));
    }
    return QByteArray();
}

// By hand, as Qt 5.15's QLocalSocket cannot reach an abstract socket. A unix socket connects at
// once or not at all, so this never waits; a bus whose queue of connections is full counts as
// no bus. -1 when there is none.
int connectedSocket(const QByteArray &name)
{
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof(where.sun_path))
        return -1;
    std::memcpy(where.sun_path, name.constData(), size_t(name.size()));
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size()));
    if (descriptor < 0 || ::connect(descriptor, reinterpret_cast<sockaddr *>(&where), length) == 0)
        return descriptor;
    ::close(descriptor);
    return -1;
}

} // namespace

// Asynchronous rather than a short blocking poll(): the window's thread never waits on the bus.
void probeBus(QDBusConnection::BusType bus, QObject *context, const std::function<void(bool)> &then)
{
    bool &answeredOnce =
        bus == QDBusConnection::SessionBus ? sessionAnsweredOnce : systemAnsweredOnce;
    const QByteArray name = socketName(address(bus));
    if (answeredOnce && !name.isEmpty())
        return then(true);
    auto *socket = new QLocalSocket(context);
    const auto answer = [socket, then, &answeredOnce,
                         done = std::make_shared<bool>(false)](bool answered) {
        if (std::exchange(*done, true))
            return;
        socket->deleteLater();
        if (answered)
            answeredOnce = true;
        then(answered);
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, answer] {
        if (socket->canReadLine())
            answer(true);
    });
    QObject::connect(socket, &QLocalSocket::errorOccurred, socket, [answer] { answer(false); });
    QTimer::singleShot(answerMilliseconds, socket, [answer] { answer(false); });
    // From the event loop, as a missing socket fails at once.
    QTimer::singleShot(0, socket, [socket, name, answer] {
        const int descriptor = connectedSocket(name);
        if (descriptor >= 0 && socket->setSocketDescriptor(descriptor))
            return void(socket->write(QByteArray("\0AUTH\r\n", 7)));
        if (descriptor >= 0)
            ::close(descriptor);
        answer(false);
    });
}

bool busAnswersNow(QDBusConnection::BusType bus)
{
    const int descriptor = connectedSocket(socketName(address(bus)));
    if (descriptor < 0)
        return false;
    QDeadlineTimer bound(answerMilliseconds);
    bool answered = ::send(descriptor, "\0AUTH\r\n", 7, MSG_NOSIGNAL) == 7;
    if (answered) {
        pollfd ready{descriptor, POLLIN, 0};
        while (::poll(&ready, 1, int(bound.remainingTime())) < 0 && errno == EINTR)
            ;
        char reply[64];
        answered = (ready.revents & POLLIN) && ::recv(descriptor, reply, sizeof reply, 0) > 0;
    }
    ::close(descriptor);
    return answered;
}
