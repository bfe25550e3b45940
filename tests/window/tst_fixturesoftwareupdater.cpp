#include "fixturesoftwareupdater.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QResource>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

class tst_FixtureSoftwareUpdater : public QObject
{
    Q_OBJECT

private slots:
    void logoIsCompiledIn();
    void firstLook();
    void preselectsLeastRecentlyModifiedUpdateFile_data();
    void preselectsLeastRecentlyModifiedUpdateFile();
};

void tst_FixtureSoftwareUpdater::logoIsCompiledIn()
{
    const QImage logo(":/logo.png");
    QCOMPARE(logo.size(), QSize(1065, 414));
    QVERIFY(logo.hasAlphaChannel());
    QCOMPARE(QResource(":/logo.png").compressionAlgorithm(), QResource::NoCompression);

    fixtureSoftwareUpdater window(nullptr);
    const QPixmap shown = window.findChild<QLabel *>("logoLabel")->pixmap(Qt::ReturnByValue);
    QCOMPARE(shown.size(), QSize(1065, 414));
}

void tst_FixtureSoftwareUpdater::firstLook()
{
    fixtureSoftwareUpdater window(nullptr);
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
    fixtureSoftwareUpdater window(nullptr);
    QDir::setCurrent(previous);

    const QString shown = window.findChild<QLabel *>("fileLabel")->text();
    if (expected.isEmpty())
        QCOMPARE(shown, QString("No File Selected"));
    else
        QCOMPARE(QFileInfo(shown).fileName(), expected);
    QCOMPARE(window.findChild<QStackedWidget *>("infoStackedWidget")->currentIndex(), 0);
}

QTEST_MAIN(tst_FixtureSoftwareUpdater)
#include "tst_fixturesoftwareupdater.moc"
