#include "updatefileline.h"

#include <QBuffer>
#include <QtTest>

class tst_UpdateFileLine : public QObject
{
    Q_OBJECT

private slots:
    void dataLines_data();
    void dataLines();
    void commentOnlyWhenTheVeryFirstByteIsHash();
    void lineEndsDoNotChangeFrames();
};

void tst_UpdateFileLine::dataLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<quint32>("holdTime");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("plain") << QByteArray("25 00 FF 10\n") << 25u << QByteArray("\x00\xFF\x10", 3);
    QTest::newRow("trailing blank adds 0x00")
        << QByteArray("25 00 FF 10 \n") << 25u << QByteArray("\x00\xFF\x10\x00", 4);
    QTest::newRow("two blanks add 0x00")
        << QByteArray("25 00  FF\n") << 25u << QByteArray("\x00\x00\xFF", 3);
    QTest::newRow("hold only") << QByteArray("25\n") << 25u << QByteArray();
    QTest::newRow("empty line") << QByteArray("\n") << 0u << QByteArray();
    QTest::newRow("last line without line end") << QByteArray("7 0A") << 7u << QByteArray("\x0A");
    QTest::newRow("blank then hash is data")
        << QByteArray(" #1 02\n") << 0u << QByteArray("\x00\x02", 2);
    QTest::newRow("spellings of 0xFF")
        << QByteArray("1 ff FF 0xFF 0XFF 1FF -1 +FF\n") << 1u << QByteArray(7, '\xFF');
    QTest::newRow("not a byte gives 0x00")
        << QByteArray("1 8000 zz 1G 0x\n") << 1u << QByteArray(4, '\0');
    QTest::newRow("tab does not separate")
        << QByteArray("1 0A\t0B 0C\n") << 1u << QByteArray("\x00\x0C", 2);
    QTest::newRow("largest hold") << QByteArray("4294967295 01\n") << 4294967295u
                                  << QByteArray("\x01");
    QTest::newRow("hold out of range") << QByteArray("4294967296 01\n") << 0u << QByteArray("\x01");
    QTest::newRow("negative hold") << QByteArray("-5 01\n") << 0u << QByteArray("\x01");
    QTest::newRow("hold with plus sign") << QByteArray("+5\n") << 5u << QByteArray();
    QTest::newRow("hold not a number") << QByteArray("x5 01\n") << 0u << QByteArray("\x01");
    QTest::newRow("512 data bytes") << (QByteArray("2") + QByteArray(" 5A").repeated(512) + "\n")
                                    << 2u << QByteArray(512, '\x5A');
}

void tst_UpdateFileLine::dataLines()
{
    QFETCH(QByteArray, line);
    QFETCH(quint32, holdTime);
    QFETCH(QByteArray, data);
    const updateFileLine parsed = updateFileLine::fromLine(line);
    QVERIFY(!parsed.isComment);
    QCOMPARE(parsed.frameHoldTime, holdTime);
    QCOMPARE(parsed.frameData.toHex(' '), data.toHex(' '));
}

void tst_UpdateFileLine::commentOnlyWhenTheVeryFirstByteIsHash()
{
    for (const QByteArray line : {"#application\n", "#", "# 25 00 FF\n", "#\n"}) {
        const updateFileLine parsed = updateFileLine::fromLine(line);
        QVERIFY2(parsed.isComment, line.constData());
        QVERIFY(parsed.frameData.isEmpty());
    }
}

// The worker reads in text mode, so CR LF, LF and a missing last line end give the same frames.
void tst_UpdateFileLine::lineEndsDoNotChangeFrames()
{
    const auto framesOf = [](const QByteArray &content) {
        QBuffer file;
        file.setData(content);
        file.open(QIODevice::ReadOnly | QIODevice::Text);
        QList<QPair<quint32, QByteArray>> frames;
        while (!file.atEnd()) {
            const updateFileLine line = updateFileLine::fromLine(file.readLine());
            if (!line.isComment)
                frames.append({line.frameHoldTime, line.frameData});
        }
        return frames;
    };
    const auto lf = framesOf("#a\n10 01 02\n\n20 FF 03 \n");
    QCOMPARE(lf.size(), 3);
    QCOMPARE(framesOf("#a\r\n10 01 02\r\n\r\n20 FF 03 \r\n"), lf);
    QCOMPARE(framesOf("#a\n10 01 02\n\n20 FF 03 "), lf);
}

QTEST_APPLESS_MAIN(tst_UpdateFileLine)
#include "tst_updatefileline.moc"
