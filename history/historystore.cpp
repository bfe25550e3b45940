#include "historystore.h"
#include "programidentity.h"

#include <QDateTime>

namespace {

// What begin() writes, then what the update adds to it.
const QStringList begun = {"started",     "source",       "program_version",
                           "file",        "file_size",    "sha256",
                           "application", "version",      "vendor",
                           "fixture",     "interface",    "interface_description",
                           "serial",      "lines_total",  "boot_id",
                           "process_id",  "process_start"};
const QStringList added = {"lines_done", "id", "ended", "duration_ms", "result", "message"};

QString utc(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

} // namespace

historyStore::historyStore(access mode, QString file)
    : file(std::move(file)), database(mode, this->file)
{
    if (!database.isOpen() && !database.isAbsent())
        problem =
            mode == access::read ? cannotRead(database.reason()) : cannotKeep(database.reason());
    else if (!database.setAsideAs().isEmpty())
        problem = tr("The update history in %1 was damaged; it is kept as %2, and a new one "
                     "is begun.")
                      .arg(this->file, database.setAsideAs());
}

// Reported once; the writes that follow are still tried, as the store may only have been busy.
bool historyStore::written(bool done)
{
    if (!done && !writeFailed) {
        writeFailed = true;
        problem = cannotKeep(database.reason());
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
    if (!database.isOpen())
        return {};
    const processLiveness self = processLiveness::ofThisProcess();
    QSqlQuery query = database.newQuery();
    if (!written(database.execute(
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
    return database.isOpen() &&
           written(database.execute(
               QStringLiteral("UPDATE updates SET lines_done = ? WHERE id = ?"), {linesDone, id}));
}

bool historyStore::end(qint64 id, historyRow::outcome result, const QString &message)
{
    const QElapsedTimer since = sinceBegin.take(id);
    return database.isOpen() &&
           written(database.execute(QStringLiteral("UPDATE updates SET ended = ?, duration_ms = ?, "
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
    if (database.isAbsent() || (database.isOpen() && database.version() < 1))
        return found;
    if (!database.isOpen())
        return {};
    QSqlQuery query = database.newQuery();
    if (!database.execute(
            query,
            QStringLiteral("SELECT %1 FROM updates ORDER BY id").arg((begun + added).join(", ")))) {
        problem = cannotRead(database.reason());
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
    problem = cannotRead(error.databaseText());
    return {};
}
