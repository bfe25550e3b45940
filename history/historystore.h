#ifndef HISTORYSTORE_H
#define HISTORYSTORE_H

#include "historylocation.h"
#include "historyrow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <optional>

// The history of updates: one SQLite file, one row per update, used through Qt's QSQLITE
// driver. It serves the update and never stops it: whatever fails is one warning, returned as a
// value, and a damaged file is set aside, kept, and followed by a new store. The connection
// belongs to the thread that made the store, under a name of its own, so that two stores never
// share one.
class historyStore
{
    Q_DECLARE_TR_FUNCTIONS(historyStore)

public:
    // `write` makes the store when it is missing, for an update. `read` never makes nor changes
    // it: a store that does not exist yet reads as an empty history.
    enum class access { write, read };

    explicit historyStore(access mode, QString file = historyLocation::file());
    ~historyStore();
    historyStore(const historyStore &) = delete;
    historyStore &operator=(const historyStore &) = delete;

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
    enum class opening { done, damaged, failed };

    void openToRead();
    void openToWrite();
    opening connect();
    opening verdict() const;
    bool createSchema();
    bool setAside(QString &keptAs);
    void close();
    QSqlQuery newQuery() const;
    bool execute(QSqlQuery &query, const QString &statement, const QVariantList &values = {});
    bool execute(const QString &statement, const QVariantList &values = {});
    std::optional<QVariant> valueOf(const QString &statement);
    void note(const QSqlError &error);
    bool written(bool done);
    QString cannotKeep(const QString &reason) const;
    QString cannotRead(const QString &reason) const;

    const access mode;
    const QString file;
    const QString connection;
    bool usable = false;
    bool absent = false;
    bool writeFailed = false;
    int version = 0;
    QString problem;
    QSqlError lastError;
    QString lastReason;
    QHash<qint64, QElapsedTimer> sinceBegin;
};

#endif
