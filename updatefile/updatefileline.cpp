#include "updatefileline.h"

namespace {

QByteArray field(const QByteArray &line, int start, int end)
{
    return QByteArray::fromRawData(line.constData() + start, (end < 0 ? line.size() : end) - start);
}

// An empty field is part of the format; one that holds something the conversion cannot read is
// not frame data. The conversion itself allows blanks and the line end around the number.
bool unreadable(const QByteArray &field, bool converted)
{
    return !converted && !field.trimmed().isEmpty();
}

} // namespace

// Existing update files depend on the exact field rules: every blank separates two fields, so a
// trailing blank or two blanks in a row add a 0x00 byte, and a field that is not a number
// becomes 0 instead of rejecting the file. Fields are read in place rather than split into a
// list first, because a line may be megabytes long.
updateFileLine updateFileLine::fromLine(const QByteArray &line)
{
    updateFileLine parsed;
    if (line.startsWith('#')) {
        parsed.isComment = true;
        return parsed;
    }
    int end = line.indexOf(' ');
    bool converted = true;
    const QByteArray hold = field(line, 0, end);
    parsed.frameHoldTime = hold.toUInt(&converted, 10);
    parsed.isDoubtful = unreadable(hold, converted);
    parsed.frameData.reserve(line.count(' '));
    while (end >= 0) {
        const int start = end + 1;
        end = line.indexOf(' ', start);
        const QByteArray byte = field(line, start, end);
        parsed.frameData.append(static_cast<char>(byte.toShort(&converted, 16)));
        parsed.isDoubtful = parsed.isDoubtful || unreadable(byte, converted);
    }
    return parsed;
}
