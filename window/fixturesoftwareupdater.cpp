#include "fixturesoftwareupdater.h"
#include "porterrormessage.h"
#include "powerwarning.h"
#include "programidentity.h"
#include "runend.h"
#include "serialportthread.h"
#include "ui_fixturesoftwareupdater.h"
#include "updatefilecheck.h"
#include "updatefilesearch.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QStatusBar>
#include <QtConcurrentRun>

fixtureSoftwareUpdater::fixtureSoftwareUpdater(QWidget *parent,
                                               interfacePortSource availableInterfaces)
    : QMainWindow(parent), ui(new Ui::fixtureSoftwareUpdater), version(programIdentity::version),
      programName(programIdentity::name), fileFilter("(*.dmx)"), title(programName + " " + version),
      interfaceStatusLabel(new QLabel(this)), availableInterfaces(std::move(availableInterfaces))
{
    ui->setupUi(this);
    ui->logoLabel->setPixmap(QPixmap(":/logo.png"));
    setWindowTitle(title);
    ui->updateButton->setDisabled(true);
    ui->updateButton->setToolTip(tr("Select port and update file to start!"));

    interfaceActionGroup = new QActionGroup(this);
    interfaceActionGroup->setExclusive(true);
    connect(interfaceActionGroup, &QActionGroup::triggered, this,
            &fixtureSoftwareUpdater::serialPortSelected);

    // Texts that come from a file or from the system are shown as they are, never as markup.
    interfaceStatusLabel->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(interfaceStatusLabel);
    interfaceStatusLabel->setText(tr("Currently no interface selected!"));

    connect(&durationReader, &QFutureWatcherBase::finished, this,
            &fixtureSoftwareUpdater::durationRead);
    timeLeftTicker.setInterval(1000);
    connect(&timeLeftTicker, &QTimer::timeout, this, &fixtureSoftwareUpdater::showTimeLeft);

    preselectUpdateFile();
    on_actionRefreshPortsList_triggered();
}

fixtureSoftwareUpdater::~fixtureSoftwareUpdater()
{
    // The program waits at its end for a reading that is still under way.
    forgetDuration();
    stopWorker();
    delete ui;
}

void fixtureSoftwareUpdater::on_actionQuit_triggered()
{
    QCoreApplication::quit();
}

// Its header is read only once the technician chooses a file.
void fixtureSoftwareUpdater::preselectUpdateFile()
{
    updateFileInfo = updateFileInWorkingDirectory();
    if (updateFileInfo.filePath().isEmpty())
        return;
    ui->fileLabel->setText(updateFileInfo.filePath());
    readDuration();
}

void fixtureSoftwareUpdater::on_actionRefreshPortsList_triggered()
{
    if (state != runState::idle)
        return;
    serialPortInfos = availableInterfaces();
    const QList<QAction *> previousEntries = interfaceActionGroup->actions();
    for (QAction *entry : previousEntries) {
        interfaceActionGroup->removeAction(entry);
        ui->menuPort->removeAction(entry);
        entry->deleteLater();
    }

    for (const interfacePort &port : qAsConst(serialPortInfos)) {
        if (!port.isListed())
            continue;
        QAction *entry = interfaceActionGroup->addAction(port.menuText());
        ui->menuPort->insertAction(ui->menuPort->actions().value(0), entry);
        entry->setData(port.portName);
        qDebug() << port.portName << port.description << port.manufacturer << port.serialNumber;

        if (!port.isInterfaceBox() && port.portName == selectedPortName) {
            entry->setCheckable(true);
            entry->setChecked(true);
        } else {
            serialPortSelected(entry);
        }
    }

    if (interfaceActionGroup->actions().isEmpty() || selectedPortName.isEmpty()) {
        selectedPortName.clear();
        interfaceStatusLabel->setText(tr("Currently no interface selected!"));
    }
    updateStartAvailability();
}

void fixtureSoftwareUpdater::serialPortSelected(QAction *action)
{
    if (state != runState::idle)
        return;
    selectedPortName = action->data().toString();
    action->setCheckable(true);
    action->setChecked(true);
    interfaceStatusLabel->setText(tr("Current interface: %1").arg(action->text()));
    updateStartAvailability();
}

void fixtureSoftwareUpdater::on_selectFileButton_clicked()
{
    if (state != runState::idle)
        return;
    const QString chosen =
        QFileDialog::getOpenFileName(this, tr("Select Firmware"), updateFileInfo.filePath(),
                                     tr("Firmware Files %1").arg(fileFilter));
    if (!chosen.isEmpty())
        chooseUpdateFile(chosen);
}

// A file that cannot be sent is reported with the system's reason, a missing one too: a file
// named when starting may have been mistyped.
void fixtureSoftwareUpdater::chooseUpdateFile(const QString &path)
{
    if (state != runState::idle)
        return;
    clearFileInformation();
    forgetDuration();
    updateFileInfo = QFileInfo(path);
    ui->fileLabel->setText(updateFileInfo.filePath());
    updateFileCheck check(updateFileInfo.filePath());
    if (!check.passed())
        return showErrorMessage(check.message());
    updateStartAvailability();
    readDuration();
    const updateFileHeader header = check.header();
    if (!header.isComplete())
        return clearFileInformation();
    ui->applicationDisplayLabel->setText(header.applicationText());
    ui->fixtureDisplayLabel->setText(header.fixtureText());
    ui->infoStackedWidget->setCurrentWidget(ui->fixtureDisplayPage);
}

void fixtureSoftwareUpdater::on_selectFileButton_2_clicked()
{
    if (state != runState::idle)
        return;
    ui->infoStackedWidget->setCurrentWidget(ui->selectFilePage);
    on_selectFileButton_clicked();
}

void fixtureSoftwareUpdater::on_updateButton_clicked()
{
    switch (state) {
    case runState::idle:
        return startUpdate();
    case runState::finished:
    case runState::canceled:
        return acknowledge();
    case runState::starting:
    case runState::running:
        return;
    }
}

// From the click until the end is acknowledged, the interface and the file stay as they were at
// the click, so that the status bar and the file label name what the update uses. Only a start
// waits for the power check.
void fixtureSoftwareUpdater::enter(runState next)
{
    state = next;
    if (state != runState::starting)
        forgetPowerCheck();
    const bool idle = state == runState::idle;
    interfaceActionGroup->setEnabled(idle);
    ui->actionRefreshPortsList->setEnabled(idle);
    ui->selectFileButton->setEnabled(idle);
    ui->selectFileButton_2->setEnabled(idle);
    updateStartAvailability();
}

// The pages switch at once; behind them the start waits for the duration, which it needs, while
// a very long file is still being read, then for the power check, which answers within about a
// second whatever the bus does.
void fixtureSoftwareUpdater::startUpdate()
{
    enter(runState::starting);
    ui->updateButton->setDisabled(true);
    ui->infoStackedWidget->setCurrentWidget(ui->progressPage);
    ui->updateStackedWidget->setCurrentWidget(ui->cancelSendingPage);
    if (!durationPending)
        askPower();
}

// Each start asks a check of its own: an answer that comes after its start was canceled must
// never be taken for the next start's.
void fixtureSoftwareUpdater::askPower()
{
    forgetPowerCheck();
    pendingPowerCheck = new powerCheck(this);
    connect(pendingPowerCheck, &powerCheck::answered, this, &fixtureSoftwareUpdater::powerChecked);
    pendingPowerCheck->ask();
}

void fixtureSoftwareUpdater::forgetPowerCheck()
{
    if (!pendingPowerCheck)
        return;
    // Its answer may already be on its way; and it may be answering right now, so it is deleted
    // only once back in the event loop.
    pendingPowerCheck->disconnect(this);
    pendingPowerCheck->deleteLater();
    pendingPowerCheck = nullptr;
}

// A computer that turns off halfway through leaves the fixture without working firmware.
void fixtureSoftwareUpdater::powerChecked(const powerState &power)
{
    const QString warning = powerWarning(power, duration.totalNanoseconds());
    if (!warning.isEmpty()) {
        QMessageBox question(QMessageBox::Warning, title, warning, QMessageBox::NoButton, this);
        question.setTextFormat(Qt::PlainText);
        question.setWindowModality(Qt::ApplicationModal);
        const QAbstractButton *anyway =
            question.addButton(tr("Start Anyway"), QMessageBox::AcceptRole);
        question.setDefaultButton(question.addButton(QMessageBox::Cancel));
        question.exec();
        if (question.clickedButton() != anyway)
            return acknowledge();
    }
    sendUpdate();
}

void fixtureSoftwareUpdater::sendUpdate()
{
    enter(runState::running);
    inhibitor.hold();
    sinceProgress.start();
    timeLeftTicker.start();
    showTimeLeft();

    auto *worker = new serialPortThread(selectedPortName, updateFileInfo);
    worker->moveToThread(&workerThread);
    connect(&workerThread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &serialPortThread::portStatusChanged, this,
            &fixtureSoftwareUpdater::serialPortError);
    connect(worker, &serialPortThread::sendError, this, &fixtureSoftwareUpdater::showErrorMessage);
    connect(worker, &serialPortThread::updateFileLength, this,
            &fixtureSoftwareUpdater::updateFileLength);
    connect(worker, &serialPortThread::updateProgress, this,
            &fixtureSoftwareUpdater::updateProgress);
    connect(worker, &serialPortThread::finished, this, &fixtureSoftwareUpdater::updateFinished);
    connect(worker, &serialPortThread::canceled, this, &fixtureSoftwareUpdater::updateCanceled);
    connect(worker, &serialPortThread::sendMessage, this, &fixtureSoftwareUpdater::recieveMessage);
    connect(this, &fixtureSoftwareUpdater::startSending, worker, &serialPortThread::startSending);
    // Direct: a queued call would wait until the worker's hold is over, however long it is.
    connect(this, &fixtureSoftwareUpdater::cancelSending, worker, &serialPortThread::cancelSending,
            Qt::DirectConnection);
    workerThread.start(QThread::InheritPriority);
    emit startSending();
}

// Before the worker is made, a cancel ends the start: nothing has been sent or taken.
void fixtureSoftwareUpdater::on_cancelButton_clicked()
{
    if (state == runState::starting)
        return acknowledge();
    emit cancelSending();
}

void fixtureSoftwareUpdater::updateFileLength(int updateFileLength)
{
    ui->progressBar->setRange(0, updateFileLength);
}

void fixtureSoftwareUpdater::updateProgress(int progress)
{
    // The bar ignores steps beyond its maximum, which the sum must not overflow on its way to.
    ui->progressBar->setValue(
        int(qMin<qint64>(qint64(ui->progressBar->value()) + progress, ui->progressBar->maximum())));
    sinceProgress.restart();
    showTimeLeft();
}

// The window shows no running text during an update.
void fixtureSoftwareUpdater::recieveMessage(QString message)
{
    Q_UNUSED(message)
}

void fixtureSoftwareUpdater::updateFinished()
{
    endUpdate(runState::finished, runEnd::finished());
}

void fixtureSoftwareUpdater::updateCanceled()
{
    endUpdate(runState::canceled, runEnd::canceled());
}

// The end waits for the technician's acknowledgement, with the bar where the update left it.
void fixtureSoftwareUpdater::endUpdate(runState end, const QString &buttonText)
{
    enter(end);
    ui->updateStackedWidget->setCurrentWidget(ui->startSendingPage);
    ui->updateButton->setText(buttonText);
    ui->updateButton->setEnabled(true);
    stopWorker();
    showDuration();
}

// After a failure. An update that ended before still waits for its acknowledgement.
void fixtureSoftwareUpdater::returnToIdle()
{
    stopWorker();
    ui->infoStackedWidget->setCurrentWidget(ui->selectFilePage);
    ui->progressBar->setValue(0);
    ui->updateStackedWidget->setCurrentWidget(ui->startSendingPage);
    clearFileInformation();
    if (state != runState::finished && state != runState::canceled)
        enter(runState::idle);
    showDuration();
}

// Back to the pages of a chosen file, as before the start.
void fixtureSoftwareUpdater::acknowledge()
{
    ui->updateButton->setText(tr("Start"));
    ui->progressBar->setValue(0);
    ui->infoStackedWidget->setCurrentWidget(ui->applicationDisplayLabel->text().isEmpty()
                                                ? ui->selectFilePage
                                                : ui->fixtureDisplayPage);
    ui->updateStackedWidget->setCurrentWidget(ui->startSendingPage);
    enter(runState::idle);
}

void fixtureSoftwareUpdater::clearFileInformation()
{
    ui->applicationDisplayLabel->setText("");
    ui->fixtureDisplayLabel->setText("");
}

// A worker that is still sending stops at once in a hold, or after the frames of its current
// data line, so the wait that follows is short; a worker whose update has ended ignores it.
void fixtureSoftwareUpdater::stopWorker()
{
    inhibitor.release();
    emit cancelSending();
    workerThread.quit();
    workerThread.wait();
}

// Start needs a selected interface and an update file that is a plain file. A finished or
// canceled update keeps the button for its acknowledgement, and during an update it is hidden.
void fixtureSoftwareUpdater::updateStartAvailability()
{
    if (state != runState::idle)
        return;
    ui->updateButton->setEnabled(!selectedPortName.isEmpty() &&
                                 QFileInfo(updateFileInfo.filePath()).isFile());
}

// The whole file is read for its duration, so not in the window's thread.
void fixtureSoftwareUpdater::readDuration()
{
    durationPending = true;
    stopDurationReading = std::make_shared<std::atomic<bool>>(false);
    durationReader.setFuture(
        QtConcurrent::run([path = updateFileInfo.filePath(), stop = stopDurationReading] {
            return updateFileReading::of(path, *stop);
        }));
}

void fixtureSoftwareUpdater::durationRead()
{
    // A reading that was dropped for another file ends canceled.
    if (durationReader.isCanceled())
        return;
    const updateFileReading reading = durationReader.result();
    duration = reading.duration();
    durationPending = false;
    // A file that cannot be read to its end is reported when chosen, and ends a start.
    if (!reading.failure().isEmpty())
        return showErrorMessage(reading.failure());
    // The label keeps the duration until the worker starts.
    showDuration();
    if (state == runState::starting)
        askPower();
}

// A reading dropped for another file stops early rather than running on in the thread pool.
void fixtureSoftwareUpdater::forgetDuration()
{
    if (stopDurationReading)
        *stopDurationReading = true;
    durationPending = false;
    durationReader.setFuture(QFuture<updateFileReading>());
    duration = updateDuration();
    ui->durationLabel->clear();
}

void fixtureSoftwareUpdater::showDuration()
{
    timeLeftTicker.stop();
    ui->durationLabel->setText(duration.isKnown() ? duration.takesAbout() : QString());
}

void fixtureSoftwareUpdater::showTimeLeft()
{
    const qint64 left = duration.timeLeft(ui->progressBar->value(), sinceProgress.nsecsElapsed());
    ui->durationLabel->setText(
        duration.isKnown() ? tr("About %1 left").arg(updateDuration::text(left)) : QString());
}

void fixtureSoftwareUpdater::serialPortError(int error)
{
    qDebug() << "error recieved:" << error;
    if (error == 0)
        return;
    const QString message = portErrorMessage(error);
    if (message.isEmpty())
        return returnToIdle();
    showErrorMessage(message);
}

void fixtureSoftwareUpdater::serialPortClosing()
{
    ui->updateButton->setDisabled(true);
}

void fixtureSoftwareUpdater::showErrorMessage(QString message)
{
    // The run has ended; the computer need not stay awake while the message waits to be read.
    inhibitor.release();
    QMessageBox box;
    box.setTextFormat(Qt::PlainText);
    box.setText(message);
    box.exec();
    returnToIdle();
}
