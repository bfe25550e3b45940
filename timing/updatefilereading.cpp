#include "updatefilereading.h"
#include "linetiming.h"
#include "updatefilecheck.h"
#include "updatefilereader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <climits>

namespace {

// The raw bytes, as sha256sum reads them: text mode and the skipped byte-order mark would make
// every CRLF file disagree with the published digest. Empty when a read failed or `stop` came.
QByteArray sha256Of(QFile &file, const std::atomic<bool> &stop)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    char buffer[64 * 1024];
    for (;;) {
        if (stop)
            return {};
        const qint64 length = file.read(buffer, sizeof buffer);
        if (length < 0 || (length == 0 && !file.atEnd()))
            return {};
        if (length == 0)
            return hash.result().toHex();
        hash.addData(buffer, int(length));
    }
}

} // namespace

updateFileReading updateFileReading::of(const QString &path)
{
    const std::atomic<bool> never{false};
    return of(path, never);
}

updateFileReading updateFileReading::of(const QString &path, const std::atomic<bool> &stop)
{
    updateFileReading reading;
    reading.file = path;
    const QFileInfo info(path);
    reading.size = info.size();
    reading.modified = info.lastModified();
    updateFileReader file(path);
    if (!file.open())
        return reading;
    reading.head = updateFileCheck(path).header();
    reading.time.reserveFor(reading.size);
    int lastFrameSize = 0;
    for (qint64 number = 1; !file.atEnd(); ++number) {
        if (stop)
            return updateFileReading();
        const updateFileLine line = file.nextLine();
        qint64 lineTime = 0;
        if (!line.isComment) {
            const int size = line.frameData.size();
            lineTime =
                lineTiming::timesSent(size, lastFrameSize) * lineTiming::frameNanoseconds(size) +
                qint64(line.frameHoldTime) * 1000000;
            lastFrameSize = size;
        }
        if (line.isDoubtful && reading.doubtful++ == 0)
            reading.firstDoubtful = number;
        reading.time.lineDone(lineTime);
        reading.lines = number;
    }
    QFile raw(path);
    if (!file.failed() && raw.open(QIODevice::ReadOnly))
        reading.digest = sha256Of(raw, stop);
    if (stop)
        return updateFileReading();
    if (reading.digest.isEmpty()) {
        reading.problem = file.failed() ? file.failure()
                                        : updateFileReader::failureOf(path, raw.errorString());
        reading.time = updateDuration();
        return reading;
    }
    reading.checksum = publishedChecksum::beside(path);
    reading.complete = true;
    reading.time.known = true;
    return reading;
}

bool updateFileReading::isOutdated() const
{
    const QFileInfo now(file);
    return now.size() != size || now.lastModified() != modified;
}

QString updateFileReading::doubtfulLinesWarning() const
{
    if (doubtful == 0)
        return {};
    const QString what =
        doubtful == 1
            ? tr("Line %1 of this file is not frame data: it would be sent to the fixture as zeros.")
                  .arg(firstDoubtful)
            : tr("%n lines of this file are not frame data, the first of them line %1: they would "
                 "be sent to the fixture as zeros.",
                 nullptr, int(qMin<qint64>(doubtful, INT_MAX)))
                  .arg(firstDoubtful);
    return what + ' ' +
           tr("The file may be damaged, or no update file at all. Send it only if its vendor "
              "says that it is right.");
}

QString updateFileReading::doubtfulLinesNote() const
{
    if (doubtful == 0)
        return {};
    return doubtful == 1 ? tr("Line %1 is not frame data").arg(firstDoubtful)
                         : tr("%n lines are not frame data, the first line %1", nullptr,
                              int(qMin<qint64>(doubtful, INT_MAX)))
                               .arg(firstDoubtful);
}
