#ifndef PSEUDOTERMINAL_H
#define PSEUDOTERMINAL_H

#include <QByteArray>
#include <QString>

#include <atomic>
#include <mutex>
#include <sys/types.h>
#include <thread>

// Stands in for the interface box: the program opens the slave side as its serial port, and a
// thread drains the master side so that everything written can be checked afterwards. Long
// runs may keep only the count, so that the process does not grow by the bytes it sent.
class pseudoTerminal
{
public:
    explicit pseudoTerminal(bool keepReceived = true);
    ~pseudoTerminal();

    QString portName() const { return name; }
    dev_t device() const { return slaveDevice; }
    QByteArray received() const;
    qint64 receivedCount() const { return count; }

    // The line as the program left it; the kernel keeps speeds and input flags as asked.
    struct lineSettings
    {
        unsigned int outputSpeed;
        unsigned int inputSpeed;
        unsigned int inputFlags;
    };
    lineSettings settings() const;

    // The box stops reading; the kernel buffers fill up and writes stall.
    void stopReading() { reading = false; }
    // The box is unplugged: the master side goes away.
    void hangUp();

private:
    void drain();

    const bool keepReceived;
    int master;
    int slave;
    QString name;
    dev_t slaveDevice;
    std::atomic<qint64> count{0};
    std::atomic<bool> reading{true};
    std::atomic<bool> stopping{false};
    mutable std::mutex mutex;
    QByteArray data;
    std::thread reader;
};

#endif
