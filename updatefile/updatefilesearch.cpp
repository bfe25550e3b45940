#include "updatefilesearch.h"

#include <QDir>

QFileInfo updateFileInWorkingDirectory()
{
    QDir workingDirectory("");
    workingDirectory.setFilter(QDir::Files | QDir::NoSymLinks);
    workingDirectory.setSorting(QDir::Time | QDir::Reversed);
    const QFileInfoList entries = workingDirectory.entryInfoList();
    for (const QFileInfo &entry : entries)
        if (entry.fileName().endsWith(".dmx") || entry.fileName().endsWith(".prl"))
            return entry;
    return {};
}
