#include "historyrow.h"

QString historyRow::key(frontEnd source)
{
    return source == frontEnd::window ? QStringLiteral("window") : QStringLiteral("commandline");
}

QString historyRow::key(outcome result)
{
    switch (result) {
    case outcome::finished:
        return QStringLiteral("finished");
    case outcome::canceled:
        return QStringLiteral("canceled");
    case outcome::failed:
        return QStringLiteral("failed");
    case outcome::running:
        return QStringLiteral("running");
    case outcome::interrupted:
        return QStringLiteral("interrupted");
    }
    return {};
}

historyRow::frontEnd historyRow::sourceOf(const QString &key)
{
    return key == historyRow::key(frontEnd::commandLine) ? frontEnd::commandLine : frontEnd::window;
}

historyRow::outcome historyRow::resultOf(const QString &key)
{
    for (const outcome result : {outcome::finished, outcome::canceled, outcome::failed})
        if (key == historyRow::key(result))
            return result;
    return outcome::running;
}

QString historyRow::sourceText() const
{
    return source == frontEnd::window ? tr("window") : tr("command line");
}

QString historyRow::resultText() const
{
    switch (result) {
    case outcome::finished:
        return tr("Finished");
    case outcome::canceled:
        return tr("Canceled");
    case outcome::failed:
        return tr("Failed");
    case outcome::running:
        return tr("Running");
    case outcome::interrupted:
        return tr("Interrupted");
    }
    return {};
}

QString historyRow::interfaceText() const
{
    const QString box = (interfaceDescription + ' ' + serialNumber).trimmed();
    return box.isEmpty() ? port : QStringLiteral("%1 (%2)").arg(port, box);
}
