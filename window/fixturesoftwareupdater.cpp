#include "fixturesoftwareupdater.h"
#include "backgroundreading.h"
#include "desktopnotice.h"
#include "dockprogress.h"
#include "historydialog.h"
#include "programidentity.h"
#include "runend.h"
#include "ui_fixturesoftwareupdater.h"
#include "updatefilecheck.h"
#include "updatefilesearch.h"
#include "updatesession.h"

#include <QActionGroup>
#include <QApplication>
#include <QDebug>
#include <QFileDialog>
#include <QLabel>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPixmap>
#include <QStatusBar>

namespace {

// Off unless QT_LOGGING_RULES turns it on, as in "fixture-software-updater.window.debug=true".
Q_LOGGING_CATEGORY(windowLog, "fixture-software-updater.window", QtInfoMsg)

} // namespace

fixtureSoftwareUpdater::fixtureSoftwareUpdater(QWidget *parent,
                                               interfacePortSource availableInterfaces)
    : QMainWindow(parent), ui(new Ui::fixtureSoftwareUpdater), version(programIdentity::version),
      programName(programIdentity::name), fileFilter("(*.dmx)"), title(programName + " " + version),
      interfaceStatusLabel(new QLabel(this)), historyWarningLabel(new QLabel(this)),
      availableInterfaces(std::move(availableInterfaces)), dock(new dockProgress(this)),
      notice(new desktopNotice(tr("Show"), this))
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
    historyWarningLabel->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(historyWarningLabel);

    connect(notice, &desktopNotice::clicked, this, &fixtureSoftwareUpdater::bringToFront);

    preselectUpdateFile();
    on_actionRefreshPortsList_triggered();
}

// An update under way ends at once in a hold or a stall, and otherwise after the current line's
// frames; a reading under way stops.
fixtureSoftwareUpdater::~fixtureSoftwareUpdater()
{
    delete session;
    delete ui;
}

void fixtureSoftwareUpdater::on_actionQuit_triggered()
{
    QCoreApplication::quit();
}

// Each opening reads the history again, so that it shows the updates made meanwhile.
void fixtureSoftwareUpdater::on_actionHistory_triggered()
{
    auto *history = new historyDialog(this);
    history->setAttribute(Qt::WA_DeleteOnClose);
    history->show();
}

// Its header is read only once the technician chooses a file.
void fixtureSoftwareUpdater::preselectUpdateFile()
{
    updateFileInfo = updateFileInWorkingDirectory();
    if (updateFileInfo.filePath().isEmpty())
        return;
    ui->fileLabel->setText(updateFileInfo.filePath());
    readFile();
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
        qCDebug(windowLog) << port.portName << port.description << port.manufacturer
                           << port.serialNumber;

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
    forgetReading();
    updateFileInfo = QFileInfo(path);
    ui->fileLabel->setText(updateFileInfo.filePath());
    updateFileCheck check(updateFileInfo.filePath());
    if (!check.passed())
        return showErrorMessage(check.message());
    updateStartAvailability();
    readFile();
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
// the click, so that the status bar and the file label name what the update uses.
void fixtureSoftwareUpdater::enter(runState next)
{
    state = next;
    const bool idle = state == runState::idle;
    interfaceActionGroup->setEnabled(idle);
    ui->actionRefreshPortsList->setEnabled(idle);
    ui->selectFileButton->setEnabled(idle);
    ui->selectFileButton_2->setEnabled(idle);
    updateStartAvailability();
}

// The pages switch at once; behind them the session waits for the file's reading, which a very
// long file may still need, then for the power check, which answers within about a second
// whatever the bus does. Each start has a session of its own, so that an answer that comes
// after its start was canceled is never taken for the next start's.
void fixtureSoftwareUpdater::startUpdate()
{
    enter(runState::starting);
    ui->updateButton->setDisabled(true);
    ui->infoStackedWidget->setCurrentWidget(ui->progressPage);
    ui->updateStackedWidget->setCurrentWidget(ui->cancelSendingPage);
    if (session)
        session->deleteLater();
    historyWarningLabel->clear();
    session = new updateSession(selectedInterface(), updateFileInfo.filePath(),
                                historyRow::frontEnd::window, reading, this);
    connect(session, &updateSession::question, this, &fixtureSoftwareUpdater::askToProceed);
    connect(session, &updateSession::sending, this, &fixtureSoftwareUpdater::updateStarted);
    connect(session, &updateSession::progressed, this, &fixtureSoftwareUpdater::updateProgress);
    connect(session, &updateSession::finished, this, &fixtureSoftwareUpdater::updateFinished);
    connect(session, &updateSession::canceled, this, &fixtureSoftwareUpdater::updateCanceled);
    connect(session, &updateSession::failed, this, &fixtureSoftwareUpdater::updateFailed);
    connect(session, &updateSession::canceledBeforeSending, this,
            &fixtureSoftwareUpdater::acknowledge);
    connect(session, &updateSession::historyUnavailable, historyWarningLabel, &QLabel::setText);
    session->start();
}

// One question for every reason the session gives, with Cancel the default.
void fixtureSoftwareUpdater::askToProceed(const QString &powerWarning,
                                          const QString &doubtfulLinesWarning)
{
    QStringList reasons{powerWarning, doubtfulLinesWarning};
    reasons.removeAll(QString());
    QMessageBox question(QMessageBox::Warning, title, reasons.join("\n\n"), QMessageBox::NoButton,
                         this);
    question.setTextFormat(Qt::PlainText);
    question.setWindowModality(Qt::ApplicationModal);
    const QAbstractButton *anyway = question.addButton(tr("Start Anyway"), QMessageBox::AcceptRole);
    question.setDefaultButton(question.addButton(QMessageBox::Cancel));
    question.exec();
    question.clickedButton() == anyway ? session->proceed() : session->cancel();
}

void fixtureSoftwareUpdater::updateStarted()
{
    enter(runState::running);
    dock->begin();
    showTimeLeft();
}

// Before the worker is made, a cancel ends the start: nothing has been sent or taken.
void fixtureSoftwareUpdater::on_cancelButton_clicked()
{
    if (session)
        session->cancel();
}

void fixtureSoftwareUpdater::updateProgress()
{
    // The bar holds an int; the session counts the lines done in 64 bits, beyond the file's length
    // for a file of more than INT_MAX lines.
    ui->progressBar->setRange(0, session->lineCount());
    ui->progressBar->setValue(int(qMin<qint64>(session->linesDone(), session->lineCount())));
    dock->show(session->percent() / 100.0);
    showTimeLeft();
}

void fixtureSoftwareUpdater::updateFinished()
{
    noticeIfUnwatched(runEnd::finished());
    endUpdate(runState::finished, runEnd::finished());
}

void fixtureSoftwareUpdater::updateCanceled()
{
    noticeIfUnwatched(runEnd::canceled());
    endUpdate(runState::canceled, runEnd::canceled());
}

// Before the message box opens, which is a window of ours.
void fixtureSoftwareUpdater::updateFailed(const QString &message)
{
    dock->end();
    noticeIfUnwatched(tr("Update failed"), message);
    showErrorMessage(message);
}

// While another program's window is in front, the end of an update would wait unseen; a failure
// may have left the fixture without working firmware.
void fixtureSoftwareUpdater::noticeIfUnwatched(const QString &summary, const QString &failure)
{
    if (QApplication::activeWindow())
        return;
    const QString body = tr("File: %1\nInterface: %2")
                             .arg(updateFileInfo.fileName(), selectedInterface().menuText());
    notice->show(summary, failure.isEmpty() ? body : body + '\n' + failure, !failure.isEmpty());
}

// A desktop may refuse to bring a window forward for a program in the background.
void fixtureSoftwareUpdater::bringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

// The end waits for the technician's acknowledgement, with the bar where the update left it.
void fixtureSoftwareUpdater::endUpdate(runState end, const QString &buttonText)
{
    dock->end();
    enter(end);
    ui->updateStackedWidget->setCurrentWidget(ui->startSendingPage);
    ui->updateButton->setText(buttonText);
    ui->updateButton->setEnabled(true);
    showDuration();
}

// After a failure. An update that ended before still waits for its acknowledgement.
void fixtureSoftwareUpdater::returnToIdle()
{
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

// Start needs a selected interface and an update file that is a plain file, and that is not
// known to differ from the one that was published. A finished or canceled update keeps the
// button for its acknowledgement, and during an update it is hidden.
void fixtureSoftwareUpdater::updateStartAvailability()
{
    if (state != runState::idle)
        return;
    const bool refused = finishedReading() && !finishedReading()->refusal().isEmpty();
    ui->updateButton->setEnabled(!selectedPortName.isEmpty() &&
                                 QFileInfo(updateFileInfo.filePath()).isFile() && !refused);
}

// The whole file is read, for its duration, off the window's thread; the session takes this
// reading over at Start.
void fixtureSoftwareUpdater::readFile()
{
    reading = std::make_shared<backgroundReading>(updateFileInfo.filePath());
    connect(reading.get(), &backgroundReading::finished, this, &fixtureSoftwareUpdater::fileRead);
}

// As the system listed it, for the history and the desktop's notice; the list cannot change
// during an update.
interfacePort fixtureSoftwareUpdater::selectedInterface() const
{
    for (const interfacePort &port : serialPortInfos)
        if (port.portName == selectedPortName)
            return port;
    return {selectedPortName, {}, {}, {}};
}

// The reading of the chosen file, once it is done.
const updateFileReading *fixtureSoftwareUpdater::finishedReading() const
{
    return reading && reading->isDone() ? &reading->result() : nullptr;
}

// What the reading found is shown whichever page is up. A file that is not the one that was
// published is never sent, so Start stays off for it. A reading that fails once Start was
// pressed is the session's to report.
void fixtureSoftwareUpdater::fileRead()
{
    const updateFileReading &result = reading->result();
    if (!result.failure().isEmpty()) {
        if (state == runState::idle)
            showErrorMessage(result.failure());
        return;
    }
    QStringList findings{result.refusal(), result.doubtfulLinesNote()};
    if (result.refusal().isEmpty() && result.published().exists())
        findings << result.published().matchNote();
    findings.removeAll(QString());
    ui->fileCheckLabel->setText(findings.join("\n"));
    updateStartAvailability();
    if (state == runState::idle || state == runState::starting)
        showDuration();
}

// A reading dropped for another file stops early rather than running on in the thread pool.
void fixtureSoftwareUpdater::forgetReading()
{
    reading.reset();
    ui->durationLabel->clear();
    ui->fileCheckLabel->clear();
}

// The label keeps the duration until the worker starts.
void fixtureSoftwareUpdater::showDuration()
{
    const bool known = finishedReading() && finishedReading()->duration().isKnown();
    ui->durationLabel->setText(known ? finishedReading()->duration().takesAbout() : QString());
}

void fixtureSoftwareUpdater::showTimeLeft()
{
    ui->durationLabel->setText(
        session->duration().isKnown()
            ? tr("About %1 left").arg(updateDuration::text(session->nanosecondsLeft()))
            : QString());
}

void fixtureSoftwareUpdater::serialPortClosing()
{
    ui->updateButton->setDisabled(true);
}

void fixtureSoftwareUpdater::showErrorMessage(QString message)
{
    QMessageBox box;
    box.setTextFormat(Qt::PlainText);
    box.setText(message);
    box.exec();
    returnToIdle();
}
