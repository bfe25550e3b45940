#include "busmock.h"
#include "commandline.h"
#include "historystore.h"
#include "pseudoterminal.h"
#include "systemcallrecorder.h"
#include "workerrun.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The command line as a script meets it: this test program run again as the command line, with
// made-up attached ports ("name:manufacturer:serial,..."), without a display, its output and its
// journal lines kept.
struct commandLineRun
{
    commandLineRun(const QStringList &arguments, const QString &ports,
                   const std::function<void()> &inChild = {})
    {
        output.open();
        journal.open();
        QList<QByteArray> words{QCoreApplication::applicationFilePath().toLocal8Bit(),
                                "--as-command-line", ports.toLocal8Bit()};
        for (const QString &argument : arguments)
            words << argument.toLocal8Bit();
        std::vector<char *> argv;
        for (QByteArray &word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        pid = fork();
        if (pid == 0) {
            dup2(output.handle(), STDOUT_FILENO);
            dup2(output.handle(), STDERR_FILENO);
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            setenv("RECORDED_SYSLOG", qPrintable(journal.fileName()), 1);
            if (inChild)
                inChild();
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    // The wait status, or -1 when the command line did not end within the limit.
    int wait(int limitMilliseconds = 20000)
    {
        int status = -1;
        for (QDeadlineTimer limit(limitMilliseconds); !limit.hasExpired(); QThread::msleep(5))
            if (waitpid(pid, &status, WNOHANG) == pid)
                return status;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return -1;
    }
    QString said() const { return contentOf(output); }
    QString logged() const { return contentOf(journal); }
    static QString contentOf(const QTemporaryFile &kept)
    {
        QFile file(kept.fileName());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    pid_t pid;
    QTemporaryFile output;
    QTemporaryFile journal;
};

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init() { box = std::make_unique<pseudoTerminal>(); }
    void argumentsChooseTheFrontEnd_data();
    void argumentsChooseTheFrontEnd();
    void statusAndWords_data();
    void statusAndWords();
    void fileCheckedBeforeSending_data();
    void fileCheckedBeforeSending();
    void framesAsTheWindowSendsThem();
    void interruptCancelsAndEndsByTheSignal_data();
    void interruptCancelsAndEndsByTheSignal();
    void whatGoesAwayDoesNotStopTheUpdate_data();
    void whatGoesAwayDoesNotStopTheUpdate();
    void languageByGettextsRule_data();
    void languageByGettextsRule();
    void historyAsScriptsReadIt_data();
    void historyAsScriptsReadIt();
    void howAnUpdateEnds_data();
    void howAnUpdateEnds();
    void twoUpdatesAtOnceWhileTheHistoryIsRead();

private:
    QString writeFile(const QByteArray &content)
    {
        // A % in the name, which the journal must keep as it is.
        QFile file(folder.filePath("update%s.dmx"));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }

    QTemporaryDir folder;
    std::unique_ptr<pseudoTerminal> box;
};

void tst_CommandLine::argumentsChooseTheFrontEnd_data()
{
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<bool>("commandLine");
    QTest::newRow("none") << QByteArrayList{} << false;
    QTest::newRow("a file, and Qt's own option")
        << QByteArrayList{"-platform", "xcb", "a.dmx"} << false;
    QTest::newRow("send") << QByteArrayList{"a.dmx", "--send=b.dmx"} << true;
    QTest::newRow("a misspelt option") << QByteArrayList{"--sned", "a.dmx"} << true;
    QTest::newRow("help") << QByteArrayList{"-h"} << true;
}

void tst_CommandLine::argumentsChooseTheFrontEnd()
{
    QFETCH(QByteArrayList, arguments);
    QFETCH(bool, commandLine);
    QByteArray program("fixture-software-updater");
    std::vector<char *> argv{program.data()};
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    QCOMPARE(commandLine::isWanted(int(argv.size()), argv.data()), commandLine);
}

// FILE stands for an update file, BOX for the pseudo-terminal standing in for the interface.
void tst_CommandLine::statusAndWords_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("ports");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("lowBattery"); // 8 % and 5 minutes left, too little for any update
    const QStringList send{"--send", "FILE"};
    const QStringList sendToBox = send + QStringList{"--interface", "BOX"};
    QTest::newRow("low battery") << sendToBox << "" << 1 << "Not started." << true;
    QTest::newRow("low battery ignored")
        << sendToBox + QStringList{"--ignore-power"} << "" << 0 << "Finished!\n"
        << true;
    // In a log, one line for every tenth of the update; five lines here.
    QTest::newRow("finished") << sendToBox << "" << 0
                              << "80 % · 4 of 5 lines · about 10 s left\n100 % · 5 of 5 lines · "
                                 "about 0 s left\nFinished!\n"
                              << false;
    QTest::newRow("the one interface box") << send << "ttyS9:FTDI:2,BOX:Silicon Labs:1" << 0
                                           << "Interface: Silicon Labs 1(Veskor) (BOX)\n"
                                           << false;
    QTest::newRow("no interface box") << send << "ttyS9:FTDI:2" << 1 << "ttyS9\tFTDI 2\n" << false;
    QTest::newRow("two interface boxes")
        << send << "BOX:Silicon Labs:1,ttyS8:Silicon Labs:2" << 1 << "2 interface boxes" << false;
    QTest::newRow("port missing") << send + QStringList{"--interface", "/dev/ttyNoSuchInterface"}
                                  << "" << 1 << "Serialport Error: DeviceNotFoundError\n"
                                  << false;
    QTest::newRow("empty interface") << QStringList{"--send", "FILE", "--interface", ""} << "" << 2
                                     << "No port after --interface.\n\nUsage:" << false;
    QTest::newRow("send and list") << QStringList{"--send", "FILE", "--list-interfaces"} << "" << 2
                                   << "combined with --send.\n\nUsage:" << false;
    QTest::newRow("unknown option") << QStringList{"--sned", "FILE"} << "" << 2 << "sned" << false;
    QTest::newRow("file missing") << QStringList{"--send"} << "" << 2 << "--send" << false;
    QTest::newRow("not a regular file") << QStringList{"--send", "/dev/null"} << "" << 2
                                        << "Couldn't open file Not a regular file: /dev/null\n"
                                        << false;
    QTest::newRow("interfaces in the menu's order")
        << QStringList{"--list-interfaces"} << "a:Silicon Labs:1,ttyS2:FTDI:2,c:FTDI:" << 0
        << "ttyS2\tFTDI 2\na\tSilicon Labs 1(Veskor)\n"
        << false;
}

void tst_CommandLine::statusAndWords()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, ports);
    QFETCH(int, status);
    QFETCH(QString, words);
    QFETCH(bool, lowBattery);
    // How each update that began ended in the journal: its priority, then its last line.
    const QString journal =
        QHash<QString, QString>{{"low battery",
                                 "4 Not started. Connect the charger, or start again with "
                                 "--ignore-power."},
                                {"low battery ignored", "5 Finished!"},
                                {"finished", "5 Finished!"},
                                {"the one interface box", "5 Finished!"},
                                {"port missing", "3 Serialport Error: DeviceNotFoundError"}}
            .value(QTest::currentDataTag());
    busMock upower("upower", R"({"OnBattery": true})");
    if (lowBattery) {
        QVERIFY2(upower.serve(""), qPrintable(upower.error()));
        upower.control("SetupDisplayDevice", {2u, 2u, 8., 4., 0., 12., 300LL, 0LL, true, "", 1u});
    }
    const QString file = writeFile("#a\n#b\n#c\n#d\n0 01 02\n");
    arguments.replaceInStrings("FILE", file).replaceInStrings("BOX", box->portName());
    commandLineRun run(arguments, ports.replace("BOX", box->portName()));
    const int ended = run.wait();
    QVERIFY2(ended != -1 && WIFEXITED(ended), qPrintable(run.said()));
    QCOMPARE(WEXITSTATUS(ended), status);
    QVERIFY2(run.said().contains(words.replace("BOX", box->portName())), qPrintable(run.said()));
    QCOMPARE(box->received().isEmpty(), status != 0 || arguments.size() < 2);
    const int named = arguments.indexOf("--interface");
    QCOMPARE(run.logged(),
             journal.isEmpty()
                 ? QString()
                 : QString("fixture-software-updater\t%1\t%2 (file %3, interface %4)\n")
                       .arg(journal.section(' ', 0, 0), journal.section(' ', 1), file,
                            named < 0 ? box->portName() : arguments[named + 1]));
}

// A web page saved as an update file, and checksums published beside a file. Refusals come
// before a byte is sent; --force sends lines that are not frame data, as the format reads them.
void tst_CommandLine::fileCheckedBeforeSending_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("published"); // FILE.sha256; DIGEST: the file's own, FIFO: a pipe
    QTest::addColumn<bool>("forced");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QByteArray>("received"); // nothing: refused with status 1
    const auto row = [](const char *name, const QByteArray &content, const QString &published,
                        bool forced, const QString &words, const QByteArray &received) {
        QTest::newRow(name) << content << published << forced << words << received;
    };
    const QByteArray page("<html>\n<p>a b</p>\n<p>c</p>\n");
    const QByteArray quirks("#a\n0 01 \r\n0 02\n");
    const QByteArray sent = QByteArray("\0\1\0", 3).repeated(6) + QByteArray("\0\2", 2).repeated(6);
    const QString other(64, 'a');
    row("a web page", page, "", false,
        "3 lines of this file are not frame data, the first of them line 1", {});
    row("a web page, forced", page, "", true, "Finished!", QByteArray(1 + 2 * 6 + 6, '\0'));
    row("the format's quirks, sha256sum's form", quirks, "DIGEST *update%s.dmx\r\n", false,
        "SHA-256 matches update%s.dmx.sha256\nThe update takes", sent);
    row("the bare digest", quirks, "digest", false, "SHA-256 matches", sent);
    row("another digest, forced", quirks, other, true,
        "its SHA-256 is DIGEST, and FILE.sha256 says " + other + ".\n", {});
    row("a named pipe", quirks, "FIFO", false, "FILE.sha256 is not a regular file\n", {});
}

void tst_CommandLine::fileCheckedBeforeSending()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, published);
    QFETCH(bool, forced);
    QFETCH(QString, words);
    QFETCH(QByteArray, received);
    const QString file = writeFile(content);
    const QString digest = QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
    QFile checksum(file + ".sha256");
    if (published == "FIFO")
        QCOMPARE(mkfifo(qPrintable(checksum.fileName()), 0600), 0);
    else if (!published.isEmpty())
        QVERIFY(checksum.open(QIODevice::WriteOnly) &&
                checksum.write(published.replace("DIGEST", digest.toUpper())
                                   .replace("digest", digest)
                                   .toLatin1()) > 0);
    checksum.close();
    commandLineRun run(QStringList{"--send", file, "--interface", box->portName()} +
                           (forced ? QStringList{"--force"} : QStringList()),
                       "");
    QCOMPARE(run.wait(), received.isEmpty() ? 1 << 8 : 0);
    QVERIFY2(run.said().contains(words.replace("DIGEST", digest).replace("FILE", file)),
             qPrintable(run.said()));
    QTest::qWait(100);
    QCOMPARE(box->received(), received);
    QFile::remove(checksum.fileName());
}

void tst_CommandLine::framesAsTheWindowSendsThem()
{
    // A header that would retitle and clear the technician's terminal.
    const QString file =
        writeFile("#app\n#V\x1b]0;x\x07\n#F\x1b[2J\xc2\x9b\n#v1\n0 01 02\n5 03 04\n0 05\n\n"
                  "0 06 07 08\n");
    QVERIFY(workerRun(box->portName(), file).end());
    pseudoTerminal line;
    commandLineRun run({"--send", file, "--interface", line.portName()}, "");
    QCOMPARE(run.wait(), 0);
    QVERIFY(run.said().endsWith("Finished!\n"));
    QVERIFY2(run.said().contains("V\\x1b]0;x\\x07 F\\x1b[2J\\x9b\n"), qPrintable(run.said()));
    QTRY_COMPARE(line.received(), box->received());
}

// As Cancel does: nothing more is sent, and a shell sees the signal. Before the first frame, no
// port is opened, however late the power check's answer comes.
void tst_CommandLine::interruptCancelsAndEndsByTheSignal_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("when"); // what the command line has said when it is interrupted
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("received");
    const QString before = "Canceled before it started";
    QTest::newRow("in a hold of 49 days") << QByteArray("0 01\n4294967295 01\n0 02\n") << "1 of 3"
                                          << "Canceled!" << 6 * 2 + 2;
    QTest::newRow("while ten million lines are read") << QByteArray(10000000, '\n') + "0 01\n"
                                                      << "" << before << 0;
    QTest::newRow("during the power check") << QByteArray("0 01\n") << "takes about" << before << 0;
}

void tst_CommandLine::interruptCancelsAndEndsByTheSignal()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, when);
    QFETCH(QString, end);
    QFETCH(int, received);
    busMock upower("upower");
    QVERIFY2(upower.serve("hung"), qPrintable(upower.error()));
    commandLineRun run({"--send", writeFile(content), "--interface", box->portName()}, "");
    QTest::qWait(300);
    QTRY_VERIFY(run.said().contains(when));
    kill(run.pid, SIGINT);
    const int ended = run.wait(1500);
    QVERIFY2(ended != -1 && WIFSIGNALED(ended) && WTERMSIG(ended) == SIGINT,
             qPrintable(run.said()));
    QVERIFY(run.said().endsWith(end + "\n"));
    QVERIFY(run.logged().contains("\t4\t" + end + " (file "));
    QTest::qWait(100);
    QCOMPARE(box->received().size(), received);
}

// Around a half-second hold: the first frame within 2 s, then every byte, and the end within 2 s.
void tst_CommandLine::whatGoesAwayDoesNotStopTheUpdate_data()
{
    QTest::addColumn<QString>("gone");
    QTest::newRow("the controlling terminal, in a hold") << "terminal";
    QTest::newRow("stderr's reader, and no bus") << "reader";
    QTest::newRow("a bus that never answers") << "bus";
}

void tst_CommandLine::whatGoesAwayDoesNotStopTheUpdate()
{
    QFETCH(QString, gone);
    pseudoTerminal terminal;
    QLocalServer silentBus;
    QVERIFY(silentBus.listen(folder.filePath("bus")));
    int stderrPipe[2];
    QVERIFY(pipe(stderrPipe) == 0);
    close(stderrPipe[0]);
    const QByteArray terminalName = terminal.portName().toLocal8Bit();
    const QByteArray bus = gone == "bus"      ? "unix:path=" + folder.filePath("bus").toLocal8Bit()
                           : gone == "reader" ? "unix:path=/nonexistent"
                                              : qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    commandLineRun run(
        {"--send", writeFile("0 01\n500 01\n0 02\n"), "--interface", box->portName()}, "", [&] {
            setenv("DBUS_SYSTEM_BUS_ADDRESS", bus, 1);
            if (gone == "reader")
                dup2(stderrPipe[1], STDERR_FILENO);
            if (gone == "terminal" && setsid() > 0) {
                const int controlling = open(terminalName, O_RDWR);
                ioctl(controlling, TIOCSCTTY, 0);
                dup2(controlling, STDERR_FILENO);
            }
        });
    close(stderrPipe[1]);
    QTRY_VERIFY_WITH_TIMEOUT(box->received().size() == 6 * 2 + 2, 2000);
    if (gone == "terminal")
        terminal.hangUp();
    QTRY_COMPARE(box->received(), QByteArray::fromHex(QByteArray("0001").repeated(7) + "0002"));
    QCOMPARE(run.wait(2000), 0);
}

// The program's words and Qt's own, in the language that gettext's rule picks.
void tst_CommandLine::languageByGettextsRule_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("words"); // each between bars
    const QString english = "No port after --interface.\n\nUsage:|Shows these options.";
    QTest::newRow("German") << QStringList{} << "angegeben.\n\nAufruf:|Zeigt diese Optionen an.";
    QTest::newRow("C, whatever LANGUAGE says")
        << QStringList{"LC_MESSAGES=C", "LANGUAGE=de"} << english;
    QTest::newRow("English first") << QStringList{"LANGUAGE=en_US:de"} << english;
}

void tst_CommandLine::languageByGettextsRule()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, words);
    commandLineRun run({"--interface", ""}, "", [&] {
        for (const QString &setting : QStringList{"LC_ALL=", "LANG=de"} + environment)
            setenv(qPrintable(setting.section('=', 0, 0)), qPrintable(setting.section('=', 1)), 1);
    });
    run.wait();
    for (const QString &word : words.split('|'))
        QVERIFY2(run.said().contains(word), qPrintable(run.said()));
}

// Rows written through the store: each line read as a wildcard pattern, FILE standing for the
// update file and STATE for the XDG_STATE_HOME given to the command line.
void tst_CommandLine::historyAsScriptsReadIt_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("store"); // "rows", "none" or "blocked" by a file as its folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines");
    const QStringList history{"--history"};
    const QStringList usage{"", "Usage: *"};
    QTest::newRow("no store yet") << history << "none" << 0 << QStringList{""};
    QTest::newRow("oldest first")
        << history << "rows" << 0
        << QStringList{"* · Finished · FILE · Spot 2.4.0 · Tamsen\\x07 Spot 300 · ttyUSB0 (CP2102 "
                       "0001) · 5 of 5 lines · * · command line · Finished!"};
    QTest::newRow("json") << history + QStringList{"--json"} << "rows" << 0
                          << QStringList{
                                 "{\"application\":\"spot\",\"duration_ms\":*,\"ended\":\"20*Z\","
                                 "\"file\":\"FILE\",\"file_size\":5,\"fixture\":\"Spot 300\","
                                 "\"interface\":\"ttyUSB0\",\"lines_done\":5,\"lines_total\":5,"
                                 "\"message\":\"Finished!\",\"program_version\":\"1.0.1\","
                                 "\"result\":\"finished\",\"serial\":\"0001\",\"sha256\":\"ab12\","
                                 "\"source\":\"commandline\",\"started\":\"20*T*.*Z\","
                                 "\"vendor\":\"Tamsen\\u0007\",\"version\":\"2.4.0\"}",
                                 "*\"result\":\"failed\"*", "*\"result\":\"canceled\"*",
                                 "*\"ended\":null,*\"result\":\"running\"*"};
    QTest::newRow("store cannot be read")
        << history << "blocked" << 1
        << QStringList{"The update history in STATE/fixture-software-updater/history.sqlite "
                       "cannot be read: Not a directory"};
    QTest::newRow("with --send") << history + QStringList{"--send", "FILE"} << "none" << 2
                                 << QStringList{"--history cannot be combined with --send or "
                                                "--list-interfaces."} +
                                        usage;
    QTest::newRow("with --list-interfaces")
        << history + QStringList{"--list-interfaces"} << "none" << 2
        << QStringList{"--history cannot be combined *"} + usage;
}

void tst_CommandLine::historyAsScriptsReadIt()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, store);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    QTemporaryDir state;
    const QString file = writeFile("0 01\n");
    if (store == "rows") {
        historyStore writer(historyStore::access::write,
                            state.filePath("fixture-software-updater/history.sqlite"));
        historyRow row;
        row.source = historyRow::frontEnd::commandLine;
        row.file = file;
        row.sha256 = "ab12";
        row.fileSize = 5;
        row.header = {"spot", "Tamsen\x07", "Spot 300", "2.4.0"};
        row.port = "ttyUSB0";
        row.interfaceDescription = "CP2102";
        row.serialNumber = "0001";
        row.linesTotal = 5;
        const std::optional<qint64> finished = writer.begin(row), failed = writer.begin(row),
                                    canceled = writer.begin(row);
        QVERIFY(finished && failed && canceled && writer.begin(row) &&
                writer.recordLinesDone(*finished, 5) &&
                writer.end(*finished, historyRow::outcome::finished, "Finished!") &&
                writer.end(*failed, historyRow::outcome::failed, "") &&
                writer.end(*canceled, historyRow::outcome::canceled, ""));
    }
    if (store == "blocked")
        QVERIFY(QFile(state.filePath("fixture-software-updater")).open(QIODevice::WriteOnly));
    commandLineRun run(arguments.replaceInStrings("FILE", file), "",
                       [&] { setenv("XDG_STATE_HOME", qPrintable(state.path()), 1); });
    const int ended = run.wait();
    QVERIFY2(ended != -1 && WIFEXITED(ended), qPrintable(run.said()));
    QCOMPARE(WEXITSTATUS(ended), status);
    const QStringList said = run.said().split('\n');
    for (int index = 0; index < lines.size(); ++index) {
        const QString expected = lines[index].replace("FILE", file).replace("STATE", state.path());
        const QRegularExpression line(
            '^' + QRegularExpression::escape(expected).replace("\\*", ".*") + '$');
        QVERIFY2(line.match(said.value(index)).hasMatch(), qPrintable(said.value(index)));
    }
    QCOMPARE(QFileInfo::exists(state.filePath("fixture-software-updater")), store != "none");
}

// How each update ends, on stderr and as scripts read its history; a history that is damaged or
// cannot be made never stops the update. The file's medium goes away once its first 54 lines
// have gone out, or before anything is sent: nothing more reaches the line.
void tst_CommandLine::howAnUpdateEnds_data()
{
    QTest::addColumn<QString>("store"); // "", "damaged", or "blocked" by a file as its folder
    QTest::addColumn<QString>("strike");
    QTest::addColumn<int>("status"); // the update's wait status
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message"); // the last line, and the history's
    const auto row = [](const char *name, const char *store, const char *strike, int status,
                        const char *result, const char *message) {
        QTest::newRow(name) << QString(store) << QString(strike) << status << QString(result)
                            << QString(message);
    };
    const char *unreadable = "Couldn't read update file FILE: Input/output error";
    row("finished", "", "", 0, "finished", "Finished!");
    row("canceled", "", "SIGINT", SIGINT, "canceled", "Canceled!");
    row("killed", "", "SIGKILL", SIGKILL, "interrupted", "");
    row("a port that is not there", "", "no port", 1 << 8, "failed",
        "Serialport Error: DeviceNotFoundError");
    row("a file that stops being readable", "", "reads fail later", 1 << 8, "failed", unreadable);
    row("a file that cannot be read through", "", "reads fail", 1 << 8, "", unreadable);
    row("over a damaged store", "damaged", "", 0, "finished", "Finished!");
    row("without a store", "blocked", "", 0, "", "Finished!");
}

void tst_CommandLine::howAnUpdateEnds()
{
    QFETCH(QString, store);
    QFETCH(QString, strike);
    QFETCH(int, status);
    QFETCH(QString, result);
    QFETCH(QString, message);
    QTemporaryDir state;
    const QString folder = state.filePath("fixture-software-updater");
    const QByteArray damage(8192, 'x');
    const auto put = [](const QString &path, const QByteArray &bytes) {
        QFile kept(path);
        return kept.open(QIODevice::WriteOnly) && kept.write(bytes) == bytes.size();
    };
    QVERIFY(store != "damaged" ||
            (QDir().mkpath(folder) && put(folder + "/history.sqlite", damage)));
    QVERIFY(store != "blocked" || put(folder, ""));
    const QByteArray content =
        strike.startsWith("reads")
            ? ("0" + QByteArray(" 0A").repeated(100) + "\n").repeated(4000)
            : QByteArray(strike.startsWith("SIG") ? "0 01\n600000 01\n0 02\n" : "0 01\n0 02\n");
    const QString file = writeFile(content);
    const QByteArray failAfter =
        QByteArray::number(strike == "reads fail later" ? content.size() + 1 : 1);
    commandLineRun update(
        QStringList{"--send", file} +
            (strike == "no port" ? QStringList{"--interface", "/dev/ttyNoSuch"} : QStringList()),
        QString("BOX:Silicon Labs:7").replace("BOX", box->portName()), [&] {
            setenv("XDG_STATE_HOME", qPrintable(state.path()), 1);
            setenv("FAIL_READS_OF", qPrintable(strike.startsWith("reads") ? file : ""), 1);
            setenv("FAIL_READS_AFTER", failAfter, 1);
        });
    if (strike.startsWith("SIG")) {
        QTRY_COMPARE(box->received().size(), 14);
        kill(update.pid, strike == "SIGINT" ? SIGINT : SIGKILL);
    }
    QCOMPARE(update.wait(), status);
    message.replace("FILE", file);
    QVERIFY2(update.said().endsWith(message + "\n"), qPrintable(update.said()));
    QCOMPARE(update.said().contains(store == "damaged"   ? "was damaged; it is kept as"
                                    : store == "blocked" ? "history cannot be kept"
                                                         : "The update history"),
             !store.isEmpty());
    QTest::qWait(100);
    QVERIFY(box->received().size() < 16 * 1024);
    QCOMPARE(box->received().isEmpty(), strike == "no port" || strike == "reads fail");
    commandLineRun history({"--history", "--json"}, "",
                           [&] { setenv("XDG_STATE_HOME", qPrintable(state.path()), 1); });
    QCOMPARE(history.wait(), store == "blocked" ? 1 << 8 : 0);
    const QJsonObject row = QJsonDocument::fromJson(history.said().toUtf8()).object();
    QCOMPARE((QStringList{row.value("result").toString(), row.value("message").toString()}),
             (QStringList{result, result.isEmpty() || strike == "SIGKILL" ? "" : message}));
    if (!result.isEmpty() && strike != "no port")
        QCOMPARE((QStringList{row.value("file").toString(), row.value("sha256").toString(),
                              row.value("interface").toString(), row.value("serial").toString()}),
                 (QStringList{file,
                              QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex(),
                              box->portName(), "7"}));
    const QStringList kept = QDir(folder).entryList({"history.sqlite.damaged-*"});
    QFile damaged(folder + '/' + kept.value(0));
    QVERIFY(store != "damaged" ||
            (kept.size() == 1 && damaged.open(QIODevice::ReadOnly) && damaged.readAll() == damage));
}

// Both rows are whole, and the history can be read meanwhile.
void tst_CommandLine::twoUpdatesAtOnceWhileTheHistoryIsRead()
{
    pseudoTerminal other;
    const QString file = writeFile(QByteArray("100 01\n").repeated(10));
    QTemporaryDir state;
    const auto inState = [&] {
        setenv("XDG_STATE_HOME", qPrintable(state.path()), 1);
    };
    commandLineRun first({"--send", file, "--interface", box->portName()}, "", inState),
        second({"--send", file, "--interface", other.portName()}, "", inState);
    for (int read = 0; read < 5; ++read) {
        commandLineRun history({"--history", "--json"}, "", inState);
        QCOMPARE(history.wait(), 0);
    }
    QCOMPARE(first.wait() | second.wait(), 0);
    commandLineRun history({"--history", "--json"}, "", inState);
    QCOMPARE(history.wait(), 0);
    QCOMPARE(history.said().count("\"lines_done\":10,\"lines_total\":10,\"message\":\"Finished!\""),
             2);
}

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--as-command-line") == 0) {
        QList<interfacePort> ports;
        for (const QString &port : QString(argv[2]).split(',', Qt::SkipEmptyParts))
            ports << interfacePort{port.section(':', 0, 0), "", port.section(':', 1, 1),
                                   port.section(':', 2, 2)};
        systemCallRecorder::failReads(qgetenv("FAIL_READS_OF"),
                                      qgetenv("FAIL_READS_AFTER").toLongLong());
        argv[2] = argv[0];
        return commandLine::run(argc - 2, argv + 2, [ports] { return ports; });
    }
    QCoreApplication application(argc, argv);
    tst_CommandLine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commandline.moc"
