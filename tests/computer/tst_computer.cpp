#include "busmock.h"
#include "powercheck.h"
#include "sleepinhibitor.h"

#include <QtTest>

// logind and UPower are python-dbusmock's, on the private bus that ctest starts.
class tst_Computer : public QObject
{
    Q_OBJECT

private slots:
    void inhibitor_data()
    {
        QTest::addColumn<QString>("logind");
        QTest::addColumn<bool>("releaseAtOnce");
        QTest::addColumn<QString>("granted");
        QTest::newRow("granted") << "" << false
                                 << "shutdown:sleep:idle:handle-power-key:handle-suspend-key:"
                                    "handle-hibernate-key:handle-lid-switch";
        QTest::newRow("released before the answer") << "" << true << "";
        QTest::newRow("full set refused")
            << "refuses if args[0] != 'sleep:idle'" << false << "sleep:idle";
        QTest::newRow("both refused") << "refuses if True" << false << "";
        QTest::newRow("no logind") << "absent" << false << "";
        QTest::newRow("logind hangs") << "hung" << false << "";
    }
    void inhibitor()
    {
        QFETCH(QString, logind);
        QFETCH(bool, releaseAtOnce);
        QFETCH(QString, granted);
        busMock mock("logind");
        QVERIFY2(mock.serve(logind), qPrintable(mock.error()));
        if (logind.startsWith("refuses if "))
            mock.refuse("Inhibit", "ssss", "h", logind.mid(11));
        sleepInhibitor inhibitor;
        QSignalSpy unavailable(&inhibitor, &sleepInhibitor::unavailable);
        inhibitor.hold();
        inhibitor.hold(); // while logind has not answered yet
        if (releaseAtOnce)
            inhibitor.release();
        QTRY_VERIFY(inhibitor.isHeld() || unavailable.count() ||
                    (releaseAtOnce && mock.callCount("Inhibit") > 0));
        if (!granted.isEmpty()) {
            QCOMPARE(mock.call("", "ListInhibitors").toList().value(0).toStringList().mid(0, 4),
                     (QStringList{granted, "Corvanel Firmware Updater",
                                  "Fixture firmware update in progress", "block"}));
            inhibitor.release();
        }
        QVERIFY(!inhibitor.isHeld());
        if (logind != "hung")
            QTRY_VERIFY(mock.call("", "ListInhibitors").toList().isEmpty());
        QCOMPARE(unavailable.count(), granted.isEmpty() && !releaseAtOnce ? 1 : 0);
    }

    void power_data()
    {
        // UPower ("" on battery); its percentage, energy, rate, time to empty; a 10-minute update.
        QTest::addColumn<QString>("upower");
        QTest::addColumn<QVariantList>("device");
        QTest::addColumn<qint64>("secondsLeft");
        QTest::addColumn<bool>("tooShort");
        QTest::newRow("8 %, 5 min") << "" << QVariantList{8., 4., 12., 300LL} << 300LL << true;
        QTest::newRow("mains") << "mains" << QVariantList{8., 4., 12., 300LL} << 300LL << false;
        QTest::newRow("inside margin") << "" << QVariantList{50., 0., 0., 1100LL} << 1100LL << true;
        QTest::newRow("ample, 5 %") << "" << QVariantList{5., 0., 0., 1300LL} << 1300LL << false;
        QTest::newRow("energy, 15 %") << "" << QVariantList{15., 30., 20., 0LL} << 5400LL << false;
        QTest::newRow("only 15 %") << "" << QVariantList{15., 0., 0., 0LL} << -1LL << true;
        QTest::newRow("no UPower") << "absent" << QVariantList{} << -1LL << false;
        QTest::newRow("UPower hangs") << "hung" << QVariantList{} << -1LL << false;
    }
    void power()
    {
        QFETCH(QString, upower);
        QFETCH(QVariantList, device);
        QFETCH(qint64, secondsLeft);
        QFETCH(bool, tooShort);
        busMock mock("upower", upower == "mains" ? "{}" : R"({"OnBattery": true})");
        QVERIFY2(mock.serve(upower), qPrintable(mock.error()));
        if (!device.isEmpty())
            mock.control("SetupDisplayDevice", {2u, 2u, device[0], device[1], 0., device[2],
                                                device[3], 0LL, true, "", 1u});
        powerCheck check;
        QSignalSpy answered(&check, &powerCheck::answered);
        check.ask();
        QTRY_COMPARE(answered.count(), 1);
        const auto state = answered.at(0).at(0).value<powerState>();
        QCOMPARE((QVariantList{state.onBattery, state.percentage, state.secondsLeft,
                               powerTooShort(state, 10 * 60 * 1000)}),
                 (QVariantList{upower.isEmpty(), device.value(0, -1.), secondsLeft, tooShort}));
    }
};

QTEST_GUILESS_MAIN(tst_Computer)
#include "tst_computer.moc"
