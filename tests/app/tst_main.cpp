#include "fixturesoftwareupdater.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

int updaterMain(int argc, char *argv[]);

namespace {

// What the running program looked like, captured from inside its event loop, which it is then
// asked to leave.
bool quitThroughMenu = true;
QStringList observed;

void observeAndLeave()
{
    // A program that ignores the request to leave fails here instead of hanging the suite.
    QTimer::singleShot(10000, [] { QCoreApplication::exit(98); });
    QTimer::singleShot(0, [] {
        observed =
            QStringList{QCoreApplication::applicationName(), QCoreApplication::organizationName(),
                        QCoreApplication::organizationDomain(),
                        QCoreApplication::applicationVersion()} +
            QCoreApplication::libraryPaths();
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<fixtureSoftwareUpdater *>(widget))
                return quitThroughMenu ? window->findChild<QAction *>("actionQuit")->trigger()
                                       : void(window->close());
        QCoreApplication::exit(99);
    });
}
Q_COREAPP_STARTUP_FUNCTION(observeAndLeave)

} // namespace

class tst_Main : public QObject
{
    Q_OBJECT

private slots:
    void identityAndExitCode_data();
    void identityAndExitCode();
};

void tst_Main::identityAndExitCode_data()
{
    QTest::addColumn<bool>("throughQuit");
    QTest::addColumn<bool>("dllFolder");
    QTest::newRow("Quit, with a dll folder") << true << true;
    QTest::newRow("window closed, no dll folder") << false << false;
}

void tst_Main::identityAndExitCode()
{
    QFETCH(bool, throughQuit);
    QFETCH(bool, dllFolder);
    QTemporaryDir workingFolder;
    QDir::setCurrent(workingFolder.path());
    if (dllFolder)
        QVERIFY(QDir().mkdir("dll"));
    quitThroughMenu = throughQuit;
    char name[] = "fixture-software-updater";
    char *argv[] = {name, nullptr};
    QCOMPARE(updaterMain(1, argv), 0);

    QCOMPARE(observed.mid(0, 4), (QStringList{"Software Updater", "Tamsenholt Engineering",
                                              "Tamsenholt Engineering", "1.0.1"}));
    const QString dll = QDir(workingFolder.path() + "/dll").canonicalPath();
    QCOMPARE(observed.contains(dll), dllFolder);
    for (const QString &path : observed.mid(4))
        QVERIFY2(path == dll || !path.endsWith("/dll"), qPrintable(path));
}

QTEST_APPLESS_MAIN(tst_Main)
#include "tst_main.moc"
