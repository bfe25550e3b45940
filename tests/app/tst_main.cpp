#include "fixturesoftwareupdater.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

int updaterMain(int argc, char *argv[]);

namespace {

// What the running program looked like, captured from inside its event loop.
struct observedRun
{
    QString applicationName;
    QString organizationName;
    QString organizationDomain;
    QString applicationVersion;
    QStringList libraryPaths;
    bool quitThroughMenu = true;
};
observedRun observed;

fixtureSoftwareUpdater *mainWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<fixtureSoftwareUpdater *>(widget))
            return window;
    return nullptr;
}

void observeAndLeave()
{
    // A program that ignores the request to leave fails here instead of hanging the suite.
    QTimer::singleShot(10000, [] { QCoreApplication::exit(98); });
    QTimer::singleShot(0, [] {
        observed.applicationName = QCoreApplication::applicationName();
        observed.organizationName = QCoreApplication::organizationName();
        observed.organizationDomain = QCoreApplication::organizationDomain();
        observed.applicationVersion = QCoreApplication::applicationVersion();
        observed.libraryPaths = QCoreApplication::libraryPaths();
        fixtureSoftwareUpdater *window = mainWindow();
        if (!window)
            return QCoreApplication::exit(99);
        if (observed.quitThroughMenu)
            window->findChild<QAction *>("actionQuit")->trigger();
        else
            window->close();
    });
}
Q_COREAPP_STARTUP_FUNCTION(observeAndLeave)

int runUpdater()
{
    char name[] = "fixture-software-updater";
    char *argv[] = {name, nullptr};
    return updaterMain(1, argv);
}

} // namespace

class tst_Main : public QObject
{
    Q_OBJECT

private slots:
    void leavingEndsTheProcessWithZero_data();
    void leavingEndsTheProcessWithZero();
    void identityAndLibraryPath();
    void missingDllDirectoryChangesNothing();
};

void tst_Main::leavingEndsTheProcessWithZero_data()
{
    QTest::addColumn<bool>("quitThroughMenu");
    QTest::newRow("quit action") << true;
    QTest::newRow("window closed") << false;
}

void tst_Main::leavingEndsTheProcessWithZero()
{
    QFETCH(bool, quitThroughMenu);
    observed.quitThroughMenu = quitThroughMenu;
    QCOMPARE(runUpdater(), 0);
}

void tst_Main::identityAndLibraryPath()
{
    QTemporaryDir workingDirectory;
    QVERIFY(QDir(workingDirectory.path()).mkdir("dll"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workingDirectory.path());
    const int exitCode = runUpdater();
    QDir::setCurrent(previous);

    QCOMPARE(exitCode, 0);
    QCOMPARE(observed.applicationName, QString("Software Updater"));
    QCOMPARE(observed.organizationName, QString("Tamsenholt Engineering"));
    QCOMPARE(observed.organizationDomain, QString("Tamsenholt Engineering"));
    QCOMPARE(observed.applicationVersion, QString("1.0.1"));
    QVERIFY(observed.libraryPaths.contains(QDir(workingDirectory.path() + "/dll").canonicalPath()));
}

void tst_Main::missingDllDirectoryChangesNothing()
{
    QTemporaryDir workingDirectory;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workingDirectory.path());
    const int exitCode = runUpdater();
    QDir::setCurrent(previous);

    QCOMPARE(exitCode, 0);
    for (const QString &path : observed.libraryPaths)
        QVERIFY2(!path.endsWith("/dll"), qPrintable(path));
}

QTEST_APPLESS_MAIN(tst_Main)
#include "tst_main.moc"
