#include "fuzzcheck.h"
#include "updatefileline.h"

#include <QList>
#include <cstddef>
#include <cstdint>

static bool isDecimal(const QByteArray &field)
{
    for (const char c : field)
        if (c < '0' || c > '9')
            return false;
    return !field.isEmpty();
}

static bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

static void checkLine(const QByteArray &line)
{
    const updateFileLine parsed = updateFileLine::fromLine(line);
    const updateFileLine again = updateFileLine::fromLine(line);
    require(parsed.isComment == again.isComment && parsed.frameHoldTime == again.frameHoldTime &&
                parsed.frameData == again.frameData,
            "the same line always gives the same frame");
    require(parsed.isComment == line.startsWith('#'), "a comment is a line whose first byte is #");
    if (parsed.isComment) {
        require(parsed.frameHoldTime == 0 && parsed.frameData.isEmpty(), "a comment has no frame");
        return;
    }
    require(parsed.frameData.size() == line.count(' '), "every blank adds exactly one data byte");

    // Fields in the form files are written in must read back exactly.
    const QList<QByteArray> fields = (line.endsWith('\n') ? line.chopped(1) : line).split(' ');
    const QByteArray &hold = fields.first();
    if (isDecimal(hold) && hold.size() <= 10) {
        quint64 value = 0;
        for (const char c : hold)
            value = value * 10 + quint64(c - '0');
        require(parsed.frameHoldTime == (value <= 0xFFFFFFFFu ? value : 0),
                "a decimal hold time reads as its value, or 0 when too large");
    }
    for (int field = 1; field < fields.size(); ++field) {
        const QByteArray &text = fields[field];
        if (text.size() == 2 && isHex(text[0]) && isHex(text[1]))
            require(parsed.frameData[field - 1] == QByteArray::fromHex(text)[0],
                    "two hex digits read as their byte");
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkLine(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size)));
    return 0;
}
