#include "historystore.h"

#include <QtTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool put(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int modeOf(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : -1;
}

QList<historyRow> history()
{
    return historyStore(historyStore::access::read).rows().value_or(QList<historyRow>{});
}

} // namespace

class tst_History : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        home.emplace();
        qputenv("HOME", home->path().toLocal8Bit());
        qputenv("XDG_STATE_HOME", home->filePath("state").toLocal8Bit());
    }
    void roundTrip_data();
    void roundTrip();
    void failuresAreOneWarning_data();
    void failuresAreOneWarning();
    void runningOrInterrupted();

private:
    std::optional<QTemporaryDir> home;
};

// XDG_STATE_HOME ("-": unset), a folder that is there before at 0755, and the folder the store
// goes in; HOME stands for the home folder.
void tst_History::roundTrip_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::newRow("absolute") << QStringList{"HOME/state", "", "HOME/state"};
    QTest::newRow("relative") << QStringList{"state", ".local/state", "HOME/.local/state"};
    QTest::newRow("unset") << QStringList{"-", ".local", "HOME/.local/state"};
}

void tst_History::roundTrip()
{
    QFETCH(QStringList, folders);
    folders.replaceInStrings("HOME", home->path());
    qputenv("XDG_STATE_HOME", folders[0].toLocal8Bit());
    if (folders[0] == "-")
        qunsetenv("XDG_STATE_HOME");
    if (!folders[1].isEmpty())
        QVERIFY(QDir(home->path()).mkpath(folders[1]) &&
                chmod(qPrintable(home->filePath(folders[1])), 0755) == 0);
    const QString store = folders[2] + "/fixture-software-updater/history.sqlite";
    QCOMPARE(historyLocation::file(), store);

    historyStore writer(historyStore::access::write);
    const std::optional<qint64> id = writer.begin(historyRow());
    QVERIFY2(id && writer.begin(historyRow()), qPrintable(writer.warning()));
    QThread::msleep(20);
    QVERIFY(writer.end(*id, historyRow::outcome::canceled, "Canceled!"));
    // Made 0700 where missing, and 0600 before SQLite opened it, which gives its -wal that mode.
    QCOMPARE(modeOf(folders[2] + "/fixture-software-updater"), 0700);
    QCOMPARE(modeOf(folders[2]), folders[1].endsWith("state") ? 0755 : 0700);
    QCOMPARE(modeOf(store), 0600);
    QCOMPARE(contentOf(store).mid(18, 2), QByteArray("\x02\x02")); // WAL's read and write versions

    const QList<historyRow> rows = history();
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0].durationMilliseconds >= 20 &&
            rows[0].durationMilliseconds <= rows[0].started.msecsTo(rows[0].ended));
}

void tst_History::failuresAreOneWarning_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("setAside");
    const QString damaged = "STORE was damaged; it is kept as STORE.damaged-";
    QTest::newRow("not a database") << "notes" << damaged << true;
    QTest::newRow("a damaged page") << "page" << damaged << true;
    const QString cannotKeep = "cannot be kept in STORE: ";
    QTest::newRow("its folder is a regular file")
        << "folder" << cannotKeep + "Not a directory" << false;
    const QString readOnly = cannotKeep + "attempt to write a readonly database";
    QTest::newRow("its -shm cannot be opened, at the first write") << "shm" << readOnly << false;
    QTest::newRow("its -shm cannot be opened, at a row") << "shm+table" << readOnly << false;
}

void tst_History::failuresAreOneWarning()
{
    QFETCH(QString, fault);
    QFETCH(QString, warning);
    QFETCH(bool, setAside);
    const QString store = historyLocation::file();
    const QString folder = QFileInfo(store).path();
    const QByteArray notes = QByteArray("a technician's notes\n").repeated(300);
    QVERIFY(QDir().mkpath(folder));
    if (fault == "notes")
        QVERIFY(put(store, notes) && put(store + "-wal", notes) && put(store + "-shm", notes));
    const bool made = fault == "page" || fault == "shm+table";
    if (made && historyStore(historyStore::access::write).begin(historyRow()) && fault == "page")
        QVERIFY(put(store, contentOf(store).replace(4096, 100, QByteArray(100, '\xff'))));
    if (fault == "folder")
        QVERIFY(QDir(folder).removeRecursively() && put(folder, notes));
    if (fault.startsWith("shm")) // without a table, opening the store needs a write
        QVERIFY((made || put(store, "")) && QDir().mkdir(store + "-shm"));
    const QByteArray before = contentOf(store);

    historyStore writer(historyStore::access::write);
    QCOMPARE(bool(writer.begin(historyRow())), setAside);
    QVERIFY2(writer.warning().contains(warning.replace("STORE", store)),
             qPrintable(writer.warning()));
    const QStringList kept = QDir(folder).entryList({"*.damaged-*"});
    QCOMPARE(kept.size(), setAside ? 2 : 0); // with its -wal
    if (!setAside)
        return;
    QCOMPARE(contentOf(folder + '/' + kept[0]), before);
    QCOMPARE(contentOf(folder + '/' + kept.value(1)), fault == "notes" ? notes : QByteArray());
    QCOMPARE(history().size(), 1);
}

// A child that begins an update under a name that a reading of /proc/PID/stat from the first ')'
// takes for a zombie, then waits to be killed.
void tst_History::runningOrInterrupted()
{
    QVERIFY(historyStore(historyStore::access::write).begin(historyRow()));
    const pid_t child = fork();
    if (child == 0)
        _exit(execl("/proc/self/exe", "child", "--begin-update", nullptr));
    QTRY_COMPARE(history().size(), 2);
    QCOMPARE(history()[1].result, historyRow::outcome::running);
    kill(child, SIGKILL);
    siginfo_t ended;
    QCOMPARE(waitid(P_PID, child, &ended, WEXITED | WNOWAIT), 0);
    QCOMPARE(history()[1].result, historyRow::outcome::interrupted); // a zombie
    waitpid(child, nullptr, 0);
    QCOMPARE(history()[1].result, historyRow::outcome::interrupted);
    QCOMPARE(history()[0].result, historyRow::outcome::running);
    processLiveness reused = history()[0].process, rebooted = reused;
    reused.startTime += 1;
    rebooted.bootId = "earlier";
    QVERIFY(reused.hasEnded() && rebooted.hasEnded());
}

int main(int argc, char *argv[])
{
    if (argc == 2 && qstrcmp(argv[1], "--begin-update") == 0) {
        prctl(PR_SET_NAME, "a) Z 1 (b");
        historyStore(historyStore::access::write).begin(historyRow());
        pause();
    }
    QCoreApplication application(argc, argv);
    tst_History test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_history.moc"
