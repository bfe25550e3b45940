#ifndef HISTORYDIALOG_H
#define HISTORYDIALOG_H

#include "historyrow.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QList>
#include <QString>

class QLabel;
class QTableWidget;

// What the reading hands over: the rows, or why there are none.
struct historyReading
{
    QList<historyRow> rows;
    QString problem;
};

// The updates the history holds, newest first. It opens at once and is filled once the rows
// have been read off the window's thread, the query finished and the rows copied out: the window
// never waits on a file, and a read left open would hold back the checkpoints of the updates
// that write meanwhile.
class historyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit historyDialog(QWidget *parent = nullptr);

private:
    void fill(const historyReading &read);

    QLabel *state;
    QTableWidget *table;
    QFutureWatcher<historyReading> reading;
};

#endif
