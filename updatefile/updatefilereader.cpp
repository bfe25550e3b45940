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

int updateFileReader::countLines(const std::atomic<bool> &stop)
{
    qint64 lines = 0;
    for (; !atEnd() && !stop; ++lines)
        readLine();
    if (stop || !startOver())
        return -1;
    return int(qMin<qint64>(lines, INT_MAX));
}

bool updateFileReader::startOver()
{
    if (readFailed)
        return false;
    readFailed = !file.seek(0);
    skipByteOrderMark(file);
    return !readFailed;
}

QByteArray updateFileReader::readLine()
{
    QByteArray line = file.readLine();
    if (file.error() != QFileDevice::NoError || (line.isEmpty() && !file.atEnd()))
        readFailed = true;
    return readFailed ? QByteArray() : line;
}

QString updateFileReader::failureOf(const QString &path, const QString &reason)
{
    return tr("Couldn't read update file %1: %2").arg(path, reason);
}

void updateFileReader::skipByteOrderMark(QIODevice &file)
{
    static const QByteArray mark("\xEF\xBB\xBF");
    if (file.peek(mark.size()) == mark)
        file.skip(mark.size());
}
