#include "systembusprobe.h"

#include <QFile>
#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <utility>

namespace {

// A bus answers within milliseconds; the power check's call has its second on top of this.
constexpr int answerMilliseconds = 250;
bool answeredOnce = false;

// Where the system bus listens: the unix:path= that the environment names, else the usual socket.
QString socketPath()
{
    for (const QByteArray &address : qgetenv("DBUS_SYSTEM_BUS_ADDRESS").split(';')) {
        if (!address.startsWith("unix:"))
            continue;
        for (const QByteArray &pair : address.mid(5).split(','))
            if (pair.startsWith("path="))
                return QFile::decodeName(QByteArray::fromPercentEncoding(pair.mid(5)));
    }
    return QStringLiteral("/run/dbus/system_bus_socket");
}

} // namespace

// Asynchronous rather than a short blocking poll(): the window's thread never waits on the bus,
// and QLocalSocket connects without blocking.
void probeSystemBus(QObject *context, const std::function<void(bool)> &then)
{
    if (answeredOnce)
        return then(true);
    auto *socket = new QLocalSocket(context);
    const auto answer = [socket, then, done = std::make_shared<bool>(false)](bool answered) {
        if (std::exchange(*done, true))
            return;
        socket->deleteLater();
        if (answered)
            answeredOnce = true;
        then(answered);
    };
    QObject::connect(socket, &QLocalSocket::connected, socket,
                     [socket] { socket->write(QByteArray("\0AUTH\r\n", 7)); });
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, answer] {
        if (socket->canReadLine())
            answer(true);
    });
    QObject::connect(socket, &QLocalSocket::errorOccurred, socket, [answer] { answer(false); });
    QTimer::singleShot(answerMilliseconds, socket, [answer] { answer(false); });
    // From the event loop, as a missing socket fails within connectToServer().
    QTimer::singleShot(0, socket, [socket] { socket->connectToServer(socketPath()); });
}
