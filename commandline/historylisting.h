#ifndef HISTORYLISTING_H
#define HISTORYLISTING_H

#include <QCoreApplication>
#include <QString>

class historyRow;

// --history: every update the history holds, oldest first, one line each. For the technician in
// local time and their language; with --json as JSON Lines for scripts, with English keys and
// times in UTC. Reading never makes the store.
class historyListing
{
    Q_DECLARE_TR_FUNCTIONS(historyListing)

public:
    explicit historyListing(bool json);

    // Empty when the history is empty or has no store yet.
    QString lines() const { return text; }
    // Why the store cannot be read; empty when it could.
    QString problem() const { return failure; }

private:
    static QString line(const historyRow &row);
    static QString jsonLine(const historyRow &row);

    QString text;
    QString failure;
};

#endif
