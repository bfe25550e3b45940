#include "fixturesoftwareupdater.h"
#include "systemcallrecorder.h"
#include "technician.h"

#include <QAction>
#include <QLabel>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

class tst_FileSelection : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void headerIsShown_data();
    void headerIsShown();
    void dialogOffersUpdateFilesFromThePreviousFolder();
    void cancelledDialogChangesNothing();
    void choosingEnablesUpdateOnlyWithAnInterface();
    void unsafeOrUnreadableChoicesAreRefused_data();
    void unsafeOrUnreadableChoicesAreRefused();

private:
    QString writeFile(const QString &name, const QByteArray &content);
    QString text(const char *label) const { return window->findChild<QLabel *>(label)->text(); }
    int page() const
    {
        return window->findChild<QStackedWidget *>("infoStackedWidget")->currentIndex();
    }
    bool updateEnabled() const
    {
        return window->findChild<QPushButton *>("updateButton")->isEnabled();
    }
    void choose(const QString &path, const char *button = "selectFileButton");

    QTemporaryDir directory;
    QList<interfacePort> ports;
    std::unique_ptr<technician> user;
    std::unique_ptr<fixtureSoftwareUpdater> window;
};

void tst_FileSelection::init()
{
    ports = {{"ttyUSB0", "CP2102", "Silicon Labs", "0001"}};
    user = std::make_unique<technician>();
    window = std::make_unique<fixtureSoftwareUpdater>(nullptr, [this] { return ports; });
}

void tst_FileSelection::cleanup()
{
    window.reset();
    user.reset();
    systemCallRecorder::stopWatching();
}

QString tst_FileSelection::writeFile(const QString &name, const QByteArray &content)
{
    QFile file(directory.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return file.fileName();
}

void tst_FileSelection::choose(const QString &path, const char *button)
{
    user->willChoose(path);
    window->findChild<QPushButton *>(button)->click();
}

void tst_FileSelection::headerIsShown_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("fixture");
    QTest::newRow("complete") << QByteArray("#application\n#Vendor\n#Fixture\n#v1.04\n0 01\n")
                              << "Application v1.04"
                              << "Vendor Fixture";
    QTest::newRow("three header lines")
        << QByteArray("#application\n#Vendor\n#Fixture\n0 01\n") << ""
        << "";
    QTest::newRow("first line only a hash") << QByteArray("#\n#Vendor\n#Fixture\n#v1\n") << ""
                                            << "";
    QTest::newRow("blank after each hash")
        << QByteArray("# application\n# Vendor\n# Fixture\n# v1.04\n") << " application  v1.04"
        << " Vendor  Fixture";
    QTest::newRow("a megabyte of carriage returns first")
        << QByteArray(1024 * 1024, '\r') + "#application\n#Vendor\n#Fixture\n#v1.04\n"
        << ""
        << "";
    QTest::newRow("four lines, last without line end")
        << QByteArray("#application\n#Vendor\n#Fixture\n#v1.04") << "Application v1.04"
        << "Vendor Fixture";
}

void tst_FileSelection::headerIsShown()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, application);
    QFETCH(QString, fixture);
    const QString path = writeFile("update.dmx", content);
    choose(path);
    QCOMPARE(text("fileLabel"), path);
    QCOMPARE(text("applicationDisplayLabel"), application);
    QCOMPARE(text("fixtureDisplayLabel"), fixture);
    QCOMPARE(page(), application.isEmpty() ? 0 : 1);
    QVERIFY(user->messages.isEmpty());
}

void tst_FileSelection::dialogOffersUpdateFilesFromThePreviousFolder()
{
    const QString first = writeFile("first.dmx", "#a\n#b\n#c\n#d\n");
    choose(first);
    QCOMPARE(user->dialogCaption, QString("Select Firmware"));
    QCOMPARE(user->dialogFilters, QStringList{"Firmware Files (*.dmx)"});

    choose(writeFile("second.dmx", "0 01\n"), "selectFileButton_2");
    QCOMPARE(user->dialogDirectory, QFileInfo(directory.path()).absoluteFilePath());
    QCOMPARE(user->dialogSelection, QStringList{first});
}

void tst_FileSelection::cancelledDialogChangesNothing()
{
    const QString path = writeFile("update.dmx", "#application\n#Vendor\n#Fixture\n#v1.04\n");
    choose(path);
    QCOMPARE(page(), 1);
    choose("", "selectFileButton_2");
    QCOMPARE(page(), 0);
    QCOMPARE(text("fileLabel"), path);
    QCOMPARE(text("applicationDisplayLabel"), QString("Application v1.04"));
    QVERIFY(updateEnabled());
}

void tst_FileSelection::choosingEnablesUpdateOnlyWithAnInterface()
{
    QVERIFY(!updateEnabled());
    choose(writeFile("update.dmx", "0 01\n"));
    QVERIFY(updateEnabled());

    ports.clear();
    window->findChild<QAction *>("actionRefreshPortsList")->trigger();
    QVERIFY(!updateEnabled());
    choose(writeFile("other.dmx", "0 02\n"));
    QVERIFY(!updateEnabled());
}

void tst_FileSelection::unsafeOrUnreadableChoicesAreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    // Qt's own dialog refuses named pipes and folders, but lets a device through.
    QTest::newRow("device") << "device"
                            << "Couldn't open file Not a regular file: %1";
    QTest::newRow("no permission") << "unreadable"
                                   << "Couldn't open file Permission denied";
}

void tst_FileSelection::unsafeOrUnreadableChoicesAreRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    choose(writeFile("good.dmx", "#application\n#Vendor\n#Fixture\n#v1.04\n"));
    QString path = directory.filePath("chosen.dmx");
    if (kind == "device")
        path = "/dev/null";
    if (kind == "unreadable") {
        writeFile("chosen.dmx", "#application\n");
        systemCallRecorder::refuseOpen(path.toLocal8Bit(), EACCES);
    }

    choose(path);
    QCOMPARE(user->messages, QStringList{QString(message).replace("%1", path)});
    QCOMPARE(text("fileLabel"), path);
    QCOMPARE(text("applicationDisplayLabel"), QString());
    QCOMPARE(page(), 0);
    QCOMPARE(updateEnabled(), kind == "unreadable");
}

QTEST_MAIN(tst_FileSelection)
#include "tst_fileselection.moc"
