#ifndef UPDATEFILEREADER_H
#define UPDATEFILEREADER_H

#include "updatefileline.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <atomic>

// An update file read from its start the way the worker sends it: in text mode, one line at a
// time, past a byte-order mark that an editor may have put in front of the first line. Every
// read is checked: on a USB stick pulled out or a network share that dropped, a failed read
// returns no bytes while the position stays below the file's end, so a loop that only asked
// for the end would run for ever.
class updateFileReader
{
    Q_DECLARE_TR_FUNCTIONS(updateFileReader)

public:
    explicit updateFileReader(const QString &path);

    // False when the file is not a regular file or cannot be opened; errorString() says why.
    bool open();
    QString errorString() const { return problem; }
    // Every line after a byte-order mark counts, a last one without a line end too; reading
    // starts over afterwards. A file of more than INT_MAX lines (a disk image, say) reads as
    // INT_MAX of them, since progress is counted in int; every line is still sent. A count that
    // a failed read or `stop` ended early is -1.
    int countLines(const std::atomic<bool> &stop);
    // At the file's end, or after a read that failed.
    bool atEnd() const { return readFailed || file.atEnd(); }
    // After a read that failed, the line is empty and failed() is true.
    updateFileLine nextLine() { return updateFileLine::fromLine(readLine()); }
    bool failed() const { return readFailed; }
    // What the technician reads once a read failed: the file and the system's reason.
    QString failure() const { return failureOf(file.fileName(), file.errorString()); }
    static QString failureOf(const QString &path, const QString &reason);

    // Editors on Windows put the bytes EF BB BF in front of UTF-8 text. Only a mark at the very
    // start of the file is skipped: one anywhere else is read as before.
    static void skipByteOrderMark(QIODevice &file);

private:
    QByteArray readLine();
    bool startOver();

    QFile file;
    QString problem;
    bool readFailed = false;
};

#endif
