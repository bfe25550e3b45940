#include "powercheck.h"
#include "busprobe.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

#include <memory>

namespace {

// QtDBus waits 25 s by default; UPower answers within milliseconds or not at all.
constexpr int callTimeoutMilliseconds = 1000;
constexpr qint64 marginMilliseconds = 10 * 60 * 1000;
constexpr double lowPercentage = 20;

QDBusPendingCall readProperties(const QDBusConnection &bus, const QString &path,
                                const QString &interface)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.UPower"), path,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    message << interface;
    return bus.asyncCall(message, callTimeoutMilliseconds);
}

// Empty when UPower did not answer.
QVariantMap properties(const QDBusPendingCall &call)
{
    const QDBusPendingReply<QVariantMap> reply = call;
    return reply.isError() ? QVariantMap() : reply.value();
}

powerState stateFrom(const QVariantMap &upower, const QVariantMap &display)
{
    powerState state;
    if (upower.isEmpty())
        return state;
    state.onBattery = upower.value(QStringLiteral("OnBattery")).toBool();
    state.percentage = display.value(QStringLiteral("Percentage"), -1.0).toDouble();
    // UPower says 0 while it is still estimating; the energy and the rate give a first estimate.
    const qint64 timeToEmpty = display.value(QStringLiteral("TimeToEmpty")).toLongLong();
    const double rate = display.value(QStringLiteral("EnergyRate")).toDouble();
    if (timeToEmpty > 0)
        state.secondsLeft = timeToEmpty;
    else if (display.contains(QStringLiteral("Energy")) && rate > 0)
        state.secondsLeft =
            qRound64(display.value(QStringLiteral("Energy")).toDouble() / rate * 3600);
    return state;
}

} // namespace

bool powerTooShort(const powerState &state, qint64 updateMilliseconds)
{
    if (!state.onBattery)
        return false;
    if (state.secondsLeft >= 0)
        return state.secondsLeft * 1000 < updateMilliseconds + marginMilliseconds;
    return state.percentage >= 0 && state.percentage < lowPercentage;
}

powerCheck::powerCheck(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<powerState>();
}

void powerCheck::ask()
{
    probeBus(QDBusConnection::SystemBus, this, [this](bool busAnswered) {
        if (busAnswered)
            readUPower();
        else
            emit answered(powerState());
    });
}

void powerCheck::readUPower()
{
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        QTimer::singleShot(0, this, [this] { emit answered(powerState()); });
        return;
    }
    // Both calls go out at once, so that the answer comes within one call's timeout.
    auto *upower =
        new QDBusPendingCallWatcher(readProperties(bus, QStringLiteral("/org/freedesktop/UPower"),
                                                   QStringLiteral("org.freedesktop.UPower")),
                                    this);
    auto *display = new QDBusPendingCallWatcher(
        readProperties(bus, QStringLiteral("/org/freedesktop/UPower/devices/DisplayDevice"),
                       QStringLiteral("org.freedesktop.UPower.Device")),
        this);
    auto outstanding = std::make_shared<int>(2);
    const auto oneAnswered = [this, upower, display, outstanding] {
        if (--*outstanding > 0)
            return;
        emit answered(stateFrom(properties(*upower), properties(*display)));
        upower->deleteLater();
        display->deleteLater();
    };
    connect(upower, &QDBusPendingCallWatcher::finished, this, oneAnswered);
    connect(display, &QDBusPendingCallWatcher::finished, this, oneAnswered);
}
