#ifndef UPDATEDURATION_H
#define UPDATEDURATION_H

#include <QString>
#include <QVector>

// How long an update keeps the line busy, read from its file the way the worker sends it: every
// frame, repeats included, with its break, mark after break, start code and data bytes, and
// every line's hold as written. A real interface adds its own latency to each frame.
class updateDuration
{
public:
    // Reads the whole file; an unreadable file gives a duration that is not known.
    static updateDuration of(const QString &path);

    bool isKnown() const { return known; }
    qint64 totalNanoseconds() const { return remainingAfter(0); }
    // What is left once the first `lines` lines are done, each with its frames and its hold.
    qint64 remainingAfter(int lines) const;
    // What is left while the line after them is under way: counted down with the time since
    // the last line was done, through long holds too, but never below what the next line
    // leaves, so that it never runs ahead of the update.
    qint64 timeLeft(int linesDone, qint64 nanosecondsSince) const;

    // For the technician: "40 s", "6 min", "3 h", "50 days". Seconds go in steps of 10, below a
    // minute; whole minutes below two hours; hours below two days.
    static QString text(qint64 nanoseconds);

private:
    bool known = false;
    QVector<qint64> doneAfter; // the time on the line when each line is done
};

#endif
