#ifndef UPDATEDURATION_H
#define UPDATEDURATION_H

#include <QCoreApplication>
#include <QString>
#include <QVector>

// How long an update keeps the line busy, line by line as its file is read the way the worker
// sends it: every frame, repeats included, with its break, mark after break, start code and data
// bytes, and every line's hold as written. A real interface adds its own latency to each frame.
class updateDuration
{
    Q_DECLARE_TR_FUNCTIONS(updateDuration)

public:
    // Known once a reading of its file has been completed.
    bool isKnown() const { return known; }
    // A total beyond what qint64 holds (292 years) reads as the largest one.
    qint64 totalNanoseconds() const { return total; }
    // What is left once the first `lines` lines are done, each with its frames and its hold.
    qint64 remainingAfter(qint64 lines) const;
    // What is left while the line after them is under way: counted down with the time since
    // the last line was done, through long holds too, but never below what the next line
    // leaves, so that it never runs ahead of the update.
    qint64 timeLeft(qint64 linesDone, qint64 nanosecondsSince) const;

    // For the technician: "40 s", "6 min", "3 h", "50 days". Seconds go in steps of 10, below a
    // minute; whole minutes below two hours; hours below two days.
    static QString text(qint64 nanoseconds);
    // "The update takes about 6 min", as both front ends say it.
    QString takesAbout() const;

private:
    friend class updateFileReading;
    void reserveFor(qint64 fileBytes);
    void lineDone(qint64 lineNanoseconds);

    bool known = false;
    qint64 total = 0;
    qint64 lineCount = 0;
    // The time on the line when each stretch of lines is done. Every line has its own entry up
    // to a fixed number of them; a longer file makes each entry stand for twice the lines, as
    // often as needed, so that no file costs more than a bounded amount of memory.
    QVector<qint64> doneAfter;
    qint64 linesPerEntry = 1;
};

#endif
