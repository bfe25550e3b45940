#ifndef LINETIMING_H
#define LINETIMING_H

#include <QtGlobal>

// The serial line as the fixture sees it: DMX512-shaped frames at 250000 baud, 8 data bits, no
// parity and 2 stop bits. The worker sends by these rules, and the duration model counts by them.
namespace lineTiming {

constexpr quint32 breakMicroseconds = 500;
constexpr quint32 markAfterBreakMicroseconds = 100;
// One character: start bit, 8 data bits and 2 stop bits of 4 µs each.
constexpr qint64 characterNanoseconds = 44000;
// Extra sends of a frame whose data length differs from the frame before it.
constexpr int repeatCount = 5;

// Fixtures in the field rely on a frame whose data length changed going out repeated; the
// first frame of an update is compared with a length of 0.
constexpr int timesSent(int dataBytes, int previousDataBytes)
{
    return dataBytes != previousDataBytes ? 1 + repeatCount : 1;
}

// A frame's break, mark after break, start code and data bytes.
constexpr qint64 frameNanoseconds(int dataBytes)
{
    return qint64(breakMicroseconds + markAfterBreakMicroseconds) * 1000 +
           (1 + qint64(dataBytes)) * characterNanoseconds;
}

} // namespace lineTiming

#endif
