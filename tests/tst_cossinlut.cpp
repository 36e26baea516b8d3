#include "cossinlut.h"

#include <QtTest>

#include <limits>

using namespace IPDDSYN::Generation;

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
    QTest::addColumn<QStringList>("expected"); // count, first word, last word
    const auto row = [](const char *name, int W, int P, int T, const char *expected) {
        QTest::newRow(name) << W << P << T << QString(expected).split(' ', Qt::SkipEmptyParts);
    };
    row("worked example W=12 P=27 T=15", 12, 27, 15, "512 37fe 5a75a7");
    row("one entry at pi/4, W=8 N=8", 8, 3, 0, "1 5959 5959");
    row("one entry at angle 0, W=8 N=4", 8, 2, 0, "1 7e 7e");
    row("depth 1 has no table", 12, 10, 10, "0");
    row("negative depth has no table", 12, 10, 12, "0");
}

void tst_CosSinLut::words()
{
    QFETCH(int, W);
    QFETCH(int, P);
    QFETCH(int, T);
    QFETCH(QStringList, expected);
    const QVector<quint64> words = cosSinLutWords(W, P, T);
    QStringList actual{QString::number(words.size())};
    if (!words.isEmpty())
        actual << QString::number(words.first(), 16) << QString::number(words.last(), 16);
    QCOMPARE(actual, expected);
}

void tst_CosSinLut::roundsHalfUpward_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("2.5") << 2.5 << qint64(3);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-2.6") << -2.6 << qint64(-3);
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
    for (double entry : packedTable(W, depthBits + 3, 3))
        packed << quint64(qint64(entry));
    QCOMPARE(packed.size(), (1 << depthBits) / 2);
    const int k = (1 << depthBits) / 8;
    const QVector<quint64> expected = k == 0 ? packed.mid(0, 1) : packed.mid(1, k);
    QCOMPARE(cosSinLutWords(W, depthBits + 3, 3), expected);
}

QTEST_GUILESS_MAIN(tst_CosSinLut)
#include "tst_cossinlut.moc"
