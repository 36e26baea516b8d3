// The model's building blocks against first principles: the table unfolded
// from the generator's octant words, the dither source and the spectral
// measures the quality bench relies on.
#include "cossinlut.h"
#include "sincostable.h"
#include "spectrum.h"

#include <QtTest>

#include <cmath>

using namespace DdsRtl;

class TestDdsModel : public QObject
{
    Q_OBJECT

private slots:
    void fullCircleSymmetry_data();
    void fullCircleSymmetry();
    void ditherIsUniform();
    void coherentSpectrum_data();
    void coherentSpectrum();
    void windowedSpectrum();
};

void TestDdsModel::fullCircleSymmetry_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("A");
    QTest::newRow("2 entries") << 8 << 1;
    QTest::newRow("4 entries") << 8 << 2;
    QTest::newRow("8 entries, one octant word") << 12 << 3;
    QTest::newRow("W=4 A=4") << 4 << 4;
    QTest::newRow("W=25 A=13") << 25 << 13;
    QTest::newRow("W=16 A=16") << 16 << 16;
}

// Every index of the unfolded circle: the quarter-wave symmetries, the
// octant words themselves in the first octant, the exact values at the
// octant edges, and the ideal curve within half an LSB.
void TestDdsModel::fullCircleSymmetry()
{
    QFETCH(int, W);
    QFETCH(int, A);
    const QVector<quint64> octant = IPDDSYN::Generation::cosSinLutWords(W, A, 0);
    const quint64 n = quint64(1) << A;
    const qint64 amplitude = (qint64(1) << (W - 1)) - 2;
    const auto at = [&](quint64 i) { return fullCircleEntry(octant, W, A, i % n); };
    for (quint64 i = 0; i < n; ++i) {
        const SinCos v = at(i);
        QCOMPARE(at(n - i).sine, -v.sine);
        QCOMPARE(at(n - i).cosine, v.cosine);
        QCOMPARE(at(i + n / 2).sine, -v.sine);
        QCOMPARE(at(i + n / 2).cosine, -v.cosine);
        if (n >= 4) {
            QCOMPARE(at(n / 4 + n - i).sine, v.cosine);
            QCOMPARE(at(n / 4 + n - i).cosine, v.sine);
        }
        const double angle = 2 * M_PI * double(i) / double(n);
        QVERIFY2(std::abs(v.sine - amplitude * std::sin(angle)) <= 0.5 + 1e-9
                         && std::abs(v.cosine - amplitude * std::cos(angle)) <= 0.5 + 1e-9,
                 qPrintable(QStringLiteral("index %1: %2, %3").arg(i).arg(v.sine).arg(v.cosine)));
    }
    for (quint64 k = 1; A >= 3 && k <= n / 8; ++k) {
        QCOMPARE(quint64(at(k).sine), octant.at(int(k - 1)) >> W);
        QCOMPARE(quint64(at(k).cosine), octant.at(int(k - 1)) & ((quint64(1) << W) - 1));
    }
    const qint64 d = IPDDSYN::Generation::roundHalfUp(amplitude * std::sqrt(0.5));
    const qint64 edgeSine[8] = {0, d, amplitude, d, 0, -d, -amplitude, -d};
    for (quint64 k = 0; k < 8 && n >= 4; k += (n >= 8 ? 1 : 2)) {
        QCOMPARE(at(k * n / 8).sine, edgeSine[k]);
        QCOMPARE(at(k * n / 8).cosine, edgeSine[(k + 2) % 8]);
    }
}

// The dither must spread evenly over the dropped bits, or it biases the phase.
void TestDdsModel::ditherIsUniform()
{
    quint32 state = kLfsrSeed;
    QVector<int> buckets(16, 0);
    double sum = 0;
    const int draws = 1 << 16;
    for (int i = 0; i < draws; ++i) {
        state = lfsrAdvance(state);
        buckets[(state >> 12) & 15]++;
        sum += state & 0xffff;
    }
    double chi2 = 0;
    for (const int b : buckets)
        chi2 += std::pow(b - draws / 16.0, 2) / (draws / 16.0);
    QVERIFY2(chi2 < 40, qPrintable(QString::number(chi2))); // 15 degrees of freedom
    QVERIFY(std::abs(sum / draws - 32767.5) < 300);
}

void TestDdsModel::coherentSpectrum_data()
{
    QTest::addColumn<double>("spurDb");
    QTest::addColumn<double>("dc");
    QTest::newRow("spur -80 dBc") << -80.0 << 0.0;
    QTest::newRow("spur -120 dBc with DC") << -120.0 << 0.25;
}

void TestDdsModel::coherentSpectrum()
{
    QFETCH(double, spurDb);
    QFETCH(double, dc);
    const int n = 4096;
    QVector<double> x(n);
    const double spur = std::pow(10.0, spurDb / 20);
    for (int i = 0; i < n; ++i)
        x[i] = dc + std::sin(2 * M_PI * 5 * i / n) + spur * std::cos(2 * M_PI * 1037 * i / n)
               + spur / 2 * std::sin(2 * M_PI * 300 * i / n);
    const SpectrumQuality q = measureCoherent(x, 5);
    QVERIFY2(q.ok, qPrintable(q.error));
    QCOMPARE(q.worstSpurBin, 1037);
    QVERIFY2(std::abs(q.sfdrDb + spurDb) < 0.01, qPrintable(QString::number(q.sfdrDb)));
    // Both spurs count as noise: 1 + 1/4 of the larger one's power.
    QVERIFY(std::abs(q.snrDb + spurDb + 10 * std::log10(1.25)) < 0.01);
    if (dc > 0)
        QVERIFY(std::abs(q.dcDb - 20 * std::log10(dc / std::sqrt(0.5)) - 3.01) < 0.05);
    // A carrier outside the record, or no carrier at all, is an error.
    QVERIFY(!measureCoherent(x, n / 2).ok);
    QVERIFY(measureCoherent(QVector<double>(64, 0.0), 3).error.contains(QLatin1String("bin 3")));
}

void TestDdsModel::windowedSpectrum()
{
    const int n = 1 << 14;
    QVector<double> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = std::sin(2 * M_PI * 1000.37 * i / n) + 3e-5 * std::sin(2 * M_PI * 3000.5 * i / n);
    const SpectrumQuality q = measureWindowed(x, 8);
    QVERIFY2(q.ok, qPrintable(q.error));
    QVERIFY(std::abs(q.carrierBin - 1000) <= 1);
    QVERIFY(std::abs(q.worstSpurBin - 3000) <= 1);
    QVERIFY2(std::abs(q.sfdrDb - 90.46) < 0.2, qPrintable(QString::number(q.sfdrDb)));
    QVERIFY(!measureWindowed(x.mid(0, 64), 8).ok);
}

QTEST_GUILESS_MAIN(TestDdsModel)
#include "tst_ddsmodel.moc"
