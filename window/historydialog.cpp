#include "historydialog.h"
#include "historystore.h"
#include "updateduration.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

historyDialog::historyDialog(QWidget *parent)
    : QDialog(parent), state(new QLabel(tr("Reading the update history…"), this)),
      table(new QTableWidget(0, 8, this))
{
    setWindowTitle(tr("Update History"));
    // The reason for a store that cannot be read names its path, which is the user's.
    state->setTextFormat(Qt::PlainText);
    state->setWordWrap(true);
    table->setHorizontalHeaderLabels({tr("When"), tr("Result"), tr("File"), tr("Fixture"),
                                      tr("Interface"), tr("Lines"), tr("Duration"), tr("Message")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(state);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(960, 420);

    connect(&reading, &QFutureWatcher<historyReading>::finished, this,
            [this] { fill(reading.result()); });
    reading.setFuture(QtConcurrent::run([] {
        historyStore store(historyStore::access::read);
        const std::optional<QList<historyRow>> rows = store.rows();
        return historyReading{rows.value_or(QList<historyRow>{}), store.warning()};
    }));
}

// Table cells show their text as it is, never as markup: the header values and the paths come
// from files.
void historyDialog::fill(const historyReading &read)
{
    state->setText(!read.problem.isEmpty() ? read.problem
                   : read.rows.isEmpty()   ? tr("No update has been recorded yet.")
                                           : QString());
    state->setVisible(!state->text().isEmpty());
    table->setRowCount(read.rows.size());
    int at = read.rows.size();
    for (const historyRow &row : read.rows) {
        const QString application = row.header.applicationText().trimmed();
        const QStringList cells{
            QLocale().toString(row.started.toLocalTime(), QLocale::ShortFormat),
            row.resultText(),
            QFileInfo(row.file).fileName() +
                (application.isEmpty() ? QString() : QStringLiteral(" · ") + application),
            row.header.fixtureText().trimmed(),
            row.interfaceText(),
            tr("%1 of %2").arg(row.linesDone).arg(row.linesTotal),
            row.durationMilliseconds < 0 ? QString()
                                         : updateDuration::text(row.durationMilliseconds * 1000000),
            row.message};
        --at;
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(at, column, new QTableWidgetItem(cells[column]));
        table->item(at, 2)->setToolTip(row.file);
    }
    table->resizeColumnsToContents();
}
