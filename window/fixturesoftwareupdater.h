#ifndef FIXTURESOFTWAREUPDATER_H
#define FIXTURESOFTWAREUPDATER_H

#include "interfaceport.h"
#include "powercheck.h"
#include "sleepinhibitor.h"
#include "updatefilereading.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;

namespace Ui {
class fixtureSoftwareUpdater;
}

class fixtureSoftwareUpdater : public QMainWindow
{
    Q_OBJECT

public:
    explicit fixtureSoftwareUpdater(QWidget *parent = nullptr,
                                    interfacePortSource availableInterfaces = systemInterfacePorts);
    ~fixtureSoftwareUpdater() override;

    // As if chosen in the file dialog: the same checks, messages and header.
    void chooseUpdateFile(const QString &path);

signals:
    void startSending();
    void cancelSending();

public slots:
    void on_actionQuit_triggered();
    void on_selectFileButton_clicked();
    void on_selectFileButton_2_clicked();
    void on_updateButton_clicked();
    void on_cancelButton_clicked();
    void on_actionRefreshPortsList_triggered();
    void serialPortSelected(QAction *action);
    void serialPortError(int error);
    void serialPortClosing();
    void updateFinished();
    void updateCanceled();
    void updateFileLength(int updateFileLength);
    void updateProgress(int progress);
    void recieveMessage(QString message);

private:
    // Where the window is in an update. Starting covers the waits between the click and the
    // worker: the duration still being read, the power check and its question.
    enum class runState { idle, starting, running, finished, canceled };

    void showErrorMessage(QString message);
    void returnToIdle();
    void clearFileInformation();
    void preselectUpdateFile();
    void enter(runState next);
    void startUpdate();
    void askPower();
    void forgetPowerCheck();
    void powerChecked(const powerState &power);
    void sendUpdate();
    void endUpdate(runState end, const QString &buttonText);
    void acknowledge();
    void stopWorker();
    void updateStartAvailability();
    void readDuration();
    void durationRead();
    void forgetDuration();
    void showDuration();
    void showTimeLeft();

    Ui::fixtureSoftwareUpdater *ui;
    QActionGroup *interfaceActionGroup = nullptr;
    QString version;
    QString programName;
    QString fileFilter;
    QString title;
    QFileInfo updateFileInfo;
    QThread workerThread;
    QList<interfacePort> serialPortInfos;
    QString selectedPortName;
    QLabel *interfaceStatusLabel;
    interfacePortSource availableInterfaces;
    runState state = runState::idle;
    QFutureWatcher<updateFileReading> durationReader;
    updateDuration duration;
    bool durationPending = false;
    std::shared_ptr<std::atomic<bool>> stopDurationReading;
    QTimer timeLeftTicker;
    QElapsedTimer sinceProgress;
    powerCheck *pendingPowerCheck = nullptr;
    sleepInhibitor inhibitor;
};

#endif
