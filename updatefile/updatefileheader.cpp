#include "updatefileheader.h"
#include "updatefilereader.h"

#include <QIODevice>

bool updateFileHeader::isComplete() const
{
    return !applicationName.isEmpty() && !vendorName.isEmpty() && !fixtureName.isEmpty() &&
           !applicationVersion.isEmpty();
}

QString updateFileHeader::applicationText() const
{
    QString name = applicationName;
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name + " " + applicationVersion;
}

QString updateFileHeader::fixtureText() const
{
    return vendorName + " " + fixtureName;
}

// Reads at most four short lines, so choosing a file stays instant whatever its size. A line
// that does not start with # consumes only its first byte, and the rest of a line longer than
// the buffer is left for the next value: files in the field were written against these rules.
updateFileHeader updateFileHeader::read(QIODevice &file)
{
    updateFileHeader header;
    updateFileReader::skipByteOrderMark(file);
    for (QString *value : {&header.applicationName, &header.vendorName, &header.fixtureName,
                           &header.applicationVersion}) {
        char mark = 0;
        if (file.read(&mark, 1) != 1 || mark != '#')
            continue;
        char text[512];
        qint64 length = file.readLine(text, sizeof text);
        if (length > 0 && text[length - 1] == '\n')
            --length;
        if (length > 0)
            *value = QString::fromUtf8(text, static_cast<int>(length));
    }
    return header;
}
