#include "fixturesoftwareupdater.h"
#include "technician.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMetaMethod>
#include <QProgressBar>
#include <QPushButton>
#include <QResource>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

// No interface attached, whatever this machine has.
const interfacePortSource noPorts = [] {
    return QList<interfacePort>{};
};

class tst_FixtureSoftwareUpdater : public QObject
{
    Q_OBJECT

private slots:
    void logoIsCompiledIn();
    void firstLook();
    void preselectsLeastRecentlyModifiedUpdateFile_data();
    void preselectsLeastRecentlyModifiedUpdateFile();
    void signalsAndSlots();
    void serialPortClosingDisablesUpdate();
    void portErrorCodes_data();
    void portErrorCodes();
};

void tst_FixtureSoftwareUpdater::logoIsCompiledIn()
{
    const QImage logo(":/logo.png");
    QCOMPARE(logo.size(), QSize(1065, 414));
    QVERIFY(logo.hasAlphaChannel());
    QCOMPARE(QResource(":/logo.png").compressionAlgorithm(), QResource::NoCompression);

    fixtureSoftwareUpdater window(nullptr, noPorts);
    const QPixmap shown = window.findChild<QLabel *>("logoLabel")->pixmap(Qt::ReturnByValue);
    QCOMPARE(shown.size(), QSize(1065, 414));
}

void tst_FixtureSoftwareUpdater::firstLook()
{
    fixtureSoftwareUpdater window(nullptr, noPorts);
    QCOMPARE(window.windowTitle(), QString("Corvanel Firmware Updater 1.0.1"));
    auto *update = window.findChild<QPushButton *>("updateButton");
    QVERIFY(!update->isEnabled());
    QCOMPARE(update->text(), QString("Start"));
    QCOMPARE(update->toolTip(), QString("Select port and update file to start!"));
    QCOMPARE(window.findChild<QStackedWidget *>("infoStackedWidget")->currentIndex(), 0);
    QCOMPARE(window.findChild<QStackedWidget *>("updateStackedWidget")->currentIndex(), 0);

    const QList<QLabel *> statusLabels = window.statusBar()->findChildren<QLabel *>();
    QCOMPARE(statusLabels.size(), 1);
    QCOMPARE(statusLabels[0]->text(), QString("Currently no interface selected!"));
}

void tst_FixtureSoftwareUpdater::preselectsLeastRecentlyModifiedUpdateFile_data()
{
    // Entries are created oldest first; "dir:" makes a directory, "link:" a symbolic link.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("expected");
    QTest::newRow("older .prl wins over newer .dmx") << QStringList{"a.prl", "b.dmx"} << "a.prl";
    QTest::newRow("older .dmx wins over newer .prl") << QStringList{"b.dmx", "a.prl"} << "b.dmx";
    QTest::newRow("other files are skipped")
        << QStringList{"notes.txt", "old.dmx.bak", "c.dmx"} << "c.dmx";
    QTest::newRow("suffix is case-sensitive") << QStringList{"FIRMWARE.DMX"} << "";
    QTest::newRow("directories are skipped") << QStringList{"dir:x.dmx", "z.dmx"} << "z.dmx";
    QTest::newRow("links are skipped") << QStringList{"link:y.dmx", "z.dmx"} << "z.dmx";
    QTest::newRow("empty directory") << QStringList{} << "";
}

void tst_FixtureSoftwareUpdater::preselectsLeastRecentlyModifiedUpdateFile()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, expected);
    QTemporaryDir directory;
    QTemporaryDir elsewhere;
    QDateTime modified = QDateTime::currentDateTime().addDays(-1);
    for (const QString &entry : entries) {
        const QString name = entry.section(':', -1);
        const QString path = directory.filePath(name);
        if (entry.startsWith("dir:")) {
            QVERIFY(QDir(directory.path()).mkdir(name));
        } else if (entry.startsWith("link:")) {
            QFile target(elsewhere.filePath(name));
            QVERIFY(target.open(QIODevice::WriteOnly));
            QVERIFY(QFile::link(target.fileName(), path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        }
        modified = modified.addSecs(60);
    }

    const QString previous = QDir::currentPath();
    QDir::setCurrent(directory.path());
    fixtureSoftwareUpdater window(nullptr, noPorts);
    QDir::setCurrent(previous);

    const QString shown = window.findChild<QLabel *>("fileLabel")->text();
    if (expected.isEmpty())
        QCOMPARE(shown, QString("No File Selected"));
    else
        QCOMPARE(QFileInfo(shown).fileName(), expected);
    QCOMPARE(window.findChild<QStackedWidget *>("infoStackedWidget")->currentIndex(), 0);
}

void tst_FixtureSoftwareUpdater::signalsAndSlots()
{
    const QStringList expected{
        "signal startSending()",
        "signal cancelSending()",
        "slot on_actionQuit_triggered()",
        "slot on_selectFileButton_clicked()",
        "slot on_selectFileButton_2_clicked()",
        "slot on_updateButton_clicked()",
        "slot on_cancelButton_clicked()",
        "slot on_actionRefreshPortsList_triggered()",
        "slot serialPortSelected(QAction*)",
        "slot serialPortError(int)",
        "slot serialPortClosing()",
        "slot updateFinished()",
        "slot updateCanceled()",
        "slot updateFileLength(int)",
        "slot updateProgress(int)",
        "slot recieveMessage(QString)",
    };
    const QMetaObject &meta = fixtureSoftwareUpdater::staticMetaObject;
    QStringList methods;
    for (int index = meta.methodOffset(); index < meta.methodCount(); ++index) {
        const QMetaMethod method = meta.method(index);
        QCOMPARE(method.access(), QMetaMethod::Public);
        methods << QString(method.methodType() == QMetaMethod::Signal ? "signal " : "slot ") +
                       method.methodSignature();
    }
    QCOMPARE(methods, expected);
}

void tst_FixtureSoftwareUpdater::serialPortClosingDisablesUpdate()
{
    QTemporaryDir directory;
    QFile(directory.filePath("update.dmx")).open(QIODevice::WriteOnly);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(directory.path());
    fixtureSoftwareUpdater window(nullptr, [] {
        return QList<interfacePort>{{"ttyUSB0", "", "Silicon Labs", "0001"}};
    });
    QDir::setCurrent(previous);
    auto *update = window.findChild<QPushButton *>("updateButton");
    QVERIFY(update->isEnabled());
    QVERIFY(QMetaObject::invokeMethod(&window, "serialPortClosing"));
    QVERIFY(!update->isEnabled());
}

void tst_FixtureSoftwareUpdater::portErrorCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("backToIdle");
    QTest::newRow("0 is no error") << 0 << "" << false;
    QTest::newRow("9") << 9 << "Serialport Error: ResourceError: Device Unavailable" << true;
    QTest::newRow("3") << 3 << "Serialport Error: OpenError Device already open" << true;
    QTest::newRow("13") << 13 << "Serialport Error: NotOpenError" << true;
    QTest::newRow("14 is unknown") << 14 << "" << true;
    QTest::newRow("-1 is unknown") << -1 << "" << true;
}

void tst_FixtureSoftwareUpdater::portErrorCodes()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(bool, backToIdle);
    fixtureSoftwareUpdater window(nullptr, noPorts);
    auto *info = window.findChild<QStackedWidget *>("infoStackedWidget");
    auto *bar = window.findChild<QProgressBar *>("progressBar");
    info->setCurrentIndex(2);
    bar->setValue(40);
    technician user;
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QString("error recieved: %1").arg(code)));
    QVERIFY(QMetaObject::invokeMethod(&window, "serialPortError", Q_ARG(int, code)));
    QCOMPARE(user.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(info->currentIndex(), backToIdle ? 0 : 2);
    QCOMPARE(bar->value(), backToIdle ? 0 : 40);
    QCOMPARE(window.findChild<QLabel *>("applicationDisplayLabel")->text().isEmpty(), backToIdle);
}

QTEST_MAIN(tst_FixtureSoftwareUpdater)
#include "tst_fixturesoftwareupdater.moc"
