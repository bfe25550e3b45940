#include "historystore.h"
#include "programidentity.h"

#include <QDebug>
#include <QFile>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <cerrno>
#include <sys/stat.h>

namespace {

// Off unless QT_LOGGING_RULES turns it on, as in "fixture-software-updater.history.debug=true".
Q_LOGGING_CATEGORY(historyLog, "fixture-software-updater.history", QtInfoMsg)

// Kept in PRAGMA user_version. A later version only adds columns, in a step of its own from the
// version before, so that an older program still reads and writes a newer store.
constexpr int schemaVersion = 1;

// What begin() writes, then what the update adds to it.
const QStringList begun = {"started",     "source",       "program_version",
                           "file",        "file_size",    "sha256",
                           "application", "version",      "vendor",
                           "fixture",     "interface",    "interface_description",
                           "serial",      "lines_total",  "boot_id",
                           "process_id",  "process_start"};
const QStringList added = {"lines_done", "id", "ended", "duration_ms", "result", "message"};

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

QString utc(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

} // namespace

historyStore::historyStore(access mode, QString file)
    : mode(mode), file(std::move(file)), connection(newConnectionName())
{
    if (mode == access::read)
        openToRead();
    else
        openToWrite();
}

historyStore::~historyStore()
{
    close();
}

// Reading never makes the store: one that does not exist yet is an empty history, but a path
// that cannot be looked at (a regular file where a folder should be) cannot be read.
void historyStore::openToRead()
{
    struct stat status;
    if (::stat(QFile::encodeName(file).constData(), &status) != 0) {
        absent = errno == ENOENT;
        if (!absent)
            problem = cannotRead(qt_error_string(errno));
        return;
    }
    if (connect() == opening::done)
        usable = true;
    else
        problem = cannotRead(lastReason);
}

// A damaged store is set aside once, and a new one begun in its place. It is renamed while
// SQLite still holds it: SQLite deletes the -wal and -shm by their names when it lets go of a
// store whose -wal it opened, a damaged one too.
void historyStore::openToWrite()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        lastReason = historyLocation::prepare(file);
        const opening opened = lastReason.isEmpty() ? connect() : opening::failed;
        if (opened == opening::done) {
            usable = true;
            return;
        }
        QString keptAs;
        const bool setApart = opened == opening::damaged && attempt == 0 && setAside(keptAs);
        close();
        if (!setApart)
            break;
        QFile::remove(file + QStringLiteral("-shm"));
        problem = tr("The update history in %1 was damaged; it is kept as %2, and a new one "
                     "is begun.")
                      .arg(file, keptAs);
    }
    problem = cannotKeep(lastReason);
}

historyStore::opening historyStore::connect()
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
    version = found->toInt();
    return opening::done;
}

historyStore::opening historyStore::verdict() const
{
    qCDebug(historyLog) << "cannot use" << file << lastReason << lastError.nativeErrorCode();
    return meansDamage(lastError) ? opening::damaged : opening::failed;
}

// Two processes may make the store at once: the version is read again under the write lock, and
// IF NOT EXISTS covers a table made by a program that did not set the version. A store of a newer
// version, after a downgrade, is used as it is.
bool historyStore::createSchema()
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
bool historyStore::setAside(QString &keptAs)
{
    keptAs = file + QStringLiteral(".damaged-") +
             QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'"));
    QFile damaged(file);
    QFile journal(file + QStringLiteral("-wal"));
    if (!damaged.rename(keptAs)) {
        lastReason = damaged.errorString();
        return false;
    }
    if (!journal.exists() || journal.rename(keptAs + QStringLiteral("-wal")))
        return true;
    lastReason = journal.errorString();
    damaged.rename(file);
    return false;
}

void historyStore::close()
{
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
}

QSqlQuery historyStore::newQuery() const
{
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.setForwardOnly(true);
    return query;
}

bool historyStore::execute(QSqlQuery &query, const QString &statement, const QVariantList &values)
{
    bool done = query.prepare(statement);
    for (const QVariant &value : values)
        query.addBindValue(value);
    done = done && query.exec();
    if (!done)
        note(query.lastError());
    return done;
}

bool historyStore::execute(const QString &statement, const QVariantList &values)
{
    QSqlQuery query = newQuery();
    return execute(query, statement, values);
}

std::optional<QVariant> historyStore::valueOf(const QString &statement)
{
    QSqlQuery query = newQuery();
    if (!execute(query, statement))
        return {};
    if (query.next())
        return query.value(0);
    note(query.lastError());
    return {};
}

void historyStore::note(const QSqlError &error)
{
    lastError = error;
    lastReason = reasonOf(error);
}

// Reported once; the writes that follow are still tried, as the store may only have been busy.
bool historyStore::written(bool done)
{
    if (!done && !writeFailed) {
        writeFailed = true;
        problem = cannotKeep(lastReason);
    }
    return done;
}

QString historyStore::cannotKeep(const QString &reason) const
{
    return tr("The update history cannot be kept in %1: %2").arg(file, reason);
}

QString historyStore::cannotRead(const QString &reason) const
{
    return tr("The update history in %1 cannot be read: %2").arg(file, reason);
}

std::optional<qint64> historyStore::begin(const historyRow &row)
{
    if (!usable)
        return {};
    const processLiveness self = processLiveness::ofThisProcess();
    QSqlQuery query = newQuery();
    if (!written(execute(
            query,
            QStringLiteral("INSERT INTO updates (%1) VALUES (%2)")
                .arg(begun.join(", "), QString("?, ").repeated(begun.size()).chopped(2)),
            {utc(QDateTime::currentDateTimeUtc()), historyRow::key(row.source),
             QString(programIdentity::version), row.file, row.fileSize, row.sha256,
             row.header.applicationName, row.header.applicationVersion, row.header.vendorName,
             row.header.fixtureName, row.port, row.interfaceDescription, row.serialNumber,
             row.linesTotal, self.bootId, self.processId, self.startTime})))
        return {};
    const qint64 id = query.lastInsertId().toLongLong();
    sinceBegin[id].start();
    return id;
}

bool historyStore::recordLinesDone(qint64 id, qint64 linesDone)
{
    return usable &&
           written(execute(QStringLiteral("UPDATE updates SET lines_done = ? WHERE id = ?"),
                           {linesDone, id}));
}

bool historyStore::end(qint64 id, historyRow::outcome result, const QString &message)
{
    const QElapsedTimer since = sinceBegin.take(id);
    return usable &&
           written(execute(QStringLiteral("UPDATE updates SET ended = ?, duration_ms = ?, "
                                          "result = ?, message = ? WHERE id = ?"),
                           {utc(QDateTime::currentDateTimeUtc()),
                            since.isValid() ? QVariant(since.elapsed()) : QVariant(),
                            historyRow::key(result), message, id}));
}

// The rows are copied out and the query finished before anyone sees them: under WAL, a read left
// open holds back the checkpoints of the updates that write meanwhile.
std::optional<QList<historyRow>> historyStore::rows()
{
    QList<historyRow> found;
    if (absent || (usable && version < 1))
        return found;
    if (!usable)
        return {};
    QSqlQuery query = newQuery();
    if (!execute(
            query,
            QStringLiteral("SELECT %1 FROM updates ORDER BY id").arg((begun + added).join(", ")))) {
        problem = cannotRead(lastReason);
        return {};
    }
    while (query.next()) {
        historyRow row;
        row.started = QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs);
        row.source = historyRow::sourceOf(query.value(1).toString());
        row.programVersion = query.value(2).toString();
        row.file = query.value(3).toString();
        row.fileSize = query.value(4).toLongLong();
        row.sha256 = query.value(5).toString();
        row.header = {query.value(6).toString(), query.value(8).toString(),
                      query.value(9).toString(), query.value(7).toString()};
        row.port = query.value(10).toString();
        row.interfaceDescription = query.value(11).toString();
        row.serialNumber = query.value(12).toString();
        row.linesTotal = query.value(13).toLongLong();
        row.process = {query.value(14).toString(), query.value(15).toLongLong(),
                       query.value(16).toLongLong()};
        row.linesDone = query.value(17).toLongLong();
        row.id = query.value(18).toLongLong();
        row.ended = QDateTime::fromString(query.value(19).toString(), Qt::ISODateWithMs);
        row.durationMilliseconds = query.value(20).isNull() ? -1 : query.value(20).toLongLong();
        row.result = historyRow::resultOf(query.value(21).toString());
        row.message = query.value(22).toString();
        if (row.result == historyRow::outcome::running && row.process.hasEnded())
            row.result = historyRow::outcome::interrupted;
        found << row;
    }
    const QSqlError error = query.lastError();
    query.finish();
    if (!error.isValid())
        return found;
    note(error);
    problem = cannotRead(lastReason);
    return {};
}
