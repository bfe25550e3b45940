#include "historylocation.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString historyLocation::file()
{
    const QString stateHome = qEnvironmentVariable("XDG_STATE_HOME");
    const QString folder = QDir::isAbsolutePath(stateHome)
                               ? stateHome
                               : QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(folder + QStringLiteral("/fixture-software-updater/history.sqlite"));
}

QString historyLocation::prepare(const QString &file)
{
    const QStringList parts = QFileInfo(file).absolutePath().split('/', Qt::SkipEmptyParts);
    QString folder;
    for (const QString &part : parts) {
        folder += '/' + part;
        const QByteArray path = QFile::encodeName(folder);
        struct stat status;
        if (::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode))
            continue;
        // Another process may make it meanwhile; a regular file in its place fails here.
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
            return qt_error_string(errno);
    }
    const int descriptor =
        ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return qt_error_string(errno);
    ::close(descriptor);
    return {};
}
