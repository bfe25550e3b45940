#include "processliveness.h"

#include <QFile>

#include <unistd.h>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString currentBootId()
{
    return QString::fromLatin1(contentOf("/proc/sys/kernel/random/boot_id").trimmed());
}

// The state (field 3) and the start time (field 22) of a process; false when it is gone. The
// command name in parentheses may hold blanks and ')', so the fields are counted from the last ')'.
bool readStat(qint64 processId, char &state, qint64 &startTime)
{
    const QByteArray stat = contentOf(QString("/proc/%1/stat").arg(processId));
    const int nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return false;
    const QList<QByteArray> fields = stat.mid(nameEnd + 1).simplified().split(' ');
    bool number = false;
    startTime = fields.value(19).toLongLong(&number);
    state = fields[0].isEmpty() ? '\0' : fields[0].at(0);
    return number;
}

} // namespace

processLiveness processLiveness::ofThisProcess()
{
    processLiveness self{currentBootId(), ::getpid(), 0};
    char state = 0;
    readStat(self.processId, state, self.startTime);
    return self;
}

bool processLiveness::hasEnded() const
{
    char state = 0;
    qint64 started = 0;
    return bootId != currentBootId() || !readStat(processId, state, started) ||
           started != startTime || state == 'Z';
}
