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

    static updateFileLine fromLine(const QByteArray &line);
};

#endif
