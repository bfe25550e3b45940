#ifndef FIXTURESOFTWAREUPDATER_H
#define FIXTURESOFTWAREUPDATER_H

#include "interfaceport.h"
#include "powercheck.h"
#include "sleepinhibitor.h"
#include "updateduration.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QThread>
#include <QTimer>

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
    void showErrorMessage(QString message);
    void returnToIdle();
    void clearFileInformation();
    void preselectUpdateFile();
    void startUpdate();
    void powerChecked(const powerState &state);
    void sendUpdate();
    void endUpdate(const QString &buttonText);
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
    QFutureWatcher<updateDuration> durationReader;
    updateDuration duration;
    bool startWhenDurationKnown = false;
    QTimer timeLeftTicker;
    QElapsedTimer sinceProgress;
    powerCheck power;
    sleepInhibitor inhibitor;
};

#endif
