#include "busmock.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QThread>

#include <csignal>

namespace {

// Python starts slowly on a loaded CI machine; the waits end as soon as the bus has changed.
constexpr int startMilliseconds = 30000;

QVariant plain(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QDBusVariant>())
        return plain(value.value<QDBusVariant>().variant());
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return value;
    const QDBusArgument argument = value.value<QDBusArgument>();
    QVariantList items;
    switch (argument.currentType()) {
    case QDBusArgument::StructureType:
        argument.beginStructure();
        while (!argument.atEnd())
            items << plain(argument.asVariant());
        argument.endStructure();
        return items;
    case QDBusArgument::ArrayType:
        argument.beginArray();
        while (!argument.atEnd())
            items << plain(argument.asVariant());
        argument.endArray();
        return items;
    case QDBusArgument::MapType:
        return qdbus_cast<QVariantMap>(argument);
    default:
        return argument.asVariant();
    }
}

// The well-known name that the process owns, if any.
QString nameOwnedBy(const QDBusConnection &connection, qint64 pid)
{
    QDBusConnectionInterface *bus = connection.interface();
    for (const QString &name : bus->registeredServiceNames().value()) {
        if (!name.startsWith(QLatin1Char(':')) && bus->servicePid(name).value() == pid)
            return name;
    }
    return QString();
}

} // namespace

busMock::busMock(const QString &templateName, const QString &parameters,
                 QDBusConnection::BusType bus)
    : bus(bus), connection(bus == QDBusConnection::SystemBus ? QDBusConnection::systemBus()
                                                             : QDBusConnection::sessionBus()),
      templateName(templateName), parameters(parameters)
{
}

busMock::~busMock()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished();
    // The next test may start the same template, or expect its service to be gone.
    const QDeadlineTimer deadline(startMilliseconds);
    while (connection.interface()->isServiceRegistered(busName) && !deadline.hasExpired())
        QThread::msleep(10);
}

bool busMock::serve(const QString &how)
{
    if (!onPrivateBus()) {
        failure = QStringLiteral("the bus address does not name the tests' private bus; run the "
                                 "tests through ctest");
        return false;
    }
    if (how == QLatin1String("absent"))
        return true;
    if (!start())
        return false;
    if (how == QLatin1String("hung"))
        ::kill(static_cast<pid_t>(process.processId()), SIGSTOP);
    return true;
}

bool busMock::start()
{
    // Debian's module, whichever python3 comes first on the PATH.
    process.setProgram(QStringLiteral("/usr/bin/python3"));
    process.setArguments({"-m", "dbusmock",
                          bus == QDBusConnection::SystemBus ? "--system" : "--session",
                          "--template", templateName, "-p", parameters});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start();
    const QDeadlineTimer deadline(startMilliseconds);
    while (!deadline.hasExpired()) {
        if (process.waitForFinished(10) || process.state() == QProcess::NotRunning) {
            failure =
                QString::fromLocal8Bit(process.readAllStandardError()) + process.errorString();
            return false;
        }
        busName = nameOwnedBy(connection, process.processId());
        if (!busName.isEmpty())
            return true;
    }
    failure = QStringLiteral("the %1 mock took no name on the bus").arg(templateName);
    return false;
}

QVariant busMock::call(const QString &interface, const QString &method,
                       const QVariantList &arguments)
{
    if (busName.isEmpty())
        return QStringLiteral("nothing served");
    QDBusMessage message = QDBusMessage::createMethodCall(
        busName, QLatin1Char('/') + QString(busName).replace(QLatin1Char('.'), QLatin1Char('/')),
        interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = connection.call(message, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage)
        return reply.errorName();
    return plain(reply.arguments().value(0));
}

QVariant busMock::control(const QString &method, const QVariantList &arguments)
{
    return call(QStringLiteral("org.freedesktop.DBus.Mock"), method, arguments);
}

int busMock::callCount(const QString &method)
{
    return control(QStringLiteral("GetMethodCalls"), {method}).toList().size();
}

void busMock::refuse(const QString &method, const QString &inSignature, const QString &outSignature,
                     const QString &condition)
{
    const QString code = QStringLiteral(
        "import dbusmock.templates.%1 as template\n"
        "if %2:\n"
        "    raise dbus.exceptions.DBusException(name='org.freedesktop.DBus.Error.AccessDenied')\n"
        "ret = template.%3(self, *args)");
    control(QStringLiteral("AddMethod"), {QString(), method, inSignature, outSignature,
                                          code.arg(templateName, condition, method)});
}

// ctest names its buses so.
bool busMock::onPrivateBus() const
{
    return qgetenv(bus == QDBusConnection::SystemBus ? "DBUS_SYSTEM_BUS_ADDRESS"
                                                     : "DBUS_SESSION_BUS_ADDRESS")
        .contains("fixture-updater-bus-");
}
