#include "porterrormessage.h"

#include <iterator>

QString portErrorMessage(int code)
{
    static const char *const messages[] = {
        "",
        "Serialport Error: DeviceNotFoundError",
        "Serialport Error: PermissionError",
        "Serialport Error: OpenError Device already open",
        "Serialport Error: ParityError",
        "Serialport Error: FramingError",
        "Serialport Error: BreakConditionError",
        "Serialport Error: WriteError",
        "Serialport Error: ReadError",
        "Serialport Error: ResourceError: Device Unavailable",
        "Serialport Error: UnsupportedOperationError",
        "Serialport Error: UnknownError",
        "Serialport Error: TimeoutError",
        "Serialport Error: NotOpenError",
    };
    // Negative codes fall beyond the table too.
    const unsigned int index = static_cast<unsigned int>(code);
    return index < std::size(messages) ? messages[index] : "";
}
