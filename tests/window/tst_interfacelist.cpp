#include "fixturesoftwareupdater.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(QList<interfacePort>)

class tst_InterfaceList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listing_data();
    void listing();
    void debugLineNamesEachListedPort();
    void refreshKeepsOrRewritesTheSelection();
    void unpluggingTheOnlyInterface();
    void pickingAnEntry();

private:
    QStringList entries() const;
    QString checkedEntry() const;
    QString status() const { return window->statusBar()->findChild<QLabel *>()->text(); }
    QPushButton *update() const { return window->findChild<QPushButton *>("updateButton"); }
    void refresh() { window->findChild<QAction *>("actionRefreshPortsList")->trigger(); }

    QList<interfacePort> ports;
    QTemporaryDir directory;
    QString previousDirectory;
    std::unique_ptr<fixtureSoftwareUpdater> window;
};

// Each test starts in a folder holding an update file, so the window starts with a file chosen.
void tst_InterfaceList::init()
{
    QFile file(directory.filePath("update.dmx"));
    file.open(QIODevice::WriteOnly);
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(directory.path());
    ports.clear();
}

void tst_InterfaceList::cleanup()
{
    window.reset();
    QDir::setCurrent(previousDirectory);
}

QStringList tst_InterfaceList::entries() const
{
    QStringList texts;
    for (QAction *action : window->findChild<QMenu *>("menuPort")->actions())
        texts << (action->isSeparator() ? QString("--") : action->text());
    return texts;
}

QString tst_InterfaceList::checkedEntry() const
{
    QStringList checked;
    for (QAction *action : window->findChild<QMenu *>("menuPort")->actions())
        if (action->isChecked())
            checked << action->text();
    return checked.join(", ");
}

void tst_InterfaceList::listing_data()
{
    QTest::addColumn<QList<interfacePort>>("attached");
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QString>("statusText");
    const QStringList tail{"--", "Refresh Interfaces List"};
    const QString none = "Currently no interface selected!";
    QTest::newRow("no port") << QList<interfacePort>{} << tail << none;
    QTest::newRow("ports without serial number")
        << QList<interfacePort>{{"ttyS0", "", "", ""}, {"ttyS1", "x", "Silicon Labs", ""}} << tail
        << none;
    QTest::newRow("two ports, last enumerated on top and selected")
        << QList<interfacePort>{{"ttyUSB0", "", "FTDI", "A1"}, {"ttyUSB1", "", "FTDI", "B2"}}
        << QStringList{"FTDI B2", "FTDI A1"} + tail << "Current interface: FTDI B2";
    QTest::newRow("interface box")
        << QList<interfacePort>{{"ttyUSB0", "CP2102", "Silicon Labs", "0001"}}
        << QStringList{"Silicon Labs 0001(Veskor)"} + tail
        << "Current interface: Silicon Labs 0001(Veskor)";
    QTest::newRow("manufacturer must match exactly")
        << QList<interfacePort>{{"ttyUSB0", "", "silicon labs", "0001"},
                                {"ttyUSB1", "", "Silicon Labs ", "0002"}}
        << QStringList{"Silicon Labs  0002", "silicon labs 0001"} + tail
        << "Current interface: Silicon Labs  0002";
    QTest::newRow("empty manufacturer")
        << QList<interfacePort>{{"ttyACM0", "", "", "0003"}} << QStringList{" 0003"} + tail
        << "Current interface:  0003";
}

void tst_InterfaceList::listing()
{
    QFETCH(QList<interfacePort>, attached);
    QFETCH(QStringList, menu);
    QFETCH(QString, statusText);
    ports = attached;
    window = std::make_unique<fixtureSoftwareUpdater>(nullptr, [this] { return ports; });
    QCOMPARE(entries(), menu);
    QCOMPARE(status(), statusText);
    QCOMPARE(checkedEntry(), menu.size() > 2 ? menu.first() : QString());
    QCOMPARE(update()->isEnabled(), menu.size() > 2);
    QCOMPARE(update()->toolTip(), QString("Select port and update file to start!"));
}

QStringList debugLines;

void tst_InterfaceList::debugLineNamesEachListedPort()
{
    ports = {{"ttyUSB0", "CP2102 USB to UART", "Silicon Labs", "0001"}, {"ttyS0", "", "", ""}};
    debugLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &line) { debugLines << line; });
    window = std::make_unique<fixtureSoftwareUpdater>(nullptr, [this] { return ports; });
    qInstallMessageHandler(previous);
    QCOMPARE(debugLines,
             QStringList{"\"ttyUSB0\" \"CP2102 USB to UART\" \"Silicon Labs\" \"0001\""});
}

void tst_InterfaceList::refreshKeepsOrRewritesTheSelection()
{
    ports = {{"ttyUSB0", "", "FTDI", "A1"}};
    window = std::make_unique<fixtureSoftwareUpdater>(nullptr, [this] { return ports; });
    QCOMPARE(status(), QString("Current interface: FTDI A1"));

    // Another manufacturer's port that is already selected keeps the selection as it was.
    ports[0].serialNumber = "A1-renamed";
    refresh();
    QCOMPARE(entries().first(), QString("FTDI A1-renamed"));
    QCOMPARE(checkedEntry(), QString("FTDI A1-renamed"));
    QCOMPARE(status(), QString("Current interface: FTDI A1"));

    // The interface box is selected anew on every refresh.
    ports = {{"ttyUSB0", "", "Silicon Labs", "0001"}};
    refresh();
    ports[0].serialNumber = "0002";
    refresh();
    QCOMPARE(entries().size(), 3);
    QCOMPARE(status(), QString("Current interface: Silicon Labs 0002(Veskor)"));
}

void tst_InterfaceList::unpluggingTheOnlyInterface()
{
    ports = {{"ttyUSB0", "", "Silicon Labs", "0001"}};
    window = std::make_unique<fixtureSoftwareUpdater>(nullptr, [this] { return ports; });
    QVERIFY(update()->isEnabled());
    ports.clear();
    refresh();
    QCOMPARE(entries(), (QStringList{"--", "Refresh Interfaces List"}));
    QCOMPARE(status(), QString("Currently no interface selected!"));
    QVERIFY(!update()->isEnabled());
}

void tst_InterfaceList::pickingAnEntry()
{
    ports = {{"ttyUSB0", "", "FTDI", "A1"}, {"ttyUSB1", "", "FTDI", "B2"}};
    window = std::make_unique<fixtureSoftwareUpdater>(nullptr, [this] { return ports; });
    QAction *lower = window->findChild<QMenu *>("menuPort")->actions().at(1);
    lower->trigger();
    QCOMPARE(checkedEntry(), QString("FTDI A1"));
    QCOMPARE(status(), QString("Current interface: FTDI A1"));
    QVERIFY(update()->isEnabled());

    QVERIFY(QFile::remove(directory.filePath("update.dmx")));
    window->findChild<QMenu *>("menuPort")->actions().at(0)->trigger();
    QCOMPARE(status(), QString("Current interface: FTDI B2"));
    QVERIFY(!update()->isEnabled());
}

QTEST_MAIN(tst_InterfaceList)
#include "tst_interfacelist.moc"
