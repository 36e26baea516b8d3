#include "cossinlut.h"

#include <QtTest>

#include <limits>

using IPDDSYN::Generation::cosSinLutWords;
using IPDDSYN::Generation::roundHalfUp;

class tst_CosSinLut : public QObject
{
    Q_OBJECT
private slots:
    void words_data();
    void words();
    void roundsHalfUpward_data();
    void roundsHalfUpward();
    void matchesTheFullTable_data();
    void matchesTheFullTable();
};

void tst_CosSinLut::words_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("T");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("W=8 N=16") << 8 << 12 << 8 << 2 << "3074"
                              << "5959";
    QTest::newRow("W=12 N=64") << 12 << 20 << 14 << 8 << "c97f4"
                               << "5a75a7";
    QTest::newRow("W=16 N=256") << 16 << 27 << 19 << 32 << "3247ff4"
                                << "5a815a81";
    // K = 1: the single entry 1 (angle pi/4).
    QTest::newRow("W=8 N=8") << 8 << 3 << 0 << 1 << "5959"
                             << "5959";
    // K = 0: the single entry 0, sine 0 and cosine A.
    QTest::newRow("W=8 N=4") << 8 << 2 << 0 << 1 << "7e"
                             << "7e";
    QTest::newRow("W=12 N=2") << 12 << 6 << 5 << 1 << "7fe"
                              << "7fe";
    QTest::newRow("worked example W=12 P=27 T=15") << 12 << 27 << 15 << 512 << "37fe"
                                                   << "5a75a7";
    QTest::newRow("depth 1 has no table") << 12 << 10 << 10 << 0 << ""
                                          << "";
    QTest::newRow("negative depth has no table") << 12 << 10 << 12 << 0 << ""
                                                 << "";
}

void tst_CosSinLut::words()
{
    QFETCH(int, W);
    QFETCH(int, P);
    QFETCH(int, T);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const QVector<quint64> words = cosSinLutWords(W, P, T);
    QCOMPARE(words.size(), count);
    if (count == 0)
        return;
    QCOMPARE(QString::number(words.first(), 16), first);
    QCOMPARE(QString::number(words.last(), 16), last);
}

void tst_CosSinLut::roundsHalfUpward_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("2.5") << 2.5 << qint64(3);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-2.6") << -2.6 << qint64(-3);
    QTest::newRow("1342177.28") << 1342177.28 << qint64(1342177);
    QTest::newRow("-0.4") << -0.4 << qint64(0);
    QTest::newRow("-1.5") << -1.5 << qint64(-1);
    QTest::newRow("beyond the range") << 1e300 << std::numeric_limits<qint64>::max();
    QTest::newRow("below the range") << -1e300 << std::numeric_limits<qint64>::min();
    QTest::newRow("not a number") << qQNaN() << qint64(0);
}

void tst_CosSinLut::roundsHalfUpward()
{
    QFETCH(double, value);
    QFETCH(qint64, rounded);
    QCOMPARE(roundHalfUp(value), rounded);
}

void tst_CosSinLut::matchesTheFullTable_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("depthBits");
    for (int w : {4, 12, 25}) {
        for (int bits = 1; bits <= 16; ++bits)
            QTest::newRow(qPrintable(QString("W=%1 N=2^%2").arg(w).arg(bits))) << w << bits;
    }
}

// The octant the generator computes must be the slice of the table computed
// the long way, every entry of the circle with both peaks searched.
void tst_CosSinLut::matchesTheFullTable()
{
    QFETCH(int, W);
    QFETCH(int, depthBits);
    QVector<quint64> packed;
    for (double entry : IPDDSYN::Generation::packedTable(W, depthBits + 3, 3))
        packed << quint64(qint64(entry));
    QCOMPARE(packed.size(), (1 << depthBits) / 2);
    const int k = (1 << depthBits) / 8;
    const QVector<quint64> expected = k == 0 ? packed.mid(0, 1) : packed.mid(1, k);
    QCOMPARE(cosSinLutWords(W, depthBits + 3, 3), expected);
}

QTEST_GUILESS_MAIN(tst_CosSinLut)
#include "tst_cossinlut.moc"
