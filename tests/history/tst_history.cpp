#include "historystore.h"
#include "programidentity.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <optional>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// An update as it begins, with texts from its file as they were.
historyRow anUpdate()
{
    historyRow row;
    row.source = historyRow::frontEnd::commandLine;
    row.file = "/media/rig/spot 2.4.0.dmx";
    row.fileSize = 4096;
    row.sha256 = QString(64, 'a');
    row.header = {"spot", "Tamsen\x1b[2J", "Spot 300", "2.4.0"};
    row.port = "ttyUSB0";
    row.interfaceDescription = "CP2102";
    row.serialNumber = "0001";
    row.linesTotal = 328;
    return row;
}

// What begin() keeps as it was given.
QVariantList given(const historyRow &row)
{
    return {int(row.source),
            row.file,
            row.fileSize,
            row.sha256,
            row.header.applicationName,
            row.header.vendorName,
            row.header.fixtureName,
            row.header.applicationVersion,
            row.port,
            row.interfaceDescription,
            row.serialNumber,
            row.linesTotal};
}

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

void tst_History::roundTrip_data()
{
    QTest::addColumn<QString>("stateHome"); // "-": unset
    QTest::addColumn<QString>("existing");  // a folder there before, 0755
    QTest::addColumn<QString>("store");
    const QString local = ".local/state/fixture-software-updater/history.sqlite";
    QTest::newRow("absolute") << "HOME/state"
                              << ""
                              << "state/fixture-software-updater/history.sqlite";
    QTest::newRow("relative") << "state"
                              << ".local/state" << local;
    QTest::newRow("empty") << ""
                           << ".local" << local;
    QTest::newRow("unset") << "-"
                           << ".local/state" << local;
}

void tst_History::roundTrip()
{
    QFETCH(QString, stateHome);
    QFETCH(QString, existing);
    QFETCH(QString, store);
    if (stateHome == "-")
        qunsetenv("XDG_STATE_HOME");
    else
        qputenv("XDG_STATE_HOME", stateHome.replace("HOME", home->path()).toLocal8Bit());
    if (!existing.isEmpty())
        QVERIFY(QDir(home->path()).mkpath(existing) &&
                chmod(qPrintable(home->filePath(existing)), 0755) == 0);
    store = home->filePath(store);
    QCOMPARE(historyLocation::file(), store);
    QVERIFY(history().isEmpty());
    QVERIFY(!QFileInfo::exists(QFileInfo(store).path()));

    const QDateTime before = QDateTime::currentDateTimeUtc();
    historyStore writer(historyStore::access::write);
    const std::optional<qint64> id = writer.begin(anUpdate());
    QVERIFY2(id && writer.begin(anUpdate()), qPrintable(writer.warning()));
    QVERIFY(writer.recordLinesDone(*id, 54));
    QThread::msleep(20);
    QVERIFY(writer.end(*id, historyRow::outcome::canceled, "Canceled!"));
    QVERIFY(writer.warning().isEmpty());

    // Made 0700 where missing, and 0600 before SQLite opened it, which gives its -wal that mode.
    QCOMPARE(modeOf(QFileInfo(store).path()), 0700);
    QCOMPARE(modeOf(QFileInfo(QFileInfo(store).path()).path()),
             existing.endsWith("state") ? 0755 : 0700);
    QCOMPARE(modeOf(store), 0600);
    QCOMPARE(modeOf(store + "-wal"), 0600);
    QCOMPARE(contentOf(store).mid(18, 2), QByteArray("\x02\x02")); // WAL's read and write versions

    const QList<historyRow> rows = history();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(given(rows[0]), given(anUpdate()));
    QCOMPARE(rows[0].programVersion, QString(programIdentity::version));
    QCOMPARE(rows[0].linesDone, 54);
    QCOMPARE(rows[0].result, historyRow::outcome::canceled);
    QCOMPARE(rows[0].message, QString("Canceled!"));
    QVERIFY(rows[0].started >= before.addMSecs(-1) && rows[0].started <= rows[0].ended);
    QCOMPARE(rows[0].ended.timeSpec(), Qt::UTC);
    QVERIFY(rows[0].durationMilliseconds >= 20 &&
            rows[0].durationMilliseconds <= rows[0].started.msecsTo(rows[0].ended));
    QCOMPARE(rows[1].result, historyRow::outcome::running);
    QCOMPARE(rows[1].process.processId, getpid());
    QVERIFY(!rows[1].ended.isValid());
}

void tst_History::failuresAreOneWarning_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("setAside");
    const QString damaged = "STORE was damaged; it is kept as STORE.damaged-";
    QTest::newRow("not a database") << "notes" << damaged << true;
    QTest::newRow("a damaged page") << "page" << damaged << true;
    QTest::newRow("its folder is a regular file")
        << "folder"
        << "cannot be kept in STORE: Not a directory" << false;
    QTest::newRow("its -shm cannot be opened") << "shm"
                                               << "cannot be kept in STORE: " << false;
}

void tst_History::failuresAreOneWarning()
{
    QFETCH(QString, fault);
    QFETCH(QString, warning);
    QFETCH(bool, setAside);
    const QString store = historyLocation::file();
    const QString folder = QFileInfo(store).path();
    if (fault != "notes") {
        historyStore made(historyStore::access::write);
        for (int row = 0; row < 20; ++row)
            made.begin(anUpdate());
    }
    const QByteArray notes = QByteArray("a technician's notes\n").repeated(300);
    if (fault == "notes")
        QVERIFY(QDir().mkpath(folder) && put(store, notes) && put(store + "-wal", notes) &&
                put(store + "-shm", notes));
    if (fault == "page")
        QVERIFY(put(store, contentOf(store).replace(4096, 100, QByteArray(100, '\xff'))));
    if (fault == "folder")
        QVERIFY(QDir(folder).removeRecursively() && put(folder, notes));
    if (fault == "shm")
        QVERIFY(QDir().mkdir(store + "-shm"));
    const QByteArray before = contentOf(store);

    historyStore writer(historyStore::access::write);
    QCOMPARE(bool(writer.begin(anUpdate())), setAside);
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
    historyStore writer(historyStore::access::write);
    QVERIFY(writer.begin(anUpdate()));
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    const pid_t child = fork();
    if (child == 0) {
        execl(self.constData(), self.constData(), "--begin-update", nullptr);
        _exit(127);
    }
    QTRY_COMPARE(history().size(), 2);
    QCOMPARE(history()[0].result, historyRow::outcome::running);
    QCOMPARE(history()[1].result, historyRow::outcome::running);
    kill(child, SIGKILL);
    siginfo_t ended;
    QCOMPARE(waitid(P_PID, child, &ended, WEXITED | WNOWAIT), 0);
    QCOMPARE(history()[1].result, historyRow::outcome::interrupted); // a zombie
    waitpid(child, nullptr, 0);
    QCOMPARE(history()[1].result, historyRow::outcome::interrupted);

    processLiveness ours = history()[0].process;
    QVERIFY(!ours.hasEnded());
    ours.startTime += 1; // its id reused by another process
    QVERIFY(ours.hasEnded());
    ours = history()[0].process;
    ours.bootId = "earlier"; // the computer was turned off
    QVERIFY(ours.hasEnded());
}

int main(int argc, char *argv[])
{
    if (argc == 2 && qstrcmp(argv[1], "--begin-update") == 0) {
        prctl(PR_SET_NAME, "a) Z 1 (b");
        QCoreApplication application(argc, argv);
        historyStore(historyStore::access::write).begin(anUpdate());
        pause();
    }
    QCoreApplication application(argc, argv);
    tst_History test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_history.moc"
