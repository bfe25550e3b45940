#include "dockprogress.h"
#include "busprobe.h"
#include "computerlog.h"
#include "programidentity.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {

// Often enough for a bar to move smoothly, seldom enough for a file of short lines.
constexpr int pacingMilliseconds = 250;

} // namespace

dockProgress::dockProgress(QObject *parent) : QObject(parent)
{
    pacing.setSingleShot(true);
    pacing.setInterval(pacingMilliseconds);
    connect(&pacing, &QTimer::timeout, this, [this] {
        if (latest != sent)
            send(true);
    });
}

dockProgress::~dockProgress()
{
    end();
}

void dockProgress::begin()
{
    running = true;
    busAnswered = false;
    latest = 0;
    sent = -1;
    probeBus(QDBusConnection::SessionBus, this, [this, asked = ++update](bool answered) {
        if (asked != update || !running)
            return;
        busAnswered = answered && QDBusConnection::sessionBus().isConnected();
        if (busAnswered)
            send(true);
        else
            qCDebug(computerLog) << "No progress in the dock: no session bus";
    });
}

void dockProgress::show(double fraction)
{
    latest = fraction;
    if (busAnswered && !pacing.isActive() && latest != sent)
        send(true);
}

void dockProgress::end()
{
    if (busAnswered) {
        pacing.stop();
        if (latest != sent)
            send(true);
        send(false);
    }
    running = false;
    busAnswered = false;
}

// From any object path: the listeners go by the desktop entry that the signal names.
void dockProgress::send(bool visible)
{
    QDBusMessage message = QDBusMessage::createSignal(
        QStringLiteral("/") + QString(programIdentity::applicationId).replace('.', '/'),
        QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    message << QStringLiteral("application://%1.desktop").arg(programIdentity::applicationId)
            << QVariantMap{{QStringLiteral("progress"), latest},
                           {QStringLiteral("progress-visible"), visible}};
    QDBusConnection::sessionBus().send(message);
    sent = latest;
    pacing.start();
}
