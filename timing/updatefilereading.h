#ifndef UPDATEFILEREADING_H
#define UPDATEFILEREADING_H

#include "publishedchecksum.h"
#include "updateduration.h"
#include "updatefileheader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <atomic>

// One reading of an update file before anything is sent, for both front ends: how long the
// update takes and which lines are not frame data, read the way the worker reads them, then the
// file's SHA-256 over its raw bytes, as sha256sum computes it, against the checksum published
// beside it. A file that cannot be opened gives a reading that is not complete and no failure,
// since the worker then reports it; a read that fails part-way gives the failure.
class updateFileReading
{
    Q_DECLARE_TR_FUNCTIONS(updateFileReading)

public:
    static updateFileReading of(const QString &path);
    // The same, but a reading that `stop`, set from any thread, ended early (the file was
    // replaced meanwhile, the start was canceled, or the program ends) is not complete.
    static updateFileReading of(const QString &path, const std::atomic<bool> &stop);

    bool isComplete() const { return complete; }
    // Why the file could not be read to its end, as the technician reads it; empty otherwise.
    QString failure() const { return problem; }
    const updateDuration &duration() const { return time; }
    // As the history keeps them: the header, the lines as the worker counts them, the size.
    const updateFileHeader &header() const { return head; }
    qint64 lineCount() const { return lines; }
    qint64 fileSize() const { return size; }
    // Whether the file may have changed since this reading began.
    bool isOutdated() const;

    qint64 doubtfulLines() const { return doubtful; }
    qint64 firstDoubtfulLine() const { return firstDoubtful; }
    // Before the question whether to send it all the same: empty for a file without such lines.
    QString doubtfulLinesWarning() const;
    // Beside the file's name.
    QString doubtfulLinesNote() const;

    QByteArray sha256() const { return digest; }
    const publishedChecksum &published() const { return checksum; }
    // Why the file is never sent: it is not the one that was published, or what was published
    // cannot be read. Empty otherwise.
    QString refusal() const { return checksum.refusalFor(digest); }

private:
    QString file;
    bool complete = false;
    QString problem;
    updateDuration time;
    updateFileHeader head;
    qint64 lines = 0;
    qint64 size = -1;
    QDateTime modified;
    qint64 doubtful = 0;
    qint64 firstDoubtful = 0;
    QByteArray digest;
    publishedChecksum checksum;
};

#endif
