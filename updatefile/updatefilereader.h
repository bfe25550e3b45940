#ifndef UPDATEFILEREADER_H
#define UPDATEFILEREADER_H

#include "updatefileline.h"

#include <QFile>
#include <QString>

// An update file read from its start the way the worker sends it: in text mode, one line at a
// time, past a byte-order mark that an editor may have put in front of the first line.
class updateFileReader
{
public:
    explicit updateFileReader(const QString &path);

    // False when the file is not a regular file or cannot be opened; errorString() says why.
    bool open();
    QString errorString() const { return problem; }
    // Every line after a byte-order mark counts, a last one without a line end too; reading
    // starts over afterwards. A file of more than INT_MAX lines (a disk image, say) reads as
    // INT_MAX of them, since progress is counted in int; every line is still sent.
    int countLines();
    bool atEnd() const { return file.atEnd(); }
    updateFileLine nextLine() { return updateFileLine::fromLine(file.readLine()); }

    // Editors on Windows put the bytes EF BB BF in front of UTF-8 text. Only a mark at the very
    // start of the file is skipped: one anywhere else is read as before.
    static void skipByteOrderMark(QIODevice &file);

private:
    QFile file;
    QString problem;
};

#endif
