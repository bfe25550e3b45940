#include "powerwarning.h"
#include "updateduration.h"

#include <QTemporaryFile>
#include <QtTest>

class tst_UpdateDuration : public QObject
{
    Q_OBJECT

private slots:
    void duration();
    void durationText_data();
    void durationText();
};

// Six frames of 2 data bytes take 6 × (600 µs + 3 × 44 µs), then the hold of 10 ms; the same
// length again goes out once; a new length six times. The model reads files as the worker does.
void tst_UpdateDuration::duration()
{
    QTemporaryFile file;
    const auto read = [&file](const QByteArray &content) {
        file.open() && file.resize(0) && file.write(content) && file.flush();
        return updateDuration::of(file.fileName());
    };
    const QByteArray content("#h\n10 01 02\n10 01 02\n5 01\n");
    const updateDuration duration = read(content);
    const qint64 lastTwo = (732000 + 10000000) + (6 * 688000 + 5000000);
    QCOMPARE(duration.totalNanoseconds(), 6 * 732000 + 10000000 + lastTwo);
    QCOMPARE(duration.remainingAfter(2), lastTwo);
    QCOMPARE(duration.timeLeft(2, 3600000000000), duration.remainingAfter(3)); // an hour later
    QVERIFY(duration.isKnown() && !updateDuration::of(file.fileName() + "x").isKnown());
    QVERIFY(!updateDuration::of(file.fileName(), std::atomic<bool>(true)).isKnown()); // stopped
    QCOMPARE(read("\xEF\xBB\xBF" + content).totalNanoseconds(), duration.totalNanoseconds());
    const qint64 largest = read(QByteArray("4294967295 01\n").repeated(3000)).totalNanoseconds();
    QVERIFY(powerWarning({true, 3600, 50}, largest).contains("takes about 106752 days"));
    const qint64 lines = 4 * 1024 * 1024 + 2; // beyond the exact times: one for two lines
    QCOMPARE(read(QByteArray(lines, '\n')).remainingAfter(3), (lines - 2) * 644000);
}

void tst_UpdateDuration::durationText_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("3 s") << qint64(3) << "10 s";
    QTest::newRow("55 s") << qint64(55) << "1 min";
    QTest::newRow("6 min 10 s") << qint64(370) << "6 min";
    QTest::newRow("119 min") << qint64(119 * 60) << "119 min";
    QTest::newRow("47 h") << qint64(47 * 3600) << "47 h";
    QTest::newRow("the longest hold") << qint64(4294967) << "50 days";
}

void tst_UpdateDuration::durationText()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(updateDuration::text(seconds * 1000000000), text);
}

QTEST_APPLESS_MAIN(tst_UpdateDuration)
#include "tst_updateduration.moc"
