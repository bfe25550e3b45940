#include "updatefilereader.h"

#include <QFileInfo>

#include <climits>

updateFileReader::updateFileReader(const QString &path) : file(path)
{
}

bool updateFileReader::open()
{
    // A named pipe or a device would block the open until somebody writes to it.
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        problem = "Not a regular file";
    else if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        problem = file.errorString();
    else
        skipByteOrderMark(file);
    return problem.isEmpty();
}

int updateFileReader::countLines()
{
    file.seek(0);
    skipByteOrderMark(file);
    qint64 lines = 0;
    for (; !file.atEnd(); ++lines)
        file.readLine();
    file.seek(0);
    skipByteOrderMark(file);
    return int(qMin<qint64>(lines, INT_MAX));
}

void updateFileReader::skipByteOrderMark(QIODevice &file)
{
    static const QByteArray mark("\xEF\xBB\xBF");
    if (file.peek(mark.size()) == mark)
        file.skip(mark.size());
}
