#ifndef SERIALPORTTHREAD_H
#define SERIALPORTTHREAD_H

#include "kernelwaitlimit.h"
#include "linetiming.h"

#include <QByteArray>
#include <QFileInfo>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <atomic>

class updateFileReader;

// Sends one update file to the fixture, frame by frame, from a thread of its own. Every run
// ends with exactly one of finished(), canceled() or a single failure report. cancelSending()
// may be called from any thread: the window calls it directly, so that a cancel reaches the
// worker while it sleeps through a hold, or while the kernel holds one of its port calls.
class serialPortThread : public QObject
{
    Q_OBJECT

public:
    serialPortThread(QString portName, QFileInfo updateFile);
    ~serialPortThread() override;

signals:
    void portStatusChanged(qlonglong status);
    void sendError(QString error);
    void sendMessage(QString message);
    // The file's lines, at most INT_MAX; one progress step of 1 comes for every line all the
    // same, so a file beyond that gives more steps than its length.
    void updateFileLength(int length);
    void updateProgress(int progress);
    void finished();
    void canceled();

public slots:
    void startSending();
    void cancelSending();

private:
    bool openUpdateFile(updateFileReader &updateFile);
    bool openSerialPort(const QString &portName);
    bool configurationFailed(const QString &message);
    void reportPortError(int error);
    void reportRemainingPortError();
    void reportError(const QString &message);
    void portErrorOccurred(QSerialPort::SerialPortError error);
    void portClosing();
    qint64 sendFrame(const QByteArray &data);
    bool waitUntilWritten();
    bool holdUntil(qint64 deadline);
    bool drainOutput();
    void sleepUntil(qint64 deadline);
    void countDataLine(qint64 &sent);
    void endWithReadFailure(const updateFileReader &updateFile);
    void endWithFailure();
    void releasePort();

    QFileInfo updateFileInfo;
    std::atomic<bool> cancelRequested{false};
    QSerialPort *serialPort = nullptr;
    const quint32 breakTime = lineTiming::breakMicroseconds;
    const quint32 markAfterBreakTime = lineTiming::markAfterBreakMicroseconds;
    const char startCode = 0x00;
    const QByteArray startCodeBytes;
    const QString portName;
    kernelWaitLimit waitLimit;
    bool failureReported = false;
    qint64 lineFreeAt = 0;
    qint64 lastFrameLineTime = 0;
    qint64 holdEndsAt = 0;
    qint64 wakeUpLatency = 0;
};

#endif
