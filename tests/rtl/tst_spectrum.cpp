// The spectral measures the verification and the quality bench rely on,
// against signals of known spurs.
#include "spectrum.h"

#include <QtTest>

#include <cmath>

using namespace DdsRtl;

class TestSpectrum : public QObject
{
    Q_OBJECT

private slots:
    void coherentSpectrum_data();
    void coherentSpectrum();
    void windowedSpectrum();
};

void TestSpectrum::coherentSpectrum_data()
{
    QTest::addColumn<double>("spurDb");
    QTest::addColumn<double>("dc");
    QTest::newRow("spur -80 dBc") << -80.0 << 0.0;
    QTest::newRow("spur -120 dBc with DC") << -120.0 << 0.25;
}

void TestSpectrum::coherentSpectrum()
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

void TestSpectrum::windowedSpectrum()
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

QTEST_GUILESS_MAIN(TestSpectrum)
#include "tst_spectrum.moc"
