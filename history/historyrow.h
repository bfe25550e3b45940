#ifndef HISTORYROW_H
#define HISTORYROW_H

#include "processliveness.h"
#include "updatefileheader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

// One update as the history keeps it. The file's header, the versions and the interface's texts
// are kept as they were at the time, never looked up again.
class historyRow
{
    Q_DECLARE_TR_FUNCTIONS(historyRow)

public:
    enum class frontEnd { window, commandLine };
    // How an update ended. Only the first three are stored: a row without one is running while
    // the process that began it runs, and was interrupted once that process has ended.
    enum class outcome { finished, canceled, failed, running, interrupted };

    qint64 id = 0;
    QDateTime started;                // UTC
    QDateTime ended;                  // UTC; invalid until the update has ended
    qint64 durationMilliseconds = -1; // from a monotonic clock; -1 until the update has ended
    frontEnd source = frontEnd::window;
    QString programVersion;
    QString file;
    qint64 fileSize = 0;
    QString sha256; // in hexadecimal
    updateFileHeader header;
    QString port;
    QString interfaceDescription;
    QString serialNumber;
    qint64 linesTotal = 0;
    qint64 linesDone = 0;
    outcome result = outcome::running;
    QString message;
    processLiveness process;

    // The English keys the store holds and scripts read.
    static QString key(frontEnd source);
    static QString key(outcome result);
    static frontEnd sourceOf(const QString &key);
    static outcome resultOf(const QString &key);

    // In the technician's language.
    QString sourceText() const;
    QString resultText() const;
    // The port, then the interface's description and serial number, as in
    // "ttyUSB0 (CP2102 USB to UART Bridge Controller 0001)".
    QString interfaceText() const;
};

#endif
