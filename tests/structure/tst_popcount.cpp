// The build counts bits with the processor's own instruction where the target has one, and
// the count is the same either way.
#include "graph/Adjacency.h"

#include <QtTest>

class TestPopcount : public QObject
{
    Q_OBJECT
private slots:
    void hardwareInstructionOnX86_64();
    void countsBits_data();
    void countsBits();
};

void TestPopcount::hardwareInstructionOnX86_64()
{
#if defined(__x86_64__) && !defined(__POPCNT__)
    QFAIL("an x86-64 build without -mpopcnt: every bit count calls the software routine");
#elif defined(__x86_64__)
    QVERIFY(true);
#else
    QSKIP("not an x86-64 target: the compiler's default population count is used");
#endif
}

void TestPopcount::countsBits_data()
{
    QTest::addColumn<quint32>("set");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << quint32(0) << 0;
    QTest::newRow("lowest") << quint32(1) << 1;
    QTest::newRow("highest") << quint32(0x80000000u) << 1;
    QTest::newRow("full") << quint32(0xffffffffu) << 32;
    QTest::newRow("alternate") << quint32(0xaaaaaaaau) << 16;
    QTest::newRow("low 31") << quint32(0x7fffffffu) << 31;
    QTest::newRow("mixed") << quint32(0x00f0100bu) << 8;
}

void TestPopcount::countsBits()
{
    QFETCH(quint32, set);
    QFETCH(int, count);
    QCOMPARE(adjacency::popcount(set), count);
}

QTEST_APPLESS_MAIN(TestPopcount)
#include "tst_popcount.moc"
