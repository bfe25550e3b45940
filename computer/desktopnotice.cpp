#include "desktopnotice.h"
#include "busprobe.h"
#include "computerlog.h"
#include "programidentity.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <utility>

namespace {

const QString server = QStringLiteral("org.freedesktop.Notifications");
const QString serverPath = QStringLiteral("/org/freedesktop/Notifications");
// QtDBus waits 25 s by default; a notification server answers within milliseconds or not at all.
constexpr int callTimeoutMilliseconds = 1000;
constexpr uchar normalUrgency = 1;
constexpr uchar criticalUrgency = 2;

QDBusPendingCallWatcher *call(const QDBusMessage &message, QObject *parent)
{
    return new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(message, callTimeoutMilliseconds), parent);
}

QDBusMessage method(const QString &name)
{
    return QDBusMessage::createMethodCall(server, serverPath, server, name);
}

} // namespace

desktopNotice::desktopNotice(QString actionText, QObject *parent)
    : QObject(parent), actionText(std::move(actionText))
{
}

void desktopNotice::show(const QString &summary, const QString &body, bool urgent)
{
    probeBus(QDBusConnection::SessionBus, this, [=](bool answered) {
        if (answered && QDBusConnection::sessionBus().isConnected())
            ask(summary, body, urgent);
        else
            qCDebug(computerLog) << "No desktop notice: no session bus";
    });
}

// Whether the server reads markup in the body decides whether it is escaped.
void desktopNotice::ask(const QString &summary, const QString &body, bool urgent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // From any sender: naming the server would make QtDBus ask the bus for its owner, and wait.
    if (!std::exchange(listening, true)) {
        bus.connect(QString(), serverPath, server, QStringLiteral("ActionInvoked"), this,
                    SLOT(actionInvoked(uint, QString)));
        bus.connect(QString(), serverPath, server, QStringLiteral("NotificationClosed"), this,
                    SLOT(closed(uint)));
    }
    QDBusPendingCallWatcher *capabilities = call(method(QStringLiteral("GetCapabilities")), this);
    connect(capabilities, &QDBusPendingCallWatcher::finished, this, [=] {
        capabilities->deleteLater();
        const QDBusPendingReply<QStringList> reply = *capabilities;
        if (reply.isError())
            qCDebug(computerLog) << "No desktop notice:" << reply.error().message();
        else if (reply.value().contains(QStringLiteral("body-markup")))
            notify(summary, body.toHtmlEscaped(), urgent);
        else
            notify(summary, body, urgent);
    });
}

void desktopNotice::notify(const QString &summary, const QString &body, bool urgent)
{
    QDBusMessage message = method(QStringLiteral("Notify"));
    // The hints name the urgency as a byte, which a plain number would not be.
    message << QString(programIdentity::name) << 0u << QString(programIdentity::applicationId)
            << summary << body << QStringList{QStringLiteral("default"), actionText}
            << QVariantMap{{QStringLiteral("desktop-entry"),
                            QString(programIdentity::applicationId)},
                           {QStringLiteral("urgency"),
                            QVariant::fromValue<uchar>(urgent ? criticalUrgency : normalUrgency)}}
            << -1;
    QDBusPendingCallWatcher *notified = call(message, this);
    connect(notified, &QDBusPendingCallWatcher::finished, this, [this, notified] {
        notified->deleteLater();
        const QDBusPendingReply<uint> reply = *notified;
        if (reply.isError())
            qCDebug(computerLog) << "No desktop notice:" << reply.error().message();
        else
            shown.insert(reply.value());
    });
}

void desktopNotice::actionInvoked(uint id, const QString &action)
{
    if (action == QLatin1String("default") && shown.contains(id))
        emit clicked();
}

void desktopNotice::closed(uint id)
{
    shown.remove(id);
}
