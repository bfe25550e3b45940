#ifndef FIXTURESOFTWAREUPDATER_H
#define FIXTURESOFTWAREUPDATER_H

#include "interfaceport.h"

#include <QFileInfo>
#include <QList>
#include <QMainWindow>
#include <QString>

#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class backgroundReading;
class updateFileReading;
class desktopNotice;
class dockProgress;
class updateSession;

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

public slots:
    void on_actionQuit_triggered();
    void on_actionHistory_triggered();
    void on_selectFileButton_clicked();
    void on_selectFileButton_2_clicked();
    void on_updateButton_clicked();
    void on_cancelButton_clicked();
    void on_actionRefreshPortsList_triggered();
    void serialPortSelected(QAction *action);
    void serialPortClosing();
    void updateFinished();
    void updateCanceled();
    void updateProgress();

private:
    // Where the window is in an update. Starting covers the waits between the click and the
    // worker: the file still being read, the power check and its question.
    enum class runState { idle, starting, running, finished, canceled };

    void showErrorMessage(QString message);
    void returnToIdle();
    void clearFileInformation();
    void preselectUpdateFile();
    void enter(runState next);
    void startUpdate();
    void askToProceed(const QString &powerWarning, const QString &doubtfulLinesWarning);
    void updateStarted();
    void endUpdate(runState end, const QString &buttonText);
    void updateFailed(const QString &message);
    void noticeIfUnwatched(const QString &summary, const QString &failure = QString());
    void bringToFront();
    void acknowledge();
    void updateStartAvailability();
    interfacePort selectedInterface() const;
    const updateFileReading *finishedReading() const;
    void readFile();
    void fileRead();
    void forgetReading();
    void showDuration();
    void showTimeLeft();

    Ui::fixtureSoftwareUpdater *ui;
    QActionGroup *interfaceActionGroup = nullptr;
    QString version;
    QString programName;
    QString fileFilter;
    QString title;
    QFileInfo updateFileInfo;
    QList<interfacePort> serialPortInfos;
    QString selectedPortName;
    QLabel *interfaceStatusLabel;
    // Why the update under way, or the last one, is not in the history.
    QLabel *historyWarningLabel;
    interfacePortSource availableInterfaces;
    runState state = runState::idle;
    std::shared_ptr<backgroundReading> reading;
    updateSession *session = nullptr;
    dockProgress *dock;
    desktopNotice *notice;
};

#endif
