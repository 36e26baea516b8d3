// The model's building blocks against first principles: the unfolded table,
// the Taylor correction, the dither source, the defines reader and the
// spectral measures.
#include "coreconfig.h"
#include "cossinlut.h"
#include "definesbuilder.h"
#include "sincostable.h"
#include "spectrum.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace DdsRtl;

class TestDdsModel : public QObject
{
    Q_OBJECT

private slots:
    void fullCircleSymmetry_data();
    void fullCircleSymmetry();
    void octantFileFaults_data();
    void octantFileFaults();
    void taylorCorrectionError_data();
    void taylorCorrectionError();
    void ditherIsUniform();
    void definesReadBack_data();
    void definesReadBack();
    void badDefines_data();
    void badDefines();
    void coherentSpectrum_data();
    void coherentSpectrum();
    void windowedSpectrum();
    void spectrumRejectsBadRecords();
};

void TestDdsModel::fullCircleSymmetry_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("A");
    QTest::newRow("2 entries") << 8 << 1;
    QTest::newRow("4 entries") << 8 << 2;
    QTest::newRow("8 entries, entry 1 only") << 12 << 3;
    QTest::newRow("W=4 A=4") << 4 << 4;
    QTest::newRow("W=12 A=10") << 12 << 10;
    QTest::newRow("W=25 A=13") << 25 << 13;
    QTest::newRow("W=16 A=16") << 16 << 16;
}

// Every index of the unfolded circle: the quarter-wave symmetries, the
// octant file itself in the first octant, the exact values at the octant
// edges, and the ideal curve within half an LSB.
void TestDdsModel::fullCircleSymmetry()
{
    QFETCH(int, W);
    QFETCH(int, A);
    const QVector<quint64> words = IPDDSYN::Generation::cosSinLutWords(W, A, 0);
    QVERIFY(!words.isEmpty());
    const QVector<quint64> octant = A >= 3 ? words : QVector<quint64>();
    const quint64 n = quint64(1) << A;
    const qint64 amplitude = (qint64(1) << (W - 1)) - 2;
    const auto at = [&](quint64 i) { return fullCircleEntry(octant, W, A, i % n); };
    for (quint64 i = 0; i < n; ++i) {
        const SinCos v = at(i);
        const SinCos mirror = at(n - i);
        QCOMPARE(mirror.sine, -v.sine);
        QCOMPARE(mirror.cosine, v.cosine);
        const SinCos half = at(i + n / 2);
        QCOMPARE(half.sine, -v.sine);
        QCOMPARE(half.cosine, -v.cosine);
        if (n >= 4) {
            const SinCos complement = at(n / 4 + n - i);
            QCOMPARE(complement.sine, v.cosine);
            QCOMPARE(complement.cosine, v.sine);
        }
        const double angle = 2 * M_PI * double(i) / double(n);
        QVERIFY2(std::abs(v.sine - amplitude * std::sin(angle)) <= 0.5 + 1e-9
                         && std::abs(v.cosine - amplitude * std::cos(angle)) <= 0.5 + 1e-9,
                 qPrintable(QStringLiteral("index %1: %2, %3").arg(i).arg(v.sine).arg(v.cosine)));
    }
    for (int k = 1; A >= 3 && k <= int(n / 8); ++k) {
        const quint64 word = octant.at(k - 1);
        QCOMPARE(quint64(at(quint64(k)).sine), word >> W);
        QCOMPARE(quint64(at(quint64(k)).cosine), word & ((quint64(1) << W) - 1));
    }
    for (quint64 k = 0; k < 8 && n >= 4; k += (n >= 8 ? 1 : 2)) {
        const SinCos edge = at(k * n / 8);
        const qint64 diagonal = IPDDSYN::Generation::roundHalfUp(amplitude * std::sqrt(0.5));
        const qint64 expectedSine[8]
                = {0, diagonal, amplitude, diagonal, 0, -diagonal, -amplitude, -diagonal};
        const qint64 expectedCosine[8]
                = {amplitude, diagonal, 0, -diagonal, -amplitude, -diagonal, 0, diagonal};
        QCOMPARE(edge.sine, expectedSine[k]);
        QCOMPARE(edge.cosine, expectedCosine[k]);
    }
}

void TestDdsModel::octantFileFaults_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("message");
    // W = 8, A = 5: four words.
    QTest::newRow("good") << QStringLiteral("187c\n2f74\n4471\n5959\n") << true << QString();
    QTest::newRow("missing") << QString() << false << QStringLiteral("Cannot read");
    QTest::newRow("short") << QStringLiteral("187c\n2f74\n") << true
                           << QStringLiteral("holds 2 words");
    QTest::newRow("not hex") << QStringLiteral("187c\nzz\n4471\n5959\n") << true
                             << QStringLiteral("line 2");
    QTest::newRow("wider than 2W")
            << QStringLiteral("187c\n2f74\n4471\n15959\n") << true << QStringLiteral("16-bit");
}

void TestDdsModel::octantFileFaults()
{
    QFETCH(QString, content);
    QFETCH(bool, exists);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cos_sin_lut.dat"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content.toLatin1());
    }
    QVector<quint64> words;
    QString error;
    const bool ok = readOctantFile(path, 8, 5, &words, &error);
    QCOMPARE(ok, message.isEmpty());
    if (ok)
        QCOMPARE(words, QVector<quint64>({0x187c, 0x2f74, 0x4471, 0x5959}));
    else
        QVERIFY2(error.contains(message) && error.contains(path), qPrintable(error));
}

void TestDdsModel::taylorCorrectionError_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("A");
    QTest::addColumn<int>("fracBits");
    QTest::addColumn<double>("bound");
    // The first-order remainder d^2/2 plus rounding of table and correction.
    QTest::newRow("W=12 A=12") << 12 << 12 << 8 << 1.1;
    QTest::newRow("W=21 A=12") << 21 << 12 << 16 << 2.3;
    QTest::newRow("W=23 A=13") << 23 << 13 << 16 << 2.3;
    QTest::newRow("W=25 A=14") << 25 << 14 << 16 << 2.3;
}

void TestDdsModel::taylorCorrectionError()
{
    QFETCH(int, W);
    QFETCH(int, A);
    QFETCH(int, fracBits);
    QFETCH(double, bound);
    const QVector<quint64> octant = IPDDSYN::Generation::cosSinLutWords(W, A, 0);
    const double amplitude = std::ldexp(1.0, W - 1) - 2;
    const qint64 top = (qint64(1) << (W - 1)) - 1;
    QRandomGenerator rng(42);
    double worstPlain = 0;
    double worstCorrected = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        // Near the peaks too, where the correction could overshoot.
        const quint64 index = trial < 64 ? (quint64(1) << (A - 2)) * (trial % 4) + trial / 4 - 8
                                         : rng.bounded(1u << A);
        const quint64 i = index & ((quint64(1) << A) - 1);
        const quint64 frac = rng.bounded(1u << fracBits);
        const double angle
                = 2 * M_PI * (double(i) + std::ldexp(double(frac), -fracBits)) / std::ldexp(1.0, A);
        const SinCos plain = fullCircleEntry(octant, W, A, i);
        const SinCos v = taylorCorrected(plain, frac, fracBits, W, A);
        QVERIFY(std::abs(v.sine) <= top && std::abs(v.cosine) <= top);
        worstPlain = std::max(worstPlain, std::abs(plain.sine - amplitude * std::sin(angle)));
        worstCorrected = std::max({worstCorrected,
                                   std::abs(v.sine - amplitude * std::sin(angle)),
                                   std::abs(v.cosine - amplitude * std::cos(angle))});
    }
    QVERIFY2(worstCorrected <= bound, qPrintable(QString::number(worstCorrected)));
    // Without the correction the same angles are far off: the test has teeth.
    QVERIFY(worstPlain > 2 * bound);
    const SinCos untouched{123, -456};
    QCOMPARE(taylorCorrected(untouched, 0, 0, W, A).sine, untouched.sine);
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
        QVERIFY(state != 0);
        buckets[(state >> 12) & 15]++;
        sum += state & 0xffff;
    }
    double chi2 = 0;
    for (const int b : buckets)
        chi2 += std::pow(b - draws / 16.0, 2) / (draws / 16.0);
    QVERIFY2(chi2 < 40, qPrintable(QString::number(chi2))); // 15 degrees of freedom
    QVERIFY(std::abs(sum / draws - 32767.5) < 300);
}

Q_DECLARE_METATYPE(IPDDSYN::Generation::DefinesSettings)

void TestDdsModel::definesReadBack_data()
{
    using IPDDSYN::Generation::DefinesSettings;
    QTest::addColumn<DefinesSettings>("settings");
    QTest::addColumn<int>("latency");
    QTest::addColumn<int>("truncation");
    QTest::addColumn<int>("chanIdWidth");

    DefinesSettings s;
    s.configuration = QStringLiteral("Phase Generator and SIN COS LUT");
    s.channels = QStringLiteral("5");
    s.parameterSelection = QStringLiteral("Hardware Parameters");
    s.noiseShapingHard = QStringLiteral("Taylor Series Corrected");
    s.hardPhaseWidth = 30;
    s.hardOutputWidth = 24;
    s.programmableInc = true;
    s.streamingOff = true;
    s.sinAndcos = true;
    s.channelIdOut = true;
    s.latency = QStringLiteral("15");
    for (int i = 0; i < 16; ++i) {
        s.frequencies << QStringLiteral("1F%1").arg(i);
        s.phases << QStringLiteral("%1").arg(i);
    }
    QTest::newRow("taylor 5 ch") << s << 15 << 16 << 3;
    s.configuration = QStringLiteral("SIN COS LUT Only");
    s.workMode = 2;
    s.channels = QStringLiteral("1");
    s.hardPhaseWidth = 20;
    s.latency = QStringLiteral("9");
    QTest::newRow("table only taylor") << s << 9 << 6 << 1;
    s.noiseShapingHard = QStringLiteral("None");
    s.hardPhaseWidth = 12;
    s.hardOutputWidth = 16;
    s.latency = QStringLiteral("3");
    QTest::newRow("table only none") << s << 3 << 0 << 1;
}

void TestDdsModel::definesReadBack()
{
    using IPDDSYN::Generation::DefinesSettings;
    QFETCH(DefinesSettings, settings);
    QFETCH(int, latency);
    QFETCH(int, truncation);
    QFETCH(int, chanIdWidth);
    QStringList lines = IPDDSYN::Generation::parameterLines(settings);
    lines << IPDDSYN::Generation::fileNameLine(true);
    CoreConfig c;
    QString error;
    QVERIFY2(parseDefines(lines.join(QLatin1Char('\n')), &c, &error), qPrintable(error));
    QCOMPARE(c.latency(), latency);
    QCOMPARE(c.truncWidth, truncation);
    QCOMPARE(c.chanIdWidth(), chanIdWidth);
    QCOMPARE(c.tableFile, QStringLiteral("cos_sin_lut.dat"));
    QCOMPARE(c.incInit.at(3), settings.workMode == 2 ? 0 : 0x1f3u);
}

void TestDdsModel::badDefines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString base
            = QStringLiteral("`define DEFINE_WORKMODE 0\n`define DEFINE_CH_NUM 1\n"
                             "`define DEFINE_PHASE_WIDTH 8\n`define DEFINE_OUTPUT_WIDTH 8\n");
    QTest::newRow("no phase width")
            << QStringLiteral("`define DEFINE_WORKMODE 0\n") << QStringLiteral("DEFINE_CH_NUM");
    QTest::newRow("not a define") << base + QStringLiteral("wire x;\n")
                                  << QStringLiteral("wire x;");
    QTest::newRow("init missing") << base << QStringLiteral("DEFINE_PINC0_INIT");
    QTest::newRow("channels out of range")
            << QString(base).replace(QStringLiteral("CH_NUM 1"), QStringLiteral("CH_NUM 17"))
            << QStringLiteral("out of range");
}

void TestDdsModel::badDefines()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    CoreConfig c;
    QString error;
    QVERIFY(!parseDefines(text, &c, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
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
        x[i] = dc + std::sin(2 * M_PI * 5 * i / n) + spur * std::cos(2 * M_PI * 1037 * i / n);
    const SpectrumQuality q = measureCoherent(x, 5);
    QVERIFY2(q.ok, qPrintable(q.error));
    QCOMPARE(q.worstSpurBin, 1037);
    QVERIFY2(std::abs(q.sfdrDb + spurDb) < 0.01, qPrintable(QString::number(q.sfdrDb)));
    QVERIFY(std::abs(q.snrDb + spurDb) < 0.01);
    QCOMPARE(q.length, n);
    QVERIFY(q.method.contains(QLatin1String("rectangular")));
    if (dc > 0)
        QVERIFY(std::abs(q.dcDb - 20 * std::log10(dc / std::sqrt(0.5)) - 3.01) < 0.05);
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
    QVERIFY(q.method.contains(QLatin1String("Blackman-Harris")));
}

void TestDdsModel::spectrumRejectsBadRecords()
{
    QVERIFY(!measureCoherent(QVector<double>(4, 1.0), 1).ok);
    QVERIFY(!measureCoherent(QVector<double>(64, 1.0), 32).ok);
    QVERIFY(!measureWindowed(QVector<double>(64, 1.0), 8).ok);
    const SpectrumQuality silent = measureCoherent(QVector<double>(64, 0.0), 3);
    QVERIFY(!silent.ok);
    QVERIFY(silent.error.contains(QLatin1String("bin 3")));
}

QTEST_GUILESS_MAIN(TestDdsModel)
#include "tst_ddsmodel.moc"
