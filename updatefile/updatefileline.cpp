#include "updatefileline.h"

namespace {

QByteArray field(const QByteArray &line, int start, int end)
{
    return QByteArray::fromRawData(line.constData() + start, (end < 0 ? line.size() : end) - start);
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
    parsed.frameHoldTime = field(line, 0, end).toUInt(nullptr, 10);
    parsed.frameData.reserve(line.count(' '));
    while (end >= 0) {
        const int start = end + 1;
        end = line.indexOf(' ', start);
        parsed.frameData.append(static_cast<char>(field(line, start, end).toShort(nullptr, 16)));
    }
    return parsed;
}
