// Simulates generated cores with Icarus Verilog and compares them cycle by
// cycle with the model, then checks latency, channel order, framing flags,
// reset and the signal itself against first principles.
#include "coresettings.h"
#include "definesbuilder.h"
#include "rtlsimulation.h"
#include "stimulus.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace DdsRtl;
using IPDDSYN::Generation::DefinesSettings;

Q_DECLARE_METATYPE(DefinesSettings)

namespace {

QString describe(const CycleOut &o)
{
    return QStringLiteral("valid %1 chan %2 phase %3 sine %4 cosine %5 flags %6%7%8%9")
            .arg(o.dataValid)
            .arg(o.chanId)
            .arg(o.phaseOut, 0, 16)
            .arg(o.sine)
            .arg(o.cosine)
            .arg(o.phaseTlastMissing)
            .arg(o.phaseTlastUnexpected)
            .arg(o.configTlastMissing)
            .arg(o.configTlastUnexpected);
}

} // namespace

class TestRtlCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void matchesModel_data();
    void matchesModel();
    void tableOnlyCoversEveryAddress_data();
    void tableOnlyCoversEveryAddress();
    void offsetAcrossOctantEdgeHasNoGlitch();
    void missingTableFailsLoudly();

private:
    QTemporaryDir m_tmp;
    int m_run = 0;
    QString nextDir() { return m_tmp.filePath(QString::number(++m_run)); }
};

void TestRtlCore::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("iverilog")).isEmpty())
        QFAIL("iverilog is not installed (scripts/install-deps.sh)");
}

void TestRtlCore::matchesModel_data()
{
    QTest::addColumn<DefinesSettings>("settings");
    QTest::addColumn<int>("cycles");

    QTest::newRow("system defaults 27/12 none")
            << systemSettings(QStringLiteral("None"), 1, 100, 27, 12) << 400;
    QTest::newRow("system dithering 3 ch 20/12")
            << systemSettings(QStringLiteral("Phase Dithering"), 3, 100, 20, 12) << 400;
    QTest::newRow("system taylor 2 ch 30/20")
            << systemSettings(QStringLiteral("Taylor Series Corrected"), 2, 250, 30, 20) << 400;
    QTest::newRow("2 ch fixed inc fixed off sine only delay 0") << withOutputs(
            hardwareSettings(kBoth, 2, 16, 12, "None", FixedInc, FixedOff), true, false, true, true)
                                                                << 300;
    QTest::newRow("3 ch programmable inc dithering 20/14")
            << hardwareSettings(kBoth, 3, 20, 14, "Phase Dithering", ProgInc, NoOff, 2) << 600;
    QTest::newRow("16 ch programmable inc and off taylor 24/18")
            << hardwareSettings(kBoth, 16, 24, 18, "Taylor Series Corrected", ProgInc, ProgOff, 1)
            << 900;
    QTest::newRow("16 ch streaming inc resync and off cosine only 18/16") << withOutputs(
            withResync(hardwareSettings(kBoth, 16, 18, 16, "None", StreamInc, StreamOff)),
            false,
            true,
            false,
            true) << 700;
    QTest::newRow("2 ch streaming off programmable inc dithering 14/10")
            << hardwareSettings(kBoth, 2, 14, 10, "Phase Dithering", ProgInc, StreamOff, 4) << 500;
    QTest::newRow("1 ch streaming inc resync dithering 12/8")
            << withResync(hardwareSettings(kBoth, 1, 12, 8, "Phase Dithering", StreamInc)) << 400;
    QTest::newRow("1 ch programmable off none 16/25 no phase out") << withOutputs(
            hardwareSettings(kBoth, 1, 16, 25, "None", FixedInc, ProgOff), true, true, false, false)
                                                                   << 300;
    QTest::newRow("dithering W=4 P=10")
            << hardwareSettings(kBoth, 1, 10, 4, "Phase Dithering") << 200;
    QTest::newRow("dithering W=5 P=48 4 ch")
            << hardwareSettings(kBoth, 4, 48, 5, "Phase Dithering", FixedInc, FixedOff) << 200;
    QTest::newRow("none 48/16 delay 13")
            << hardwareSettings(kBoth, 1, 48, 16, "None", FixedInc, NoOff, 13) << 300;
    QTest::newRow("taylor 48/25 2 ch fixed off")
            << hardwareSettings(kBoth, 2, 48, 25, "Taylor Series Corrected", FixedInc, FixedOff)
            << 300;
    QTest::newRow("taylor 12/12 no dropped bits")
            << hardwareSettings(kBoth, 1, 12, 12, "Taylor Series Corrected") << 200;
    QTest::newRow("generator only 4 ch streaming inc resync programmable off")
            << withResync(hardwareSettings(kGenerator, 4, 32, 12, "None", StreamInc, ProgOff, 5))
            << 600;
    QTest::newRow("generator only 5 ch fixed")
            << hardwareSettings(kGenerator, 5, 27, 12, "None") << 200;
    QTest::newRow("table only none 12/16")
            << withOutputs(hardwareSettings(kTable, 1, 12, 16, "None"), true, true, false, false)
            << 300;
    QTest::newRow("table only none 16/8 sine only")
            << withOutputs(hardwareSettings(kTable, 1, 16, 8, "None", FixedInc, NoOff, 2),
                           true,
                           false,
                           false,
                           false)
            << 300;
    QTest::newRow("table only taylor 25/25 delay 12") << withOutputs(
            hardwareSettings(kTable, 1, 25, 25, "Taylor Series Corrected", FixedInc, NoOff, 12),
            true,
            true,
            false,
            false) << 300;
}

void TestRtlCore::matchesModel()
{
    QFETCH(DefinesSettings, settings);
    QFETCH(int, cycles);

    RtlSimulation sim(nextDir());
    QString error;
    QVERIFY2(sim.writeCore(QStringLiteral("dds_under_test"),
                           IPDDSYN::Generation::parameterLines(settings),
                           &error),
             qPrintable(error));
    const CoreConfig &c = sim.config();
    const Stimulus st = makeStimulus(c, cycles, quint32(cycles + c.phaseWidth));
    QVector<CycleOut> rtl;
    QVERIFY2(sim.run(st.cycles, &rtl, &error), qPrintable(error));
    const QVector<CycleOut> model = sim.model(st.cycles);

    for (int t = 0; t < rtl.size(); ++t) {
        if (rtl[t] != model[t])
            QFAIL(qPrintable(QStringLiteral("cycle %1 in %2:\n  rtl   %3\n  model %4")
                                     .arg(t)
                                     .arg(sim.workDir(), describe(rtl[t]), describe(model[t]))));
    }

    // Latency: the first sample after each reset comes out exactly L cycles later.
    const int L = c.latency();
    for (const int release : {st.releaseCycle, st.secondRelease}) {
        int first = release;
        while (first < st.cycles.size() && !(c.hasGenerator() && !c.streamed())
               && !st.cycles[first].phaseValid)
            ++first;
        for (int t = release - (release == st.secondRelease ? 2 : 3); t < first + L - 1; ++t) {
            QVERIFY2(!rtl[t].dataValid, qPrintable(QStringLiteral("valid at cycle %1").arg(t)));
            QCOMPARE(rtl[t].sine, 0);
            QCOMPARE(rtl[t].cosine, 0);
        }
        QVERIFY2(
                rtl[first + L - 1].dataValid,
                qPrintable(QStringLiteral("no sample %1 cycles after cycle %2").arg(L).arg(first)));
    }

    // Channel order: free-running channels come round robin, one per clock.
    if (c.hasGenerator() && !c.streamed() && c.chanIdOut) {
        int expected = 0;
        for (int t = st.releaseCycle + L - 1; t < st.secondReset; ++t) {
            QVERIFY(rtl[t].dataValid);
            QCOMPARE(rtl[t].chanId, expected);
            expected = (expected + 1) % c.channels;
        }
    }

    // Framing flags: exactly one clock after each misframed beat, nowhere else.
    const auto flagged = [&](bool CycleOut::*flag) {
        QVector<int> cyclesWithFlag;
        for (int t = 0; t < rtl.size(); ++t) {
            if (rtl[t].*flag)
                cyclesWithFlag << t;
        }
        return cyclesWithFlag;
    };
    QCOMPARE(flagged(&CycleOut::phaseTlastMissing), st.phaseMissing);
    QCOMPARE(flagged(&CycleOut::phaseTlastUnexpected), st.phaseUnexpected);
    QCOMPARE(flagged(&CycleOut::configTlastMissing), st.configMissing);
    QCOMPARE(flagged(&CycleOut::configTlastUnexpected), st.configUnexpected);

    // The signal itself: close to the ideal sine and cosine of the phase.
    if (c.hasTable() && c.phaseOut) {
        const double amplitude = std::ldexp(1.0, c.outputWidth - 1) - 2;
        const double step = 2 * M_PI * std::ldexp(1.0, -c.addressWidth());
        const double bound = c.taylor ? 2.5 : amplitude * step * (c.dither ? 2 : 1) + 1.5;
        for (int t = 0; t < rtl.size(); ++t) {
            if (!rtl[t].dataValid)
                continue;
            const double angle = 2 * M_PI * std::ldexp(double(rtl[t].phaseOut), -c.phaseWidth);
            if (c.sineOut)
                QVERIFY2(std::abs(rtl[t].sine - amplitude * std::sin(angle)) <= bound,
                         qPrintable(QStringLiteral("cycle %1: sine %2 at %3 rad")
                                            .arg(t)
                                            .arg(rtl[t].sine)
                                            .arg(angle)));
            if (c.cosineOut)
                QVERIFY(std::abs(rtl[t].cosine - amplitude * std::cos(angle)) <= bound);
        }
    }

    // Lint of this configuration.
    QVERIFY2(sim.lint(&error), qPrintable(error));
}

void TestRtlCore::tableOnlyCoversEveryAddress_data()
{
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("W");
    QTest::addColumn<QString>("noiseShaping");
    QTest::newRow("A=4 W=4") << 4 << 4 << QStringLiteral("None");
    QTest::newRow("A=5 W=8 (4 octant entries)") << 5 << 8 << QStringLiteral("None");
    QTest::newRow("A=10 W=25") << 10 << 25 << QStringLiteral("None");
    QTest::newRow("A=12 W=12 taylor without dropped bits")
            << 12 << 12 << QStringLiteral("Taylor Series Corrected");
}

// Every table address once, through phase_i: the whole unfolded circle.
void TestRtlCore::tableOnlyCoversEveryAddress()
{
    QFETCH(int, P);
    QFETCH(int, W);
    QFETCH(QString, noiseShaping);
    RtlSimulation sim(nextDir());
    QString error;
    const DefinesSettings s
            = hardwareSettings(kTable, 1, P, W, noiseShaping.toLatin1().constData());
    QVERIFY2(sim.writeCore(
                     QStringLiteral("lut_only"), IPDDSYN::Generation::parameterLines(s), &error),
             qPrintable(error));
    const CoreConfig &c = sim.config();
    const int n = 1 << c.addressWidth();
    QVector<CycleIn> stimulus(2, CycleIn{false});
    for (int i = 0; i < n + c.latency(); ++i) {
        CycleIn in;
        in.phaseValid = i < n;
        in.phaseIn = quint64(i % n) << c.truncWidth;
        stimulus << in;
    }
    QVector<CycleOut> rtl;
    QVERIFY2(sim.run(stimulus, &rtl, &error), qPrintable(error));
    const QVector<CycleOut> model = sim.model(stimulus);
    const double amplitude = std::ldexp(1.0, W - 1) - 2;
    for (int i = 0; i < n; ++i) {
        const CycleOut &o = rtl[2 + i + c.latency() - 1];
        QVERIFY(o.dataValid);
        QCOMPARE(o.sine, model[2 + i + c.latency() - 1].sine);
        QCOMPARE(o.cosine, model[2 + i + c.latency() - 1].cosine);
        const double angle = 2 * M_PI * i / n;
        QVERIFY2(std::abs(o.sine - amplitude * std::sin(angle)) <= 0.5 + 1e-9
                         && std::abs(o.cosine - amplitude * std::cos(angle)) <= 0.5 + 1e-9,
                 qPrintable(QStringLiteral("entry %1: %2, %3").arg(i).arg(o.sine).arg(o.cosine)));
    }
}

// An offset that walks across the pi/4 edge one table step at a time, with
// no increment: every output is the table's value at that angle, never a
// value from the other side of the fold.
void TestRtlCore::offsetAcrossOctantEdgeHasNoGlitch()
{
    RtlSimulation sim(nextDir());
    QString error;
    DefinesSettings s = hardwareSettings(kBoth, 1, 16, 12, "None", FixedInc, ProgOff);
    s.frequencies[0] = QStringLiteral("0");
    QVERIFY2(sim.writeCore(
                     QStringLiteral("octant_edge"), IPDDSYN::Generation::parameterLines(s), &error),
             qPrintable(error));
    const CoreConfig &c = sim.config();
    const int step = 1 << c.truncWidth;
    QVector<CycleIn> stimulus(3, CycleIn{false});
    QVector<quint64> offsets;
    for (int edge = 1; edge < 8; ++edge) {
        for (int k = -3; k <= 3; ++k)
            offsets << quint64(edge * (1 << (c.phaseWidth - 3)) + k * step + (k % 2) * (step / 2));
    }
    for (const quint64 off : offsets) {
        CycleIn in;
        in.configValid = true;
        in.configOff = off;
        stimulus << in;
        for (int i = 0; i < c.latency() + 1; ++i)
            stimulus << CycleIn{};
    }
    QVector<CycleOut> rtl;
    QVERIFY2(sim.run(stimulus, &rtl, &error), qPrintable(error));
    QCOMPARE(rtl, sim.model(stimulus));
    const double amplitude = std::ldexp(1.0, c.outputWidth - 1) - 2;
    for (int i = 0; i < offsets.size(); ++i) {
        // The sample entering in the beat's own cycle is the first with the
        // new offset; the one before still has the old.
        const int beat = 3 + i * (c.latency() + 2);
        // (the response of cycle t shows the sample that entered L - 1 edges earlier)
        QCOMPARE(rtl[beat + c.latency() - 1].phaseOut, offsets[i]);
        if (i > 0)
            QCOMPARE(rtl[beat + c.latency() - 2].phaseOut, offsets[i - 1]);
        const CycleOut &o = rtl[beat + c.latency()];
        QCOMPARE(o.phaseOut, offsets[i]);
        const double angle
                = 2 * M_PI * double(offsets[i] >> c.truncWidth) / (1 << c.addressWidth());
        QVERIFY2(std::abs(o.sine - amplitude * std::sin(angle)) <= 0.5 + 1e-9
                         && std::abs(o.cosine - amplitude * std::cos(angle)) <= 0.5 + 1e-9,
                 qPrintable(QStringLiteral("offset %1: %2, %3")
                                    .arg(offsets[i], 0, 16)
                                    .arg(o.sine)
                                    .arg(o.cosine)));
    }
}

void TestRtlCore::missingTableFailsLoudly()
{
    RtlSimulation sim(nextDir());
    QString error;
    QVERIFY2(sim.writeCore(QStringLiteral("no_table"),
                           IPDDSYN::Generation::parameterLines(
                                   hardwareSettings(kBoth, 1, 16, 12, "None")),
                           &error),
             qPrintable(error));
    QVERIFY(QFile::remove(sim.workDir() + QStringLiteral("/cos_sin_lut.dat")));
    QVector<CycleOut> rtl;
    QVERIFY(!sim.run(QVector<CycleIn>(20), &rtl, &error));
    QVERIFY2(error.contains(QLatin1String("cos_sin_lut.dat")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestRtlCore)
#include "tst_rtlcore.moc"
