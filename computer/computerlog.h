#ifndef COMPUTERLOG_H
#define COMPUTERLOG_H

#include <QDebug>
#include <QLoggingCategory>

// Off unless QT_LOGGING_RULES turns it on, as in "fixture-software-updater.computer.debug=true".
Q_DECLARE_LOGGING_CATEGORY(computerLog)

#endif
