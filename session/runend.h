#ifndef RUNEND_H
#define RUNEND_H

#include <QCoreApplication>
#include <QString>

// How the end of an update reads, on the window's Update button and on the command line.
namespace runEnd {

inline QString finished()
{
    return QCoreApplication::translate("runEnd", "Finished!");
}

inline QString canceled()
{
    return QCoreApplication::translate("runEnd", "Canceled!");
}

} // namespace runEnd

#endif
