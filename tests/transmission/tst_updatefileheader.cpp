#include "updatefileheader.h"

#include <QBuffer>
#include <QtTest>

class tst_UpdateFileHeader : public QObject
{
    Q_OBJECT

private slots:
    void header_data();
    void header();
};

void tst_UpdateFileHeader::header_data()
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
    QTest::newRow("last line without line end keeps its last character")
        << QByteArray("#app\n#Vendor\n#Fixture\n#v1.04")
        << QStringList{"app", "Vendor", "Fixture", "v1.04"} << true;
    QTest::newRow("one-character last line")
        << QByteArray("#app\n#V\n#F\n#3") << QStringList{"app", "V", "F", "3"} << true;
    QTest::newRow("three lines") << QByteArray("#app\n#Vendor\n#Fixture\n10 01\n")
                                 << QStringList{"app", "Vendor", "Fixture", ""} << false;
    // A value left empty still consumes its line, so the next value starts on the following one.
    QTest::newRow("hash alone") << QByteArray("#\n#Vendor\n#Fixture\n#v1\n")
                                << QStringList{"", "Vendor", "Fixture", "v1"} << false;
    // Each missing value eats one byte of the data line.
    QTest::newRow("data on second line")
        << QByteArray("#app\n10 01 02\n#x\n") << QStringList{"app", "", "", ""} << false;
    QTest::newRow("UTF-8 text") << QByteArray("#Lüfter\n#Ångström\n#Façade\n#v1\n")
                                << QStringList{"Lüfter", "Ångström", "Façade", "v1"} << true;
    QTest::newRow("invalid UTF-8 is replaced, not rejected")
        << QByteArray("#\xff\xfe"
                      "app\n#Vendor\n#Fixture\n#v1\n")
        << QStringList{QString::fromUtf8("\uFFFD\uFFFDapp"), "Vendor", "Fixture", "v1"} << true;
    QTest::newRow("NUL bytes are kept")
        << QByteArray("#a\0b\n#V\n#F\n#v\n", 15)
        << QStringList{QString::fromUtf8("a\0b", 3), "V", "F", "v"} << true;
    QTest::newRow("10 MB first line") << (QByteArray("#") + QByteArray(10 * 1024 * 1024, 'a'))
                                      << QStringList{QString(511, 'a'), "", "", ""} << false;
    QTest::newRow("empty file") << QByteArray() << QStringList{"", "", "", ""} << false;
    QTest::newRow("long line is cut and spills into the next value")
        << (QByteArray("#") + QByteArray(600, 'a') + "\n#V\n#F\n#v\n")
        << QStringList{QString(511, 'a'), "", "", ""} << false;
}

void tst_UpdateFileHeader::header()
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

QTEST_APPLESS_MAIN(tst_UpdateFileHeader)
#include "tst_updatefileheader.moc"
