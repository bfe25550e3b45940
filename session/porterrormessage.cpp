#include "porterrormessage.h"

#include <QCoreApplication>

#include <iterator>

QString portErrorMessage(qlonglong code)
{
    // The error's name stays as it is in every language: a technician quotes it to support.
    static const char *const messages[] = {
        nullptr,
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: DeviceNotFoundError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: PermissionError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: OpenError Device already open"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: ParityError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: FramingError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: BreakConditionError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: WriteError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: ReadError"),
        QT_TRANSLATE_NOOP("portErrorMessage",
                          "Serialport Error: ResourceError: Device Unavailable"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: UnsupportedOperationError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: UnknownError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: TimeoutError"),
        QT_TRANSLATE_NOOP("portErrorMessage", "Serialport Error: NotOpenError"),
    };
    if (code == 0)
        return {};
    if (code < 0 || code >= qlonglong(std::size(messages)))
        return QCoreApplication::translate("portErrorMessage", "Serialport Error: %1").arg(code);
    return QCoreApplication::translate("portErrorMessage", messages[code]);
}
