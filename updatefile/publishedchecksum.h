#ifndef PUBLISHEDCHECKSUM_H
#define PUBLISHEDCHECKSUM_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The SHA-256 that a vendor publishes beside an update file, as FILE.sha256: in the form
// sha256sum writes ("digest  name", "digest *name" in binary mode, a backslash first for an
// escaped name), or the bare digest. Upper-case hex and CRLF are taken, the name is not looked
// at. A download cut short keeps valid lines, and only this checksum reveals it.
class publishedChecksum
{
    Q_DECLARE_TR_FUNCTIONS(publishedChecksum)

public:
    // Never waits: what is not a regular file (a FIFO would block) is refused unopened, and only
    // the first few KiB are read.
    static publishedChecksum beside(const QString &updateFile);

    // Whether there is a FILE.sha256 at all.
    bool exists() const { return found; }
    // Why it cannot be used, as the technician reads it; empty when it holds a digest.
    QString problem() const { return reason; }
    // Why a file of this SHA-256 (lower-case hex) is not the one that was published, or why the
    // published one cannot be told; empty when it matches, or when nothing was published.
    QString refusalFor(const QByteArray &sha256) const;
    // For a file that matches.
    QString matchNote() const;

private:
    QString file;
    bool found = false;
    QString reason;
    QByteArray published;
};

#endif
