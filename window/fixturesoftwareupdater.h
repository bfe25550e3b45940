#ifndef FIXTURESOFTWAREUPDATER_H
#define FIXTURESOFTWAREUPDATER_H

#include <QFileInfo>
#include <QList>
#include <QMainWindow>
#include <QSerialPortInfo>
#include <QString>
#include <QThread>

class QActionGroup;
class QLabel;

namespace Ui {
class fixtureSoftwareUpdater;
}

class fixtureSoftwareUpdater : public QMainWindow
{
    Q_OBJECT

public:
    explicit fixtureSoftwareUpdater(QWidget *parent = nullptr);
    ~fixtureSoftwareUpdater() override;

public slots:
    void on_actionQuit_triggered();

private:
    void preselectUpdateFile();

    Ui::fixtureSoftwareUpdater *ui;
    QActionGroup *interfaceActionGroup = nullptr;
    QString version;
    QString programName;
    QString fileFilter;
    QString title;
    QFileInfo updateFileInfo;
    QThread workerThread;
    QList<QSerialPortInfo> serialPortInfos;
    QString selectedPortName;
    QLabel *interfaceStatusLabel;
};

#endif
