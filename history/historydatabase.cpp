#include "historydatabase.h"
#include "historylocation.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QLoggingCategory>
#include <QSqlDatabase>

#include <atomic>
#include <cerrno>
#include <sys/stat.h>

namespace {

// Off unless QT_LOGGING_RULES turns it on, as in "fixture-software-updater.history.debug=true".
Q_LOGGING_CATEGORY(historyLog, "fixture-software-updater.history", QtInfoMsg)

// Kept in PRAGMA user_version. A later version only adds columns, in a step of its own from the
// version before, so that an older program still reads and writes a newer store.
constexpr int schemaVersion = 1;

// QSQLITE's open() succeeds on any file: the statements after it tell a damaged one, by
// SQLite's primary result codes CORRUPT and NOTADB. Busy, locked, full, read-only and cannot
// open are never damage.
bool meansDamage(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 || code == 26;
}

QString reasonOf(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
}

QString newConnectionName()
{
    static std::atomic<quint64> made{0};
    return QStringLiteral("fixture-software-updater.history.%1").arg(++made);
}

} // namespace

historyDatabase::historyDatabase(access mode, QString file)
    : mode(mode), file(std::move(file)), connection(newConnectionName())
{
    if (mode == access::read)
        openToRead();
    else
        openToWrite();
}

historyDatabase::~historyDatabase()
{
    close();
}

// Reading never makes the store: one that does not exist yet is an empty history, but a path
// that cannot be looked at (a regular file where a folder should be) cannot be read.
void historyDatabase::openToRead()
{
    struct stat status;
    if (::stat(QFile::encodeName(file).constData(), &status) != 0) {
        absent = errno == ENOENT;
        lastReason = qt_error_string(errno);
        return;
    }
    opened = connect() == opening::done;
}

// A damaged store is set aside once, and a new one begun in its place. It is renamed while
// SQLite still holds it: SQLite deletes the -wal and -shm by their names when it lets go of a
// store whose -wal it opened, a damaged one too.
void historyDatabase::openToWrite()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        lastReason = historyLocation::prepare(file);
        const opening outcome = lastReason.isEmpty() ? connect() : opening::failed;
        opened = outcome == opening::done;
        const bool setApart = outcome == opening::damaged && attempt == 0 && setAside();
        if (opened || !setApart)
            return;
        close();
        QFile::remove(file + QStringLiteral("-shm"));
    }
}

historyDatabase::opening historyDatabase::connect()
{
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    database.setDatabaseName(file);
    // A reader takes the store as it is and changes nothing; its journal mode is the writer's.
    if (mode == access::read)
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!database.open()) {
        note(database.lastError());
        return opening::failed;
    }
    if (mode == access::write) {
        // WAL lets the history be read while an update writes. A file system without shared
        // memory, as a network home may be, hands back another mode, which serves as well.
        const std::optional<QVariant> journal = valueOf(QStringLiteral("PRAGMA journal_mode=WAL"));
        if (!journal)
            return verdict();
        if (journal->toString() != QLatin1String("wal"))
            qCDebug(historyLog) << "journal mode" << journal->toString() << "kept for" << file;
    }
    // It holds per connection, and its default under WAL may lose the last rows when the power
    // goes.
    if (!execute(QStringLiteral("PRAGMA synchronous=FULL")))
        return verdict();
    const std::optional<QVariant> check = valueOf(QStringLiteral("PRAGMA quick_check"));
    if (!check)
        return verdict();
    if (check->toString() != QLatin1String("ok")) {
        lastReason = QStringLiteral("quick_check: ") + check->toString();
        return opening::damaged;
    }
    if (mode == access::write && !createSchema())
        return verdict();
    const std::optional<QVariant> found = valueOf(QStringLiteral("PRAGMA user_version"));
    if (!found)
        return verdict();
    schema = found->toInt();
    return opening::done;
}

historyDatabase::opening historyDatabase::verdict() const
{
    qCDebug(historyLog) << "cannot use" << file << lastReason << lastError.nativeErrorCode();
    return meansDamage(lastError) ? opening::damaged : opening::failed;
}

// Two processes may make the store at once: the version is read again under the write lock, and
// IF NOT EXISTS covers a table made by a program that did not set the version. A store of a newer
// version, after a downgrade, is used as it is.
bool historyDatabase::createSchema()
{
    std::optional<QVariant> found = valueOf(QStringLiteral("PRAGMA user_version"));
    if (!found || found->toInt() >= schemaVersion)
        return bool(found);
    if (!execute(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    found = valueOf(QStringLiteral("PRAGMA user_version"));
    bool done = bool(found);
    if (done && found->toInt() < 1)
        done = execute(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS updates (id INTEGER PRIMARY KEY, started TEXT, "
            "ended TEXT, duration_ms INTEGER, source TEXT, program_version TEXT, file TEXT, "
            "file_size INTEGER, sha256 TEXT, application TEXT, version TEXT, vendor TEXT, "
            "fixture TEXT, interface TEXT, interface_description TEXT, serial TEXT, "
            "lines_total INTEGER, lines_done INTEGER DEFAULT 0, result TEXT, message TEXT, "
            "boot_id TEXT, process_id INTEGER, process_start INTEGER)"));
    if (done && found->toInt() < schemaVersion)
        done = execute(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion));
    if (done && execute(QStringLiteral("COMMIT")))
        return true;
    const QSqlError error = lastError;
    execute(QStringLiteral("ROLLBACK"));
    note(error);
    return false;
}

// A damaged store is kept beside the new one for whoever wants to rescue it, never deleted. Its
// -wal holds part of its content and goes with it; a -wal left behind would be played into the
// new store. Its -shm is only an index of the -wal.
bool historyDatabase::setAside()
{
    keptAs = file + QStringLiteral(".damaged-") +
             QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'"));
    QFile damaged(file);
    QFile journal(file + QStringLiteral("-wal"));
    if (!damaged.rename(keptAs)) {
        lastReason = damaged.errorString();
        keptAs.clear();
        return false;
    }
    if (!journal.exists() || journal.rename(keptAs + QStringLiteral("-wal")))
        return true;
    lastReason = journal.errorString();
    damaged.rename(file);
    keptAs.clear();
    return false;
}

void historyDatabase::close()
{
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
}

QSqlQuery historyDatabase::newQuery() const
{
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.setForwardOnly(true);
    return query;
}

bool historyDatabase::execute(QSqlQuery &query, const QString &statement,
                              const QVariantList &values)
{
    bool done = query.prepare(statement);
    for (const QVariant &value : values)
        query.addBindValue(value);
    done = done && query.exec();
    if (!done)
        note(query.lastError());
    return done;
}

bool historyDatabase::execute(const QString &statement, const QVariantList &values)
{
    QSqlQuery query = newQuery();
    return execute(query, statement, values);
}

std::optional<QVariant> historyDatabase::valueOf(const QString &statement)
{
    QSqlQuery query = newQuery();
    if (!execute(query, statement))
        return {};
    if (query.next())
        return query.value(0);
    note(query.lastError());
    return {};
}

void historyDatabase::note(const QSqlError &error)
{
    lastError = error;
    lastReason = reasonOf(error);
}
