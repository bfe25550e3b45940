#include "updatefileline.h"

#include <QList>

// Existing update files depend on the exact token rules: every blank separates two fields, so a
// trailing blank or two blanks in a row add a 0x00 byte, and a field that is not a number
// becomes 0 instead of rejecting the file.
updateFileLine updateFileLine::fromLine(const QByteArray &line)
{
    updateFileLine parsed;
    const QList<QByteArray> fields = line.split(' ');
    if (fields.first().startsWith('#')) {
        parsed.isComment = true;
        return parsed;
    }
    parsed.frameHoldTime = fields.first().toUInt(nullptr, 10);
    parsed.frameData.reserve(fields.size() - 1);
    for (int field = 1; field < fields.size(); ++field)
        parsed.frameData.append(static_cast<char>(fields[field].toShort(nullptr, 16)));
    return parsed;
}
