#include "historylisting.h"
#include "historystore.h"
#include "terminaltext.h"
#include "updateduration.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

historyListing::historyListing(bool json)
{
    historyStore store(historyStore::access::read);
    const std::optional<QList<historyRow>> rows = store.rows();
    failure = store.warning();
    for (const historyRow &row : rows.value_or(QList<historyRow>{}))
        text += (json ? jsonLine(row) : withControlsEscaped(line(row))) + '\n';
}

// The file's texts are escaped as a whole line, since any of them may come from outside.
QString historyListing::line(const historyRow &row)
{
    QStringList parts{QLocale::system().toString(row.started.toLocalTime(), QLocale::ShortFormat),
                      row.resultText(),
                      row.file,
                      row.header.applicationText(),
                      row.header.fixtureText(),
                      row.interfaceText(),
                      tr("%1 of %2 lines").arg(row.linesDone).arg(row.linesTotal)};
    if (row.durationMilliseconds >= 0)
        parts << updateDuration::text(row.durationMilliseconds * 1000000);
    parts << row.sourceText();
    if (!row.message.isEmpty())
        parts << row.message;
    return parts.join(QStringLiteral(" · "));
}

QString historyListing::jsonLine(const historyRow &row)
{
    const auto orNull = [](bool known, const QJsonValue &value) {
        return known ? value : QJsonValue(QJsonValue::Null);
    };
    const QJsonObject object{
        {"started", row.started.toString(Qt::ISODateWithMs)},
        {"ended", orNull(row.ended.isValid(), row.ended.toString(Qt::ISODateWithMs))},
        {"duration_ms", orNull(row.durationMilliseconds >= 0, row.durationMilliseconds)},
        {"source", historyRow::key(row.source)},
        {"program_version", row.programVersion},
        {"file", row.file},
        {"file_size", row.fileSize},
        {"sha256", row.sha256},
        {"application", row.header.applicationName},
        {"version", row.header.applicationVersion},
        {"vendor", row.header.vendorName},
        {"fixture", row.header.fixtureName},
        {"interface", row.port},
        {"serial", row.serialNumber},
        {"lines_total", row.linesTotal},
        {"lines_done", row.linesDone},
        {"result", historyRow::key(row.result)},
        {"message", row.message}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
