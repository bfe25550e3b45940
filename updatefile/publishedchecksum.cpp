#include "publishedchecksum.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// A line of sha256sum's is about a hundred bytes; more is not a checksum file.
constexpr qint64 readLimit = 4096;

} // namespace

publishedChecksum publishedChecksum::beside(const QString &updateFile)
{
    publishedChecksum checksum;
    checksum.file = updateFile + ".sha256";
    const QFileInfo info(checksum.file);
    // A dangling link is there too, and cannot be read.
    checksum.found = info.exists() || info.isSymLink();
    if (!checksum.found)
        return checksum;
    if (info.exists() && !info.isFile()) {
        checksum.reason = tr("%1 is not a regular file").arg(checksum.file);
        return checksum;
    }
    QFile text(checksum.file);
    QByteArray start;
    if (text.open(QIODevice::ReadOnly))
        start = text.read(readLimit);
    if (!text.isOpen() || text.error() != QFileDevice::NoError) {
        checksum.reason = tr("Couldn't read %1: %2").arg(checksum.file, text.errorString());
        return checksum;
    }
    static const QRegularExpression digest("^\\\\?([0-9A-Fa-f]{64})(\\s|$)");
    const QRegularExpressionMatch match = digest.match(QString::fromLatin1(start));
    if (!match.hasMatch()) {
        checksum.reason = tr("%1 holds no SHA-256 digest").arg(checksum.file);
        return checksum;
    }
    checksum.published = match.captured(1).toLatin1().toLower();
    return checksum;
}

QString publishedChecksum::refusalFor(const QByteArray &sha256) const
{
    if (!found || (reason.isEmpty() && sha256 == published))
        return {};
    if (!reason.isEmpty())
        return reason;
    return tr("The update file is not the one that was published: its SHA-256 is %1, and %2 says "
              "%3.")
        .arg(QString::fromLatin1(sha256), file, QString::fromLatin1(published));
}

QString publishedChecksum::matchNote() const
{
    return tr("SHA-256 matches %1").arg(QFileInfo(file).fileName());
}
