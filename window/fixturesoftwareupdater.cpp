#include "fixturesoftwareupdater.h"
#include "ui_fixturesoftwareupdater.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QStatusBar>

fixtureSoftwareUpdater::fixtureSoftwareUpdater(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::fixtureSoftwareUpdater), version("1.0.1"),
      programName("Corvanel Firmware Updater"), fileFilter("(*.dmx)"),
      title(programName + " " + version), interfaceStatusLabel(new QLabel(this))
{
    ui->setupUi(this);
    ui->logoLabel->setPixmap(QPixmap(":/logo.png"));
    setWindowTitle(title);
    ui->updateButton->setDisabled(true);
    ui->updateButton->setToolTip("Select port and update file to start!");

    interfaceActionGroup = new QActionGroup(this);
    interfaceActionGroup->setExclusive(true);

    statusBar()->addWidget(interfaceStatusLabel);
    interfaceStatusLabel->setText("Currently no interface selected!");

    preselectUpdateFile();
}

fixtureSoftwareUpdater::~fixtureSoftwareUpdater()
{
    workerThread.quit();
    workerThread.wait();
    delete ui;
}

void fixtureSoftwareUpdater::on_actionQuit_triggered()
{
    QCoreApplication::quit();
}

// Technicians usually start the updater from the folder the update was delivered in.
void fixtureSoftwareUpdater::preselectUpdateFile()
{
    QDir workingDirectory("");
    workingDirectory.setFilter(QDir::Files | QDir::NoSymLinks);
    workingDirectory.setSorting(QDir::Time | QDir::Reversed);
    const QFileInfoList entries = workingDirectory.entryInfoList();
    for (const QFileInfo &entry : entries) {
        if (entry.fileName().endsWith(".dmx") || entry.fileName().endsWith(".prl")) {
            updateFileInfo = entry;
            ui->fileLabel->setText(updateFileInfo.filePath());
            return;
        }
    }
}
