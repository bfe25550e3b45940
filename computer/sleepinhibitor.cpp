#include "sleepinhibitor.h"
#include "busprobe.h"
#include "computerlog.h"
#include "programidentity.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString everything = QStringLiteral("shutdown:sleep:idle:handle-power-key:handle-suspend-key:"
                                          "handle-hibernate-key:handle-lid-switch");
// polkit may refuse the shutdown and key locks to a session that is allowed the sleep lock.
const QString sleepOnly = QStringLiteral("sleep:idle");
// QtDBus waits 25 s by default; logind answers within milliseconds or not at all.
constexpr int callTimeoutMilliseconds = 1000;

// Asking again for less is only worth it when logind itself said no.
bool logindRefused(const QDBusError &error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
    case QDBusError::Disconnected:
        return false;
    default:
        return true;
    }
}

} // namespace

sleepInhibitor::sleepInhibitor(QObject *parent) : QObject(parent)
{
}

sleepInhibitor::~sleepInhibitor()
{
    release();
}

void sleepInhibitor::hold()
{
    wanted = true;
    if (lockDescriptor < 0 && !asking)
        ask(everything);
}

void sleepInhibitor::release()
{
    wanted = false;
    if (lockDescriptor >= 0)
        ::close(lockDescriptor);
    lockDescriptor = -1;
}

bool sleepInhibitor::isHeld() const
{
    return lockDescriptor >= 0;
}

void sleepInhibitor::ask(const QString &what)
{
    asking = true;
    probeBus(QDBusConnection::SystemBus, this, [this, what](bool busAnswered) {
        if (busAnswered)
            callLogind(what);
        else
            noLogind(tr("the system bus does not answer"));
    });
}

void sleepInhibitor::callLogind(const QString &what)
{
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        // Reported from the event loop, as every other answer is.
        QTimer::singleShot(0, this,
                           [this, reason = bus.lastError().message()] { noLogind(reason); });
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    message << what << QString(programIdentity::name) << tr("Fixture firmware update in progress")
            << QStringLiteral("block");
    auto *call = new QDBusPendingCallWatcher(bus.asyncCall(message, callTimeoutMilliseconds), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, call, what] { answered(call, what); });
}

void sleepInhibitor::noLogind(const QString &reason)
{
    asking = false;
    if (wanted)
        giveUp(reason);
}

void sleepInhibitor::answered(QDBusPendingCallWatcher *call, const QString &what)
{
    asking = false;
    // Every copy of the reply holds the descriptor open: the watcher's goes with it, this one at
    // the end of the function, and only the duplicate taken below is kept.
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
    call->deleteLater();
    if (!wanted)
        return;
    if (reply.isError()) {
        if (what == everything && logindRefused(reply.error()))
            ask(sleepOnly);
        else
            giveUp(reply.error().message());
        return;
    }
    lockDescriptor = ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 3);
    if (lockDescriptor < 0)
        giveUp(tr("logind answered without a lock"));
}

void sleepInhibitor::giveUp(const QString &reason)
{
    qCDebug(computerLog) << "No sleep inhibitor:" << reason;
    emit unavailable(reason);
}
