#include "updatefilecheck.h"

#include <QBuffer>
#include <QDebug>
#include <QFileInfo>
#include <QLoggingCategory>

namespace {

// Off unless QT_LOGGING_RULES turns it on, as in "fixture-software-updater.updatefile.debug=true".
Q_LOGGING_CATEGORY(updateFileLog, "fixture-software-updater.updatefile", QtInfoMsg)

} // namespace

updateFileCheck::updateFileCheck(const QString &path) : file(path)
{
    const QFileInfo info(path);
    if (info.isDir())
        problem = tr("Is a directory: %1").arg(path);
    else if (info.exists() && !info.isFile())
        problem = tr("Not a regular file: %1").arg(path);
    else if (!file.open(QIODevice::ReadOnly))
        problem = file.errorString();
    if (!passed())
        qCDebug(updateFileLog) << "Couldn't open file" << problem;
}

QString updateFileCheck::message() const
{
    return passed() ? QString() : tr("Couldn't open file %1").arg(problem);
}

updateFileHeader updateFileCheck::header()
{
    // Text mode skips carriage returns while it looks for a line's '#', so a file of nothing
    // else would otherwise be read whole.
    QBuffer start;
    start.setData(file.read(64 * 1024));
    start.open(QIODevice::ReadOnly | QIODevice::Text);
    return updateFileHeader::read(start);
}
