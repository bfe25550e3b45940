#include "powerwarning.h"
#include "updatefileheader.h"
#include "updatefileline.h"
#include "updatefilereading.h"

#include <QBuffer>
#include <QTemporaryFile>
#include <QtTest>

// Update files as they come from the field: existing files depend on every quirk below.
class tst_UpdateFile : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void header_data();
    void header();
    void duration();
    void linesThatAreNotFrameData_data();
    void linesThatAreNotFrameData();
    void durationText_data();
    void durationText();
};

void tst_UpdateFile::lines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("comment");
    QTest::addColumn<quint32>("holdTime");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("plain") << QByteArray("25 00 FF 10\n") << false << 25u
                           << QByteArray("\x00\xFF\x10", 3);
    QTest::newRow("trailing blank adds 0x00")
        << QByteArray("25 00 FF 10 \n") << false << 25u << QByteArray("\x00\xFF\x10\x00", 4);
    QTest::newRow("two blanks add 0x00")
        << QByteArray("25 00  FF\n") << false << 25u << QByteArray("\x00\x00\xFF", 3);
    QTest::newRow("hold only") << QByteArray("25\n") << false << 25u << QByteArray();
    QTest::newRow("empty line") << QByteArray("\n") << false << 0u << QByteArray();
    QTest::newRow("last line without line end")
        << QByteArray("7 0A") << false << 7u << QByteArray("\x0A");
    QTest::newRow("blank then hash is data")
        << QByteArray(" #1 02\n") << false << 0u << QByteArray("\x00\x02", 2);
    QTest::newRow("spellings of 0xFF")
        << QByteArray("1 ff FF 0xFF 0XFF 1FF -1 +FF\n") << false << 1u << QByteArray(7, '\xFF');
    QTest::newRow("not a byte gives 0x00")
        << QByteArray("1 8000 zz 1G 0x\n") << false << 1u << QByteArray(4, '\0');
    QTest::newRow("tab does not separate")
        << QByteArray("1 0A\t0B 0C\n") << false << 1u << QByteArray("\x00\x0C", 2);
    QTest::newRow("largest hold") << QByteArray("4294967295 01\n") << false << 4294967295u
                                  << QByteArray("\x01");
    QTest::newRow("hold out of range") << QByteArray("4294967296\n") << false << 0u << QByteArray();
    QTest::newRow("negative hold") << QByteArray("-5\n") << false << 0u << QByteArray();
    QTest::newRow("hold with plus sign") << QByteArray("+5\n") << false << 5u << QByteArray();
    QTest::newRow("hold not a number")
        << QByteArray("x5 01\n") << false << 0u << QByteArray("\x01");
    QTest::newRow("comment") << QByteArray("#application\n") << true << 0u << QByteArray();
    QTest::newRow("comment holding a frame")
        << QByteArray("# 25 00 FF\n") << true << 0u << QByteArray();
    QTest::newRow("hash alone, no line end") << QByteArray("#") << true << 0u << QByteArray();
}

void tst_UpdateFile::lines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, comment);
    QFETCH(quint32, holdTime);
    QFETCH(QByteArray, data);
    const updateFileLine parsed = updateFileLine::fromLine(line);
    QCOMPARE(parsed.isComment, comment);
    QCOMPARE(parsed.frameHoldTime, holdTime);
    QCOMPARE(parsed.frameData.toHex(' '), data.toHex(' '));
}

void tst_UpdateFile::header_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("complete");
    QTest::newRow("complete") << QByteArray("#application\n#Vendor\n#Fixture\n#v1.04\n10 01\n")
                              << QStringList{"application", "Vendor", "Fixture", "v1.04"} << true;
    QTest::newRow("CR LF read as LF")
        << QByteArray("#application\r\n#Vendor\r\n#Fixture\r\n#v1.04\r\n")
        << QStringList{"application", "Vendor", "Fixture", "v1.04"} << true;
    QTest::newRow("blank after hash is kept")
        << QByteArray("# app\n# Vendor\n# Fixture\n# v2\n")
        << QStringList{" app", " Vendor", " Fixture", " v2"} << true;
    QTest::newRow("one-character last line without line end")
        << QByteArray("#app\n#V\n#F\n#3") << QStringList{"app", "V", "F", "3"} << true;
    QTest::newRow("three lines") << QByteArray("#app\n#Vendor\n#Fixture\n10 01\n")
                                 << QStringList{"app", "Vendor", "Fixture", ""} << false;
    // A value left empty still consumes its line, so the next value starts on the following one.
    QTest::newRow("hash alone") << QByteArray("#\n#Vendor\n#Fixture\n#v1\n")
                                << QStringList{"", "Vendor", "Fixture", "v1"} << false;
    // Each missing value eats one byte of the data line.
    QTest::newRow("data on second line")
        << QByteArray("#app\n10 01 02\n#x\n") << QStringList{"app", "", "", ""} << false;
    QTest::newRow("UTF-8, invalid bytes replaced, NUL kept")
        << QByteArray("#L\xc3\xbc\n#\xff\n#a\0b\n#v1\n", 17)
        << QStringList{QString::fromUtf8("Lü"), QString(QChar::ReplacementCharacter),
                       QString::fromUtf8("a\0b", 3), "v1"}
        << true;
    QTest::newRow("long line is cut and spills into the next value")
        << (QByteArray("#") + QByteArray(600, 'a') + "\n#V\n#F\n#v\n")
        << QStringList{QString(511, 'a'), "", "", ""} << false;
    QTest::newRow("empty file") << QByteArray() << QStringList{"", "", "", ""} << false;
    QTest::newRow("byte-order mark at the start") << QByteArray("\xEF\xBB\xBF#app\n#V\n#F\n#v1\n")
                                                  << QStringList{"app", "V", "F", "v1"} << true;
    // Anywhere else each of its bytes is a line's first byte, which is not #.
    QTest::newRow("byte-order mark on the second line")
        << QByteArray("#app\n\xEF\xBB\xBF#V\n#F\n#v1\n") << QStringList{"app", "", "", ""} << false;
}

void tst_UpdateFile::header()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, values);
    QFETCH(bool, complete);
    QBuffer file;
    file.setData(content);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const updateFileHeader header = updateFileHeader::read(file);
    QCOMPARE((QStringList{header.applicationName, header.vendorName, header.fixtureName,
                          header.applicationVersion}),
             values);
    QCOMPARE(header.isComplete(), complete);
}

// Six frames of 2 data bytes take 6 × (600 µs + 3 × 44 µs), then the hold of 10 ms; the same
// length again goes out once; a new length six times. The model reads files as the worker does.
void tst_UpdateFile::duration()
{
    QTemporaryFile file;
    const auto read = [&file](const QByteArray &content) {
        file.open() && file.resize(0) && file.write(content) && file.flush();
        return updateFileReading::of(file.fileName()).duration();
    };
    const QByteArray content("#h\n10 01 02\n10 01 02\n5 01\n");
    const updateDuration duration = read(content);
    const qint64 lastTwo = (732000 + 10000000) + (6 * 688000 + 5000000);
    QCOMPARE(duration.totalNanoseconds(), 6 * 732000 + 10000000 + lastTwo);
    QCOMPARE(duration.remainingAfter(2), lastTwo);
    QCOMPARE(duration.timeLeft(2, 3600000000000), duration.remainingAfter(3)); // an hour later
    QVERIFY(duration.isKnown());
    QVERIFY(!updateFileReading::of(file.fileName() + "x").duration().isKnown());
    QVERIFY(!updateFileReading::of(file.fileName(), std::atomic<bool>(true)).isComplete());
    QCOMPARE(read("\xEF\xBB\xBF" + content).totalNanoseconds(), duration.totalNanoseconds());
    const qint64 largest = read(QByteArray("4294967295 01\n").repeated(3000)).totalNanoseconds();
    QVERIFY(powerWarning({true, 3600, 50}, largest).contains("takes about 106752 days"));
    const qint64 lines = 4 * 1024 * 1024 + 2; // beyond the exact times: one for two lines
    QCOMPARE(read(QByteArray(lines, '\n')).remainingAfter(3), (lines - 2) * 644000);
}

void tst_UpdateFile::linesThatAreNotFrameData_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("first"); // the line's number, comments and the header counted
    QTest::newRow("the format's quirks")
        << QByteArray("#h\n0 01  02 \r\n\n+25 0xFF -0x1 1FF -1 -8000 ff\n25\n7 0A") << 0LL << 0LL;
    QTest::newRow("comments hold anything")
        << QByteArray("#zz 8000\n# \t<b>\n0 01\n") << 0LL << 0LL;
    QTest::newRow("holds of -5 and 0x10") << QByteArray("0 01\n-5 01\n0x10 01\n") << 2LL << 2LL;
    QTest::newRow("bytes out of range or not hex")
        << QByteArray("#h\n0 8000\n0 -8001\n0 0x\n0 zz\n0 7FFF -7FFF\n") << 4LL << 2LL;
    QTest::newRow("fields joined by tabs") << QByteArray("0 01\t02\n") << 1LL << 1LL;
    QTest::newRow("a web page") << QByteArray("<!DOCTYPE html>\n<html>\n<p>a b</p>\n</html>\n")
                                << 4LL << 1LL;
}

// One reading counts them; its SHA-256 is the one sha256sum gives for the raw bytes, whatever the
// line reader skips.
void tst_UpdateFile::linesThatAreNotFrameData()
{
    QFETCH(QByteArray, content);
    QFETCH(qint64, count);
    QFETCH(qint64, first);
    QTemporaryFile file;
    QVERIFY(file.open() && file.write("\xEF\xBB\xBF#a\r\n0 01\r\n") && file.flush());
    QCOMPARE(updateFileReading::of(file.fileName()).sha256(),
             QByteArray("c6a035d087420561c8d166a34151e2e64687b1b020ad18111b68480c64ffa024"));
    QVERIFY(file.resize(0) && file.write(content) && file.flush());
    const updateFileReading reading = updateFileReading::of(file.fileName());
    QCOMPARE(reading.doubtfulLines(), count);
    QCOMPARE(reading.firstDoubtfulLine(), first);
}

void tst_UpdateFile::durationText_data()
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

void tst_UpdateFile::durationText()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(updateDuration::text(seconds * 1000000000), text);
}

QTEST_APPLESS_MAIN(tst_UpdateFile)
#include "tst_updatefile.moc"
