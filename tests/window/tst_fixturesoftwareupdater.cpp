#include "busmock.h"
#include "fixturesoftwareupdater.h"
#include "historystore.h"
#include "programtranslation.h"
#include "pseudoterminal.h"
#include "systemcallrecorder.h"
#include "technician.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QLabel>
#include <QLocalServer>
#include <QMenu>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <cerrno>
#include <optional>
#include <utime.h>

Q_DECLARE_METATYPE(QList<interfacePort>)

// The window as the technician meets it, with the attached ports made up by each test. Every
// test runs in a scratch working folder, which may hold an update file from the start. Updates
// go through the real worker to a pseudo-terminal standing in for the interface box.
class tst_FixtureSoftwareUpdater : public QObject
{
    Q_OBJECT

public slots:
    // What a dock reads of this program's progress.
    void launcherEntry(const QString &app, const QVariantMap &entry)
    {
        if (app == "application://example.tamsenholt.fixturesoftwareupdater.desktop")
            dock << entry["progress"].toString() + ' ' + entry["progress-visible"].toString();
    }

private slots:
    void init()
    {
        QDir::setCurrent(folder.emplace().path());
        user.messages.clear();
        user.answerWhen({});
        dock.clear();
        qputenv("DBUS_SESSION_BUS_ADDRESS", sessionBusAddress);
    }
    void cleanup()
    {
        window.reset();
        systemCallRecorder::stopWatching();
        box.reset();
    }
    void preselectsTheOldestUpdateFile_data();
    void preselectsTheOldestUpdateFile();
    void interfaceList_data();
    void interfaceList();
    void refreshAndPickingKeepTheSelectionTrue();
    void choosingAFileShowsItsHeader_data();
    void choosingAFileShowsItsHeader();
    void fileCheckShowsOnEveryPage();
    void fileDialog();
    void unsafeOrUnreadableChoicesAreRefused_data();
    void unsafeOrUnreadableChoicesAreRefused();
    void theDesktopShowsAnUpdateNobodyWatches_data();
    void theDesktopShowsAnUpdateNobodyWatches();
    void updatesRunToTheirEndAndAreAcknowledged_data();
    void updatesRunToTheirEndAndAreAcknowledged();
    void durationAndTimeLeft();
    void questionBeforeStart_data();
    void questionBeforeStart();
    void oneStartSendsOneUpdate();
    void speaksTheTechniciansLanguage();
    void everyFailureShowsOneMessageAndReturnsToIdle_data();
    void everyFailureShowsOneMessageAndReturnsToIdle();
    void leavingInALongHoldEndsTheProgramAtOnce_data();
    void leavingInALongHoldEndsTheProgramAtOnce();
    void historyShowsTheNewestFirst();

private:
    void open(const QList<interfacePort> &attached = {}, bool withUpdateFile = false)
    {
        if (withUpdateFile)
            write("update.dmx", "0 01\n");
        ports = attached;
        window = std::make_unique<fixtureSoftwareUpdater>(nullptr, [this] { return ports; });
    }
    // The window opens ready to send this update file to the interface box.
    void openForUpdate(const QByteArray &updateFile, const QString &name = "update.dmx")
    {
        box = std::make_unique<pseudoTerminal>();
        systemCallRecorder::watch(box->device());
        write(name, updateFile);
        open({{box->portName(), "CP2102", "Silicon Labs", "1"}});
        window->show();
        QVERIFY(startEnabled());
    }
    QString write(const QString &name, const QByteArray &content)
    {
        QFile file(folder->filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }
    template <typename T = QWidget> T *find(const char *name) const
    {
        return window->findChild<T *>(name);
    }
    QString text(const char *label) const { return find<QLabel>(label)->text(); }
    QString status() const { return window->statusBar()->findChild<QLabel *>()->text(); }
    int infoPage() const { return find<QStackedWidget>("infoStackedWidget")->currentIndex(); }
    QPair<int, int> pages() const // the information page and the action page
    {
        return {infoPage(), find<QStackedWidget>("updateStackedWidget")->currentIndex()};
    }
    QProgressBar *bar() const { return find<QProgressBar>("progressBar"); }
    QPushButton *button(const char *name = "updateButton") const { return find<QPushButton>(name); }
    bool startEnabled() const { return button()->isEnabled(); }
    QStringList menu() const
    {
        QStringList entries;
        for (QAction *action : find<QMenu>("menuPort")->actions())
            entries << (action->isSeparator() ? "--"
                        : action->isChecked() ? "[x] " + action->text()
                                              : action->text());
        return entries;
    }
    void choose(const QString &path, const char *button = "selectFileButton")
    {
        user.willChoose(path);
        this->button(button)->click();
    }

    std::optional<QTemporaryDir> folder;
    std::unique_ptr<pseudoTerminal> box;
    QList<interfacePort> ports;
    technician user;
    std::unique_ptr<fixtureSoftwareUpdater> window;
    QStringList dock;
    const QByteArray sessionBusAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
};

void tst_FixtureSoftwareUpdater::preselectsTheOldestUpdateFile_data()
{
    // Created oldest first; "dir:" makes a folder, "link:" a symbolic link to a file elsewhere.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("expected");
    QTest::newRow("older .prl before newer .dmx") << QStringList{"a.prl", "b.dmx"} << "a.prl";
    QTest::newRow("older .dmx before newer .prl") << QStringList{"b.dmx", "a.prl"} << "b.dmx";
    QTest::newRow("other files, and the suffix in capitals")
        << QStringList{"x.txt", "o.dmx.bak", "FIRMWARE.DMX", "c.dmx"} << "c.dmx";
    QTest::newRow("older folder and link are skipped")
        << QStringList{"dir:x.dmx", "link:y.dmx", "z.dmx"} << "z.dmx";
    QTest::newRow("empty folder") << QStringList{} << "";
}

void tst_FixtureSoftwareUpdater::preselectsTheOldestUpdateFile()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, expected);
    QTemporaryDir elsewhere;
    utimbuf modified{};
    modified.modtime = QDateTime::currentSecsSinceEpoch() - 86400;
    for (const QString &entry : entries) {
        QString name = entry.section(':', -1);
        if (entry.startsWith("dir:")) {
            QVERIFY(QDir().mkdir(name));
        } else if (entry.startsWith("link:")) {
            QFile(elsewhere.filePath(name)).open(QIODevice::WriteOnly);
            QVERIFY(QFile::link(elsewhere.filePath(name), name));
        } else {
            write(name, "");
        }
        // A link's time is its target's, as the folder listing sees it.
        QCOMPARE(utime(qPrintable(QFileInfo(name).canonicalFilePath()), &modified), 0);
        modified.modtime += 60;
    }
    open();
    QCOMPARE(QFileInfo(text("fileLabel")).fileName(),
             expected.isEmpty() ? "No File Selected" : expected);
    QCOMPARE(infoPage(), 0);
}

void tst_FixtureSoftwareUpdater::interfaceList_data()
{
    QTest::addColumn<QList<interfacePort>>("attached");
    QTest::addColumn<bool>("withUpdateFile");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<bool>("startEnabled");
    const QStringList tail{"--", "Refresh Interfaces List"};
    const QString none = "Currently no interface selected!";
    QTest::newRow("no port") << QList<interfacePort>{} << true << tail << none << false;
    QTest::newRow("ports without serial number")
        << QList<interfacePort>{{"ttyS0", "", "", ""}, {"ttyS1", "x", "Silicon Labs", ""}} << true
        << tail << none << false;
    QTest::newRow("last enumerated on top and selected")
        << QList<interfacePort>{{"ttyUSB0", "", "FTDI", "A1"}, {"ttyUSB1", "", "FTDI", "B2"}}
        << true << QStringList{"[x] FTDI B2", "FTDI A1"} + tail << "Current interface: FTDI B2"
        << true;
    QTest::newRow("interface box, no update file")
        << QList<interfacePort>{{"ttyUSB0", "CP2102", "Silicon Labs", "0001"}} << false
        << QStringList{"[x] Silicon Labs 0001(Veskor)"} + tail
        << "Current interface: Silicon Labs 0001(Veskor)" << false;
    QTest::newRow("manufacturer must match exactly")
        << QList<interfacePort>{{"ttyUSB0", "", "silicon labs", "1"},
                                {"ttyUSB1", "", "Silicon Labs ", "2"}}
        << true << QStringList{"[x] Silicon Labs  2", "silicon labs 1"} + tail
        << "Current interface: Silicon Labs  2" << true;
    QTest::newRow("empty manufacturer")
        << QList<interfacePort>{{"ttyACM0", "", "", "3"}} << true << QStringList{"[x]  3"} + tail
        << "Current interface:  3" << true;
}

void tst_FixtureSoftwareUpdater::interfaceList()
{
    QFETCH(QList<interfacePort>, attached);
    QFETCH(bool, withUpdateFile);
    QFETCH(QStringList, entries);
    QFETCH(QString, statusText);
    QFETCH(bool, startEnabled);
    open(attached, withUpdateFile);
    QCOMPARE(menu(), entries);
    QCOMPARE(status(), statusText);
    QCOMPARE(this->startEnabled(), startEnabled);
}

void tst_FixtureSoftwareUpdater::refreshAndPickingKeepTheSelectionTrue()
{
    open({{"ttyUSB0", "USB to UART", "FTDI", "A1"}}, true);
    // Another maker's port that is already selected keeps the selection and its status text.
    ports[0].serialNumber = "A2";
    find<QAction>("actionRefreshPortsList")->trigger();
    QCOMPARE(menu().mid(0, 2), (QStringList{"[x] FTDI A2", "--"}));
    QCOMPARE(status(), QString("Current interface: FTDI A1"));

    // The interface box is selected anew on every refresh.
    ports = {{"ttyUSB0", "", "Silicon Labs", "0001"}, {"ttyUSB1", "", "FTDI", "B"}};
    find<QAction>("actionRefreshPortsList")->trigger();
    QCOMPARE(menu().mid(0, 3), (QStringList{"[x] FTDI B", "Silicon Labs 0001(Veskor)", "--"}));
    QVERIFY(startEnabled());

    // Picking an entry while the update file has vanished selects it, but Start waits for a file.
    QVERIFY(QFile::remove("update.dmx"));
    find<QMenu>("menuPort")->actions().at(1)->trigger();
    QCOMPARE(status(), QString("Current interface: Silicon Labs 0001(Veskor)"));
    QVERIFY(!startEnabled());

    ports.clear();
    find<QAction>("actionRefreshPortsList")->trigger();
    QCOMPARE(menu(), (QStringList{"--", "Refresh Interfaces List"}));
    QCOMPARE(status(), QString("Currently no interface selected!"));
    choose(write("other.dmx", "0 02\n"));
    QVERIFY(!startEnabled());

    ports = {{"ttyUSB0", "", "FTDI", "A1"}};
    find<QAction>("actionRefreshPortsList")->trigger();
    QVERIFY(startEnabled());
    QVERIFY(QMetaObject::invokeMethod(window.get(), "serialPortClosing"));
    QVERIFY(!startEnabled());
}

void tst_FixtureSoftwareUpdater::choosingAFileShowsItsHeader_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("fixture");
    QTest::newRow("complete") << QByteArray("#application\n#Vendor\n#Fixture\n#v1.04\n0 01\n")
                              << "Application v1.04"
                              << "Vendor Fixture";
    QTest::newRow("markup shows as it is")
        << QByteArray("#<img src=\"/dev/zero\">\n#<b>V</b>\n#F\n#v1\n")
        << "<img src=\"/dev/zero\"> v1"
        << "<b>V</b> F";
    QTest::newRow("three header lines") << QByteArray("#a\n#Vendor\n#Fixture\n0 01\n") << ""
                                        << "";
    // The window reads only the file's start: text mode would skip them all looking for a #.
    QTest::newRow("a megabyte of carriage returns first")
        << QByteArray(1024 * 1024, '\r') + "#application\n#Vendor\n#Fixture\n#v1.04\n"
        << ""
        << "";
}

void tst_FixtureSoftwareUpdater::choosingAFileShowsItsHeader()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, application);
    QFETCH(QString, fixture);
    open({{"ttyUSB0", "", "Silicon Labs", "0001"}});
    const QString path = write("chosen.dmx", content);
    choose(path);
    QCOMPARE(text("fileLabel"), path);
    QCOMPARE(text("applicationDisplayLabel"), application);
    QCOMPARE(text("fixtureDisplayLabel"), fixture);
    QCOMPARE(infoPage(), application.isEmpty() ? 0 : 1);
    QVERIFY(startEnabled());
    QVERIFY(user.messages.isEmpty());
    for (const char *label : {"fileLabel", "applicationDisplayLabel", "fixtureDisplayLabel"})
        QCOMPARE(find<QLabel>(label)->textFormat(), Qt::PlainText);
    QCOMPARE(window->statusBar()->findChild<QLabel *>()->textFormat(), Qt::PlainText);
}

// What the check before sending found shows whichever page is up; Start stays off for a file
// that is not the one that was published.
void tst_FixtureSoftwareUpdater::fileCheckShowsOnEveryPage()
{
    open({{"ttyUSB0", "", "Silicon Labs", "0001"}});
    const QByteArray content("#app\n#V\n#F\n#v1\n0 01\n");
    write("chosen.dmx.sha256",
          QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
    choose(write("chosen.dmx", content));
    QTRY_COMPARE(text("fileCheckLabel"), QString("SHA-256 matches chosen.dmx.sha256"));
    QVERIFY(find<QLabel>("fileCheckLabel")->isVisibleTo(window.get()) && startEnabled());
    write("chosen.dmx.sha256", QByteArray(64, '0'));
    choose(write("chosen.dmx", "<html>\n<p>a b</p>\n"));
    QTRY_VERIFY(text("fileCheckLabel")
                    .startsWith("The update file is not the one that was "
                                "published: its SHA-256 is "));
    QVERIFY(text("fileCheckLabel").endsWith("2 lines are not frame data, the first line 1"));
    QVERIFY(!startEnabled());
}

// The dialog offers update files from the folder of the file chosen before; choosing again from
// the information page and cancelling goes back to the file page and keeps the choice.
void tst_FixtureSoftwareUpdater::fileDialog()
{
    open({{"ttyUSB0", "", "Silicon Labs", "0001"}});
    const QString first = write("first.dmx", "#app\n#Vendor\n#Fixture\n#v1\n");
    choose(first);
    QCOMPARE(user.dialogFilters, QStringList{"Firmware Files (*.dmx)"});
    QCOMPARE(infoPage(), 1);
    choose("", "selectFileButton_2");
    QCOMPARE(user.dialogSelection, QStringList{first});
    QCOMPARE(infoPage(), 0);
    QCOMPARE(text("fileLabel"), first);
    QCOMPARE(text("applicationDisplayLabel"), QString("App v1"));
    QVERIFY(startEnabled());
}

void tst_FixtureSoftwareUpdater::unsafeOrUnreadableChoicesAreRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    // Qt's own dialog refuses named pipes and folders, but lets a device through.
    QTest::newRow("device") << "/dev/null"
                            << "Couldn't open file Not a regular file: /dev/null";
    QTest::newRow("no permission") << ""
                                   << "Couldn't open file Permission denied";
    QTest::newRow("missing") << "missing.dmx"
                             << "Couldn't open file No such file or directory";
}

void tst_FixtureSoftwareUpdater::unsafeOrUnreadableChoicesAreRefused()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    open({{"ttyUSB0", "", "Silicon Labs", "0001"}});
    choose(write("good.dmx", "#application\n#Vendor\n#Fixture\n#v1.04\n"));
    if (path.isEmpty()) {
        path = write("chosen.dmx", "#application\n");
        systemCallRecorder::refuseOpen(path.toLocal8Bit(), EACCES);
    }
    QFile::exists(path) ? choose(path) : window->chooseUpdateFile(path);
    QCOMPARE(user.messages, QStringList{message});
    QCOMPARE(text("fileLabel"), path);
    QCOMPARE(text("applicationDisplayLabel"), QString());
    QCOMPARE(infoPage(), 0);
    QCOMPARE(startEnabled(), QFileInfo(path).isFile());
}

void tst_FixtureSoftwareUpdater::theDesktopShowsAnUpdateNobodyWatches_data()
{
    // "none", "mute", or the capabilities of dbusmock's notification server on the tests' bus
    QTest::addColumn<QString>("sessionBus");
    QTest::addColumn<QStringList>("notice"); // summary, body, urgency
    QTest::addColumn<QString>("end");        // watched, unwatched or unplugged (and unwatched)
    const QString file = "File: R&D <b>.dmx\nInterface: Silicon Labs 1(Veskor)";
    const QString failure = "\nSerialport Error: ResourceError: Device Unavailable";
    QTest::newRow("no session bus") << "none" << QStringList() << "unwatched";
    QTest::newRow("a bus that never answers") << "mute" << QStringList() << "unwatched";
    QTest::newRow("finished, watched") << "body actions" << QStringList() << "watched";
    QTest::newRow("finished, unwatched")
        << "body actions" << QStringList{"Finished!", file, "uchar 1"} << "unwatched";
    QTest::newRow("unplugged, unwatched, markup")
        << "body body-markup actions"
        << QStringList{"Update failed", file.toHtmlEscaped() + failure, "uchar 2"} << "unplugged";
}

// libdbus takes the buses' addresses once per process, so a window that went around the probe
// would reach the tests' bus where it should have found none, rather than wait.
void tst_FixtureSoftwareUpdater::theDesktopShowsAnUpdateNobodyWatches()
{
    QFETCH(QString, sessionBus);
    QFETCH(QStringList, notice);
    QFETCH(QString, end);
    const bool ownBus = sessionBus.startsWith("body");
    busMock server("notification_daemon",
                   QString(R"({"capabilities": "%1"})").arg(ownBus ? sessionBus : "body"),
                   QDBusConnection::SessionBus);
    QVERIFY2(server.serve(""), qPrintable(server.error()));
    QDBusConnection::sessionBus().connect("", "", "com.canonical.Unity.LauncherEntry", "Update",
                                          this, SLOT(launcherEntry(QString, QVariantMap)));
    QLocalServer muteBus;
    QVERIFY(muteBus.listen(folder->filePath("bus")));
    if (sessionBus == "none")
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    if (sessionBus == "mute")
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + muteBus.fullServerName().toLocal8Bit());
    openForUpdate(QByteArray("10 01\n").repeated(100), "R&D <b>.dmx");
    QWindow elsewhere; // another program's window
    if (end != "watched")
        elsewhere.show();
    QTRY_COMPARE(window->isActiveWindow(), end == "watched");
    button()->click();
    if (end == "unplugged") {
        QTRY_VERIFY(bar()->value() >= 5);
        // The notice comes while the error box is open, as the box is a window of ours.
        bool seen = false;
        user.answerWhen([&] { return seen = server.callCount("Notify") > 0; });
        box->hangUp();
        QTRY_COMPARE(user.messages.size(), 1);
        QVERIFY(seen);
    } else {
        QTRY_COMPARE(button()->text(), QString("Finished!"));
    }

    // The dock's bar moves at most four times a second, shows its final value, then goes.
    if (ownBus)
        QTRY_VERIFY(dock.size() >= 2 && dock.last().endsWith("false"));
    QTest::qWait(300);
    QVERIFY2(dock.size() <= 8, qPrintable(dock.join(", ")));
    QCOMPARE(dock.mid(dock.size() - 2) == QStringList({"1 true", "1 false"}),
             ownBus && end != "unplugged");
    const QVariantList calls = server.control("GetMethodCalls", {"Notify"}).toList();
    QCOMPARE(calls.size(), notice.isEmpty() ? 0 : 1);
    if (notice.isEmpty())
        return;
    const QVariantList call = calls[0].toList().value(1).toList();
    const QVariantMap hints = call.value(6).toMap();
    const QString id = "example.tamsenholt.fixturesoftwareupdater";
    QCOMPARE(
        (QStringList{call[0].toString(), call[2].toString(), call[5].toStringList().join(','),
                     hints["desktop-entry"].toString(), call[3].toString(), call[4].toString(),
                     hints["urgency"].typeName() + QString(" %1").arg(hints["urgency"].toInt())}),
        QStringList({"Corvanel Firmware Updater", id, "default,Show", id}) + notice);
    // A click on the notice brings the window to the front.
    server.control("EmitSignal", {"", "ActionInvoked", "us", QVariantList{1u, "default"}});
    QTRY_VERIFY(window->isActiveWindow());
}

void tst_FixtureSoftwareUpdater::updatesRunToTheirEndAndAreAcknowledged_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("end");
    QTest::newRow("finished, twice")
        << QByteArray("#app\n#V\n#F\n#v1\n0 01 02\n50 03 04\n0 05 06 07\n") << false << "Finished!";
    QTest::newRow("canceled") << QByteArray("200 0A 0B\n").repeated(20) << true << "Canceled!";
}

void tst_FixtureSoftwareUpdater::updatesRunToTheirEndAndAreAcknowledged()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, cancel);
    QFETCH(QString, end);
    openForUpdate(content);
    for (int update = 1; update <= (cancel ? 1 : 2); ++update) {
        button()->click();
        QVERIFY(!startEnabled());
        QCOMPARE(pages(), qMakePair(2, 1));
        if (cancel) {
            QTRY_VERIFY(bar()->value() >= 1);
            button("cancelButton")->click();
            button("cancelButton")->click();
        }
        QTRY_COMPARE(button()->text(), end);
        QVERIFY(startEnabled());
        QCOMPARE(pages(), qMakePair(2, 0));
        QCOMPARE(bar()->maximum(), content.count('\n'));
        QCOMPARE(bar()->value() == bar()->maximum(), !cancel);

        // The preselected file was never read, so its page still shows the form's texts.
        const int frames = systemCallRecorder::writes().size();
        button()->click();
        QCOMPARE(button()->text(), QString("Start"));
        QCOMPARE(bar()->value(), 0);
        QCOMPARE(pages(), qMakePair(1, 0));
        QCOMPARE(text("applicationDisplayLabel"), QString("Application v1.04"));
        QTest::qWait(100);
        QCOMPARE(systemCallRecorder::writes().size(), frames);
    }
    QVERIFY(user.messages.isEmpty());
}

// The file found at start-up is read for its duration; during the update the label shows the
// time left.
void tst_FixtureSoftwareUpdater::durationAndTimeLeft()
{
    openForUpdate("0 01\n10500 01\n0 01\n");
    QTRY_COMPARE(text("durationLabel"), QString("The update takes about 20 s"));
    button()->click();
    QTRY_COMPARE(text("durationLabel"), QString("About 20 s left"));
    button("cancelButton")->click();
    QTRY_COMPARE(button()->text(), QString("Canceled!"));
    QCOMPARE(text("durationLabel"), QString("The update takes about 20 s"));
}

void tst_FixtureSoftwareUpdater::questionBeforeStart_data()
{
    QTest::addColumn<bool>("lowBattery"); // 5 minutes left, for an update of 10 minutes
    QTest::addColumn<QByteArray>("line"); // the file's second line
    QTest::addColumn<QString>("answer");
    QTest::newRow("battery, Cancel") << true << QByteArray("0 01\n") << "Cancel";
    QTest::newRow("battery, Start Anyway") << true << QByteArray("0 01\n") << "Start Anyway";
    QTest::newRow("not frame data, Cancel") << false << QByteArray("0 zz\n") << "Cancel";
    QTest::newRow("both, Start Anyway") << true << QByteArray("0\t01\n") << "Start Anyway";
}

// One question for both; Cancel sends nothing. A clean file on mains is never asked about, as
// every other row of this suite shows.
void tst_FixtureSoftwareUpdater::questionBeforeStart()
{
    QFETCH(bool, lowBattery);
    QFETCH(QByteArray, line);
    QFETCH(QString, answer);
    busMock upower("upower", R"({"OnBattery": true})");
    if (lowBattery) {
        QVERIFY2(upower.serve(""), qPrintable(upower.error()));
        upower.control("SetupDisplayDevice", {2u, 2u, 8., 4., 0., 12., 300LL, 0LL, true, "", 1u});
    }
    // The file changes between its choice and Start, which reads it again.
    openForUpdate("0 01\n00 01\n600000 01\n0 01\n");
    QTRY_VERIFY(!text("durationLabel").isEmpty());
    write("update.dmx", "0 01\n" + line + "600000 01\n0 01\n");
    user.willAnswer(answer);
    button()->click();
    QTRY_COMPARE(user.messages.size(), 1);
    QCOMPARE(user.messages[0].startsWith("The battery has about 5 min left, and the update takes "
                                         "about 10 min."),
             lowBattery);
    QCOMPARE(user.messages[0].contains("Line 2 of this file is not frame data: it would be sent "
                                       "to the fixture as zeros."),
             line != "0 01\n");
    if (answer == "Cancel") {
        QCOMPARE(pages(), qMakePair(1, 0));
        QVERIFY(startEnabled());
    } else {
        QTRY_VERIFY(systemCallRecorder::writes().size() >= 8);
        button("cancelButton")->click();
        QTRY_COMPARE(button()->text(), QString("Canceled!"));
    }
    QTest::qWait(100);
    QCOMPARE(systemCallRecorder::writes().isEmpty(), answer == "Cancel");
}

// A hung UPower answers the power check after a second. A start canceled meanwhile sends and
// takes nothing, even once that answer has come; and while a start waits, nothing changes what
// it sends: one update goes to the port and file of the click.
void tst_FixtureSoftwareUpdater::oneStartSendsOneUpdate()
{
    busMock upower("upower"), logind("logind");
    QVERIFY2(upower.serve("hung") && logind.serve(""), qPrintable(upower.error() + logind.error()));
    openForUpdate("0 01 02\n");
    ports.prepend({"ttyUSB5", "", "FTDI", "5"});
    find<QAction>("actionRefreshPortsList")->trigger();
    const QStringList atClick{status(), text("fileLabel")};
    QTRY_VERIFY(!text("durationLabel").isEmpty());
    button()->click();
    QAction *other = find<QMenu>("menuPort")->actions().at(1);
    QVERIFY(!other->isEnabled() && !find<QAction>("actionRefreshPortsList")->isEnabled() &&
            !button("selectFileButton")->isEnabled() && !button("selectFileButton_2")->isEnabled());
    QTest::qWait(200); // the power check is under way
    button("cancelButton")->click();
    QVERIFY(startEnabled() && other->isEnabled() && pages() == qMakePair(1, 0));
    QTest::qWait(1500);
    QVERIFY(box->received().isEmpty() && startEnabled() && pages() == qMakePair(1, 0));
    QCOMPARE(logind.callCount("Inhibit"), 0);
    button()->click();
    ports << interfacePort{"ttyUSB7", "", "Silicon Labs", "7"};
    QMetaObject::invokeMethod(window.get(), "serialPortSelected", Q_ARG(QAction *, other));
    QMetaObject::invokeMethod(window.get(), "on_actionRefreshPortsList_triggered");
    window->chooseUpdateFile(write("other.dmx", "0 03\n"));
    QMetaObject::invokeMethod(window.get(), "on_updateButton_clicked");
    QTest::qWait(800);
    QVERIFY(box->received().isEmpty());
    QTRY_COMPARE(button()->text(), QString("Finished!"));
    QTest::qWait(300);
    QCOMPARE(box->received(), QByteArray("\0\1\2", 3).repeated(6));
    QCOMPARE((QStringList{status(), text("fileLabel")}), atClick);
    QCOMPARE(logind.callCount("Inhibit"), 1);
}

// German from the loader's list: the status bar, the Update button through an update, a message.
void tst_FixtureSoftwareUpdater::speaksTheTechniciansLanguage()
{
    const programTranslation german({"de-DE"});
    openForUpdate("0 01\n");
    QCOMPARE(status(), QString("Aktuelles Interface: Silicon Labs 1(Veskor)"));
    button()->click();
    QTRY_COMPARE(button()->text(), QString("Fertig!"));
    button()->click();
    QCOMPARE(button()->text(), QString("Starten"));
    window->chooseUpdateFile("/dev/null");
    QCOMPARE(user.messages,
             QStringList{"Datei konnte nicht geöffnet werden: Keine reguläre Datei: /dev/null"});
}

// A port error during the update and a message from the worker are handled the same way; the
// codes' own messages are in portErrorCodes.
void tst_FixtureSoftwareUpdater::everyFailureShowsOneMessageAndReturnsToIdle_data()
{
    QTest::addColumn<bool>("unplugged"); // otherwise the update file is deleted before Start
    QTest::addColumn<QString>("message");
    QTest::newRow("unplugged during the update")
        << true << "Serialport Error: ResourceError: Device Unavailable";
    QTest::newRow("update file deleted before Start") << false << "Couldn't Open Update file:";
}

void tst_FixtureSoftwareUpdater::everyFailureShowsOneMessageAndReturnsToIdle()
{
    QFETCH(bool, unplugged);
    QFETCH(QString, message);
    openForUpdate("#app\n#Vendor\n#Fixture\n#v1\n" + QByteArray("150 0A 0B\n").repeated(20));
    if (!unplugged)
        QVERIFY(QFile::remove("update.dmx"));
    button()->click();
    if (unplugged) {
        QTRY_VERIFY(bar()->value() >= 5);
        box->hangUp();
    }
    QTRY_COMPARE(user.messages.size(), 1);
    QTest::qWait(300);
    QCOMPARE(user.messages, QStringList{message + (unplugged ? "" : text("fileLabel"))});
    QCOMPARE(pages(), qMakePair(0, 0));
    QCOMPARE(bar()->value(), 0);
    QCOMPARE(text("applicationDisplayLabel") + text("fixtureDisplayLabel"), QString());
    QCOMPARE(button()->text(), QString("Start"));
    QCOMPARE(startEnabled(), unplugged);
}

void tst_FixtureSoftwareUpdater::leavingInALongHoldEndsTheProgramAtOnce_data()
{
    QTest::addColumn<bool>("throughQuit");
    QTest::addColumn<bool>("stall"); // the interface stops taking data after the first frame
    QTest::newRow("quit") << true << false;
    QTest::newRow("window closed") << false << false;
    QTest::newRow("window closed in a stall, before the report") << false << true;
}

// A line may hold the update for 49 days, and the kernel may hold a break request for as long
// as a stalled interface does not take data; leaving then ends the program at once, nothing
// more is sent, and the port is closed before the program ends.
void tst_FixtureSoftwareUpdater::leavingInALongHoldEndsTheProgramAtOnce()
{
    QFETCH(bool, throughQuit);
    QFETCH(bool, stall);
    openForUpdate("0 0A 0B\n4294967295 0A 0B\n0 0A 0B\n");
    if (stall)
        systemCallRecorder::stallOutput(1);
    button()->click();
    if (stall)
        QTRY_VERIFY(systemCallRecorder::heldFor(systemCallRecorder::call::breakOn) > 200000000);
    else
        QTRY_COMPARE(systemCallRecorder::writes().size(), 7);
    QTimer::singleShot(0, [this, throughQuit] {
        throughQuit ? find<QAction>("actionQuit")->trigger() : void(window->close());
    });
    QCOMPARE(QApplication::exec(), 0);
    const int framesAtQuit = systemCallRecorder::writes().size();
    QElapsedTimer clock;
    clock.start();
    window.reset();
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString("%1 ms").arg(clock.elapsed())));
    QCOMPARE(systemCallRecorder::writes().size(), framesAtQuit);
    QCOMPARE(systemCallRecorder::events().last().what, systemCallRecorder::call::close);
    QVERIFY(user.messages.isEmpty());
}

// An update of the window's own and a row from before, read off the window's thread: the newest
// first, and a file's name as it is.
void tst_FixtureSoftwareUpdater::historyShowsTheNewestFirst()
{
    const QByteArray stateHome = qgetenv("XDG_STATE_HOME");
    const auto restore = qScopeGuard([&] { qputenv("XDG_STATE_HOME", stateHome); });
    qputenv("XDG_STATE_HOME", folder->path().toLocal8Bit());
    historyStore writer(historyStore::access::write);
    historyRow row;
    row.file = "/media/rig/<i>old.dmx";
    QVERIFY(writer.begin(row));
    openForUpdate("0 01\n");
    button()->click();
    QTRY_COMPARE(button()->text(), QString("Finished!"));
    find<QAction>("actionHistory")->trigger();
    auto *table = window->findChild<QTableWidget *>();
    QTRY_COMPARE(table->rowCount(), 2);
    QCOMPARE((QStringList{table->item(0, 1)->text(), table->item(0, 2)->text(),
                          table->item(1, 2)->text()}),
             (QStringList{"Finished", "update.dmx", "<i>old.dmx"}));
}

QTEST_MAIN(tst_FixtureSoftwareUpdater)
#include "tst_fixturesoftwareupdater.moc"
