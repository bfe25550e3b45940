#ifndef UPDATEFILELINE_H
#define UPDATEFILELINE_H

#include <QByteArray>
#include <QtGlobal>

// One line of an update file as the worker reads it: a comment, or a frame with its hold time.
struct updateFileLine
{
    bool isComment = false;
    quint32 frameHoldTime = 0;
    QByteArray frameData;
    // A field holds what the format cannot read, and is sent as 0: the file may be damaged, or
    // no update file at all, such as a web page saved under the update's name.
    bool isDoubtful = false;

    static updateFileLine fromLine(const QByteArray &line);
};

#endif
