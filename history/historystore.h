#ifndef HISTORYSTORE_H
#define HISTORYSTORE_H

#include "historydatabase.h"
#include "historylocation.h"
#include "historyrow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The history of updates, one row per update, for both front ends. It serves the update and never
// stops it: whatever fails is one warning, returned as a value, and a damaged file is set aside,
// kept, and followed by a new store. A store belongs to the thread that made it.
class historyStore
{
    Q_DECLARE_TR_FUNCTIONS(historyStore)

public:
    // `write` makes the store when it is missing, for an update. `read` never makes nor changes
    // it: a store that does not exist yet reads as an empty history.
    using access = historyDatabase::access;

    explicit historyStore(access mode, QString file = historyLocation::file());

    // What the technician is told, once: why the history cannot be kept or read, or where a
    // damaged one was set aside. Empty while nothing went wrong.
    QString warning() const { return problem; }

    // Before the first frame. The start, the program's version and this process are filled in
    // here; the row's id, or nothing when the row could not be written.
    std::optional<qint64> begin(const historyRow &row);
    bool recordLinesDone(qint64 id, qint64 linesDone);
    // The end time, and the duration since begin() on this store by the monotonic clock.
    bool end(qint64 id, historyRow::outcome result, const QString &message);

    // Every update, oldest first, with running or interrupted told for those without a result;
    // nothing when the store cannot be read.
    std::optional<QList<historyRow>> rows();

private:
    bool written(bool done);
    QString cannotKeep(const QString &reason) const;
    QString cannotRead(const QString &reason) const;

    const QString file;
    historyDatabase database;
    bool writeFailed = false;
    QString problem;
    QHash<qint64, QElapsedTimer> sinceBegin;
};

#endif
