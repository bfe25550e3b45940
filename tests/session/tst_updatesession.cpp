#include "busmock.h"
#include "porterrormessage.h"
#include "pseudoterminal.h"
#include "systemcallrecorder.h"
#include "updatesession.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using systemCallRecorder::writes;

// Update sessions on a pseudo-terminal standing in for the interface box, its system calls
// recorded, with logind and UPower from python-dbusmock.
class tst_UpdateSession : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        box = std::make_unique<pseudoTerminal>();
        systemCallRecorder::watch(box->device());
    }
    void cleanup() { systemCallRecorder::stopWatching(); }
    void progressAndTimeLeft();
    void portErrorText();
    void oneEndingAtEveryStep_data();
    void oneEndingAtEveryStep();

private:
    QString writeFile(const QByteArray &content)
    {
        QFile file(folder.filePath("update.dmx"));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }

    interfacePort boxPort() const { return {box->portName(), {}, {}, {}}; }

    QTemporaryDir folder;
    std::unique_ptr<pseudoTerminal> box;
};

// A line counts once its hold is over; in the hold, the time left counts down every second.
void tst_UpdateSession::progressAndTimeLeft()
{
    updateSession session(boxPort(), writeFile("0 01\n1500 01\n0 01\n#end\n"),
                          historyRow::frontEnd::window);
    QSignalSpy progressed(&session, &updateSession::progressed);
    QSignalSpy finished(&session, &updateSession::finished);
    session.start();
    QTRY_COMPARE(session.linesDone(), 1);
    QCOMPARE(session.lineCount(), 4);
    QCOMPARE(session.percent(), 25);
    const qint64 left = session.nanosecondsLeft();
    const int reports = progressed.count();
    QTest::qWait(1100);
    QVERIFY(left > 1400000000 && session.nanosecondsLeft() <= left - 1000000000);
    QVERIFY(progressed.count() > reports);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE((QList<qint64>{session.linesDone(), session.percent(), session.nanosecondsLeft()}),
             (QList<qint64>{4, 100, 0}));
}

// One known code, one without a text of its own, and the code for no error, which is ignored.
void tst_UpdateSession::portErrorText()
{
    QCOMPARE(portErrorMessage(1), QString("Serialport Error: DeviceNotFoundError"));
    QCOMPARE(portErrorMessage(14), QString("Serialport Error: 14"));
    QCOMPARE(portErrorMessage(0), QString());
}

void tst_UpdateSession::oneEndingAtEveryStep_data()
{
    QTest::addColumn<QString>("upower"); // "absent", "hung", or a battery too "low"
    QTest::addColumn<QString>("strike"); // what happens, and when
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("frames"); // -1: any
    const auto row = [](const char *name, const char *upower, const char *strike,
                        const char *ending, int frames) {
        QTest::newRow(name) << QString(upower) << QString(strike) << QString(ending) << frames;
    };
    row("canceled while a long file is read", "absent", "cancel reading", "before sending", 0);
    row("canceled during the power check", "hung", "cancel checking", "before sending", 0);
    row("canceled at the question", "low", "cancel asked", "before sending", 0);
    row("canceled in a hold", "absent", "cancel hold", "canceled", 7);
    row("unplugged", "absent", "hang up", "Serialport Error: ResourceError: Device Unavailable",
        -1);
    row("finished", "absent", "", "finished", 6);
}

// Whatever happens, the session reports its end once. Before the worker is made, it opens no
// port and takes no inhibitor, and a power answer that comes later starts nothing; from the
// first frame to the end the computer is kept awake.
void tst_UpdateSession::oneEndingAtEveryStep()
{
    QFETCH(QString, upower);
    QFETCH(QString, strike);
    QFETCH(QString, ending);
    QFETCH(int, frames);
    busMock power("upower", R"({"OnBattery": true})"), logind("logind");
    QVERIFY2(power.serve(upower == "low" ? "" : upower) && logind.serve(""),
             qPrintable(power.error() + logind.error()));
    if (upower == "low")
        power.control("SetupDisplayDevice", {2u, 2u, 8., 4., 0., 12., 300LL, 0LL, true, "", 1u});
    const auto held = [&logind] {
        return logind.call("", "ListInhibitors").toList().size();
    };
    const QByteArray content = strike == "cancel reading" ? QByteArray(10000000, '\n')
                               : strike == "hang up"      ? QByteArray("150 0A 0B\n").repeated(20)
                               : strike.isEmpty()         ? QByteArray("0 01\n")
                                                          : QByteArray("0 01\n600000 01\n0 01\n");
    updateSession session(boxPort(), writeFile(content), historyRow::frontEnd::window);
    QStringList ended;
    connect(&session, &updateSession::finished, [&] { ended << "finished"; });
    connect(&session, &updateSession::canceled, [&] { ended << "canceled"; });
    connect(&session, &updateSession::canceledBeforeSending, [&] { ended << "before sending"; });
    connect(&session, &updateSession::failed, [&](const QString &message) { ended << message; });
    connect(&session, &updateSession::fileChecked, [&] {
        if (strike == "cancel checking")
            session.cancel();
    });
    connect(&session, &updateSession::question, [&] {
        if (strike == "cancel asked")
            session.cancel();
    });
    session.start();
    if (strike == "cancel reading") {
        QTest::qWait(200);
        session.cancel();
    } else if (strike.endsWith("hold") || strike == "hang up") {
        QTRY_VERIFY(writes().size() >= 7);
        QTRY_COMPARE(held(), 1);
        strike == "cancel hold" ? session.cancel() : box->hangUp();
    }
    QTRY_VERIFY(!ended.isEmpty());
    QTest::qWait(frames == 0 ? 1500 : 100); // past the power check's answer
    QCOMPARE(ended, QStringList{ending});
    if (frames == 0)
        QVERIFY(systemCallRecorder::events().isEmpty() && logind.callCount("Inhibit") == 0);
    if (frames >= 0)
        QCOMPARE(writes().size(), frames);
    QTRY_COMPARE(held(), 0);
}

QTEST_GUILESS_MAIN(tst_UpdateSession)
#include "tst_updatesession.moc"
