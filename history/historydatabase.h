#ifndef HISTORYDATABASE_H
#define HISTORYDATABASE_H

#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <optional>

// One connection to the history's SQLite file through Qt's QSQLITE driver, under a name of its
// own and used only from the thread that opened it. To write, the file is made when missing, in
// WAL mode with synchronous=FULL and the schema of this version, and a damaged file is set aside
// once for a new one. To read, nothing is made or changed.
class historyDatabase
{
public:
    enum class access { write, read };

    historyDatabase(access mode, QString file);
    ~historyDatabase();
    historyDatabase(const historyDatabase &) = delete;
    historyDatabase &operator=(const historyDatabase &) = delete;

    bool isOpen() const { return opened; }
    // To read, a store that does not exist yet is no failure: the history is empty.
    bool isAbsent() const { return absent; }
    // From PRAGMA user_version; 0 before any update made the table.
    int version() const { return schema; }
    // Where a damaged file was set aside; empty when none was.
    QString setAsideAs() const { return keptAs; }
    // The system's or SQLite's words for the last failure.
    QString reason() const { return lastReason; }

    QSqlQuery newQuery() const;
    bool execute(QSqlQuery &query, const QString &statement, const QVariantList &values = {});
    bool execute(const QString &statement, const QVariantList &values = {});

private:
    enum class opening { done, damaged, failed };

    void openToRead();
    void openToWrite();
    opening connect();
    opening verdict() const;
    bool createSchema();
    bool setAside();
    void close();
    std::optional<QVariant> valueOf(const QString &statement);
    void note(const QSqlError &error);

    const access mode;
    const QString file;
    const QString connection;
    bool opened = false;
    bool absent = false;
    int schema = 0;
    QString keptAs;
    QSqlError lastError;
    QString lastReason;
};

#endif
