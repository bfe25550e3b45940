#include "fixturesoftwareupdater.h"
#include "pseudoterminal.h"
#include "systemcallrecorder.h"
#include "technician.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using systemCallRecorder::call;

// Whole updates from the window, through the real worker, to a pseudo-terminal standing in for
// the interface box.
class tst_UpdateRun : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void finishedUpdateIsAcknowledged();
    void canceledUpdate();
    void twoUpdatesInARow();
    void everyFailureShowsOneMessageAndReturnsToIdle_data();
    void everyFailureShowsOneMessageAndReturnsToIdle();
    void leavingInALongHoldEndsTheProgramAtOnce_data();
    void leavingInALongHoldEndsTheProgramAtOnce();

private:
    void openWindow(const QByteArray &updateFile);
    void press(const char *button) { window->findChild<QPushButton *>(button)->click(); }
    QPushButton *updateButton() const { return window->findChild<QPushButton *>("updateButton"); }
    QProgressBar *bar() const { return window->findChild<QProgressBar *>("progressBar"); }
    int infoPage() const
    {
        return window->findChild<QStackedWidget *>("infoStackedWidget")->currentIndex();
    }
    int actionPage() const
    {
        return window->findChild<QStackedWidget *>("updateStackedWidget")->currentIndex();
    }
    int frames() const { return systemCallRecorder::callCount(call::write); }

    QTemporaryDir directory;
    QString previousDirectory;
    std::unique_ptr<pseudoTerminal> interfaceBox;
    QList<interfacePort> ports;
    std::unique_ptr<technician> user;
    std::unique_ptr<fixtureSoftwareUpdater> window;
};

void tst_UpdateRun::init()
{
    interfaceBox = std::make_unique<pseudoTerminal>();
    systemCallRecorder::watch(interfaceBox->device());
    ports = {{interfaceBox->portName(), "CP2102", "Silicon Labs", "0001"}};
    user = std::make_unique<technician>();
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(directory.path());
}

void tst_UpdateRun::cleanup()
{
    window.reset();
    user.reset();
    systemCallRecorder::stopWatching();
    interfaceBox.reset();
    QDir::setCurrent(previousDirectory);
}

// The update file waits in the working folder, so the window opens ready to start.
void tst_UpdateRun::openWindow(const QByteArray &updateFile)
{
    QFile file(directory.filePath("update.dmx"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(updateFile);
    file.close();
    window = std::make_unique<fixtureSoftwareUpdater>(nullptr, [this] { return ports; });
    window->show();
    QVERIFY(updateButton()->isEnabled());
}

void tst_UpdateRun::finishedUpdateIsAcknowledged()
{
    openWindow("#app\n#Vendor\n#Fixture\n#v1\n0 01 02\n50 03 04\n0 05 06 07\n");
    QSignalSpy startSending(window.get(), &fixtureSoftwareUpdater::startSending);
    press("updateButton");
    QCOMPARE(startSending.count(), 1);
    QVERIFY(!updateButton()->isEnabled());
    QCOMPARE(infoPage(), 2);
    QCOMPARE(actionPage(), 1);

    QTRY_COMPARE(updateButton()->text(), QString("Finished!"));
    QVERIFY(updateButton()->isEnabled());
    QCOMPARE(actionPage(), 0);
    QCOMPARE(infoPage(), 2);
    QCOMPARE(bar()->maximum(), 7);
    QCOMPARE(bar()->value(), 7);
    QCOMPARE(frames(), 6 + 1 + 6);

    // The preselected file was never read, so its information page still shows the form's texts.
    press("updateButton");
    QCOMPARE(updateButton()->text(), QString("Start"));
    QCOMPARE(bar()->value(), 0);
    QCOMPARE(infoPage(), 1);
    QCOMPARE(window->findChild<QLabel *>("applicationDisplayLabel")->text(),
             QString("Application v1.04"));
    QTest::qWait(100);
    QCOMPARE(frames(), 13);
    QCOMPARE(startSending.count(), 1);
    QVERIFY(user->messages.isEmpty());
}

void tst_UpdateRun::canceledUpdate()
{
    openWindow(QByteArray("200 0A 0B\n").repeated(20));
    press("updateButton");
    QTRY_VERIFY(bar()->value() >= 1);
    press("cancelButton");
    press("cancelButton");
    QTRY_COMPARE(updateButton()->text(), QString("Canceled!"));
    QVERIFY(bar()->value() < bar()->maximum());
    QCOMPARE(actionPage(), 0);
    press("updateButton");
    QCOMPARE(updateButton()->text(), QString("Start"));
    QVERIFY(user->messages.isEmpty());
}

void tst_UpdateRun::twoUpdatesInARow()
{
    openWindow("0 01 02\n0 03 04\n");
    for (int update = 1; update <= 2; ++update) {
        press("updateButton");
        QTRY_COMPARE(updateButton()->text(), QString("Finished!"));
        press("updateButton");
        // A new worker each time, which starts without history: 6 + 1 frames per update.
        QCOMPARE(frames(), 7 * update);
    }
    QCOMPARE(interfaceBox->received().size(), 14 * 3);
}

void tst_UpdateRun::everyFailureShowsOneMessageAndReturnsToIdle_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing device") << "missing device"
                                    << "Serialport Error: DeviceNotFoundError";
    QTest::newRow("busy device") << "busy device"
                                 << "Serialport Error: PermissionError";
    QTest::newRow("unplugged during the update")
        << "unplugged"
        << "Serialport Error: ResourceError: Device Unavailable";
    QTest::newRow("update file deleted before Start") << "file deleted"
                                                      << "Couldn't Open Update file:%1";
}

void tst_UpdateRun::everyFailureShowsOneMessageAndReturnsToIdle()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    if (fault == "missing device")
        ports[0].portName = "/dev/ttyNoSuchInterface";
    QSerialPort otherProgram(interfaceBox->portName());
    if (fault == "busy device")
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    openWindow("#app\n#Vendor\n#Fixture\n#v1\n" + QByteArray("150 0A 0B\n").repeated(20));
    if (fault == "file deleted")
        QVERIFY(QFile::remove("update.dmx"));

    press("updateButton");
    if (fault == "unplugged") {
        QTRY_VERIFY(bar()->value() >= 5);
        interfaceBox->hangUp();
    }
    QTRY_COMPARE(user->messages.size(), 1);
    QTest::qWait(300);
    const QString path = window->findChild<QLabel *>("fileLabel")->text();
    QCOMPARE(user->messages, QStringList{QString(message).replace("%1", path)});
    QCOMPARE(infoPage(), 0);
    QCOMPARE(actionPage(), 0);
    QCOMPARE(bar()->value(), 0);
    QCOMPARE(window->findChild<QLabel *>("applicationDisplayLabel")->text(), QString());
    QCOMPARE(window->findChild<QLabel *>("fixtureDisplayLabel")->text(), QString());
    QCOMPARE(updateButton()->text(), QString("Start"));
    QCOMPARE(updateButton()->isEnabled(), fault != "file deleted");
}

void tst_UpdateRun::leavingInALongHoldEndsTheProgramAtOnce_data()
{
    QTest::addColumn<bool>("throughQuit");
    QTest::newRow("quit") << true;
    QTest::newRow("window closed") << false;
}

// A line may hold the update for 49 days; leaving in that hold still ends the program at once.
void tst_UpdateRun::leavingInALongHoldEndsTheProgramAtOnce()
{
    QFETCH(bool, throughQuit);
    openWindow("0 0A 0B\n4294967295 0A 0B\n0 0A 0B\n");
    press("updateButton");
    QTRY_COMPARE(bar()->value(), 2);
    QTimer::singleShot(0, [this, throughQuit] {
        if (throughQuit)
            window->findChild<QAction *>("actionQuit")->trigger();
        else
            window->close();
    });
    QCOMPARE(QApplication::exec(), 0);
    const int framesAtQuit = frames();
    QElapsedTimer clock;
    clock.start();
    window.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString("%1 ms").arg(clock.elapsed())));
    QCOMPARE(frames(), framesAtQuit);
}

QTEST_MAIN(tst_UpdateRun)
#include "tst_updaterun.moc"
