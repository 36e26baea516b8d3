// Simulates generated cores with Icarus Verilog and compares them cycle by
// cycle with the model, then checks latency, channel order, framing flags,
// reset and the signal itself against first principles.
#include "coresettings.h"
#include "definesbuilder.h"
#include "rtlsimulation.h"
#include "stimulus.h"

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

// Sine and cosine within `bound` LSB of the ideal curve at `angle`.
bool nearIdeal(const CycleOut &o, int W, double angle, double bound)
{
    const double amplitude = std::ldexp(1.0, W - 1) - 2;
    return std::abs(o.sine - amplitude * std::sin(angle)) <= bound
           && std::abs(o.cosine - amplitude * std::cos(angle)) <= bound;
}

} // namespace

class TestRtlCore : public QObject
{
    Q_OBJECT

private slots:
    void matchesModel_data();
    void matchesModel();
    void tableOnlyCoversEveryAddress_data();
    void tableOnlyCoversEveryAddress();

private:
    QTemporaryDir m_tmp;
    int m_run = 0;
    QString nextDir() { return m_tmp.filePath(QString::number(++m_run)); }
};

void TestRtlCore::matchesModel_data()
{
    QTest::addColumn<DefinesSettings>("settings");
    // Outputs other than the defaults (sine, cosine, phase, channel id), and resync.
    enum { Defaults = 0, Sine = 1, Cosine = 2, Phase = 4, Id = 8, Resync = 16 };
    const char *const noise[] = {"None", "Phase Dithering", "Taylor Series Corrected"};
    const struct
    {
        const char *name;
        const char *configuration;
        int channels, P, W, noise;
        Inc inc;
        Off off;
        int extraLatency, options;
    } rows[] = {
            // clang-format off
        {"fixed inc, 48/16 dithering, delay 13",       kBoth, 1, 48, 16, 1, FixedInc, NoOff, 13, Defaults},
        {"fixed inc and off, 2 ch, sine only",         kBoth, 2, 16, 12, 0, FixedInc, FixedOff, 0, Sine | Id},
        {"programmable off, no phase out",             kBoth, 1, 16, 25, 0, FixedInc, ProgOff, 0, Sine | Cosine},
        {"streaming off, 3 ch dithering",              kBoth, 3, 20, 10, 1, FixedInc, StreamOff, 1, Defaults},
        {"programmable inc, 3 ch dithering",           kBoth, 3, 20, 14, 1, ProgInc, NoOff, 2, Defaults},
        {"programmable inc, fixed off, 48/25 taylor",  kBoth, 2, 48, 25, 2, ProgInc, FixedOff, 0, Defaults},
        {"programmable inc and off, 9 ch taylor",      kBoth, 9, 24, 18, 2, ProgInc, ProgOff, 1, Defaults},
        {"programmable inc, streaming off, 2 ch",      kBoth, 2, 14, 10, 1, ProgInc, StreamOff, 4, Defaults},
        {"streaming inc with resync, 1 ch",            kBoth, 1, 12, 8, 1, StreamInc, NoOff, 0, Resync},
        {"streaming inc, fixed off, 5 ch taylor",      kBoth, 5, 30, 20, 2, StreamInc, FixedOff, 0, Defaults},
        {"streaming inc, programmable off, generator", kGenerator, 4, 32, 12, 0, StreamInc, ProgOff, 5, Resync},
        {"streaming inc and off, 16 ch cosine only",   kBoth, 16, 18, 16, 0, StreamInc, StreamOff, 0, Cosine | Id | Resync},
        {"dithering 10/4",                             kBoth, 1, 10, 4, 1, FixedInc, NoOff, 0, Defaults},
        {"taylor 12/12 without dropped bits",          kBoth, 1, 12, 12, 2, FixedInc, NoOff, 0, Defaults},
        {"table only, sine only, delay 2",             kTable, 1, 16, 8, 0, FixedInc, NoOff, 2, Sine},
        {"table only taylor 25/25, delay 12",          kTable, 1, 25, 25, 2, FixedInc, NoOff, 12, Defaults},
            // clang-format on
    };
    for (const auto &r : rows) {
        DefinesSettings s = hardwareSettings(r.configuration,
                                             r.channels,
                                             r.P,
                                             r.W,
                                             noise[r.noise],
                                             r.inc,
                                             r.off,
                                             r.extraLatency);
        const int outputs = r.options & ~Resync;
        if (outputs != Defaults)
            s = withOutputs(s, outputs & Sine, outputs & Cosine, outputs & Phase, outputs & Id);
        QTest::newRow(r.name) << (r.options & Resync ? withResync(s) : s);
    }
    QTest::newRow("system parameters, 2 ch taylor")
            << systemSettings(QStringLiteral("Taylor Series Corrected"), 2, 250, 30, 20);
}

void TestRtlCore::matchesModel()
{
    QFETCH(DefinesSettings, settings);

    RtlSimulation sim(nextDir());
    QString error;
    QVERIFY2(sim.writeCore(QStringLiteral("dds_under_test"),
                           IPDDSYN::Generation::parameterLines(settings),
                           &error),
             qPrintable(error));
    const CoreConfig &c = sim.config();
    const int cycles = 200 + 40 * c.channels;
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

    // Reset and latency: nothing during reset, and the first sample after
    // each reset comes out exactly the chosen latency later.
    const int L = settings.latency.toInt();
    for (const int release : {st.releaseCycle, st.secondRelease}) {
        int first = release;
        while (first < st.cycles.size() && !(c.hasGenerator() && !c.streamed())
               && !st.cycles[first].phaseValid)
            ++first;
        for (int t = release - (release == st.secondRelease ? 2 : 3); t < first + L - 1; ++t) {
            QVERIFY2(!rtl[t].dataValid && rtl[t].sine == 0 && rtl[t].cosine == 0,
                     qPrintable(QStringLiteral("output at cycle %1").arg(t)));
        }
        QVERIFY2(
                rtl[first + L - 1].dataValid,
                qPrintable(QStringLiteral("no sample %1 cycles after cycle %2").arg(L).arg(first)));
    }

    // Channel order: free-running channels come round robin, one per clock.
    if (c.hasGenerator() && !c.streamed() && c.chanIdOut) {
        for (int t = st.releaseCycle + L - 1, expected = 0; t < st.secondReset; ++t) {
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
    if (c.hasTable() && c.phaseOut && c.sineOut && c.cosineOut) {
        const double step = 2 * M_PI * std::ldexp(1.0, -c.addressWidth());
        const double bound
                = c.taylor ? 2.5
                           : std::ldexp(1.0, c.outputWidth - 1) * step * (c.dither ? 2 : 1) + 1.5;
        for (int t = 0; t < rtl.size(); ++t) {
            const double angle = 2 * M_PI * std::ldexp(double(rtl[t].phaseOut), -c.phaseWidth);
            QVERIFY2(!rtl[t].dataValid || nearIdeal(rtl[t], c.outputWidth, angle, bound),
                     qPrintable(QStringLiteral("cycle %1: %2").arg(t).arg(describe(rtl[t]))));
        }
    }

    QVERIFY2(sim.lint(&error), qPrintable(error));
}

void TestRtlCore::tableOnlyCoversEveryAddress_data()
{
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("W");
    QTest::addColumn<QString>("noiseShaping");
    QTest::newRow("A=4 W=4") << 4 << 4 << QStringLiteral("None");
    QTest::newRow("A=10 W=25") << 10 << 25 << QStringLiteral("None");
    QTest::newRow("A=12 W=12 taylor without dropped bits")
            << 12 << 12 << QStringLiteral("Taylor Series Corrected");
    QTest::newRow("A=12 W=21 taylor") << 20 << 21 << QStringLiteral("Taylor Series Corrected");
}

// Every table address once, through phase_i, with all dropped bits set
// (the largest Taylor correction): the whole unfolded circle. The model's
// circle is checked against the ideal one in tst_ddsmodel.
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
        in.phaseIn = (quint64(i % n + 1) << c.truncWidth) - 1;
        stimulus << in;
    }
    QVector<CycleOut> rtl;
    QVERIFY2(sim.run(stimulus, &rtl, &error), qPrintable(error));
    QCOMPARE(std::count_if(rtl.cbegin(), rtl.cend(), [](const CycleOut &o) { return o.dataValid; }),
             qsizetype(n));
    QCOMPARE(rtl, sim.model(stimulus));
}

QTEST_GUILESS_MAIN(TestRtlCore)
#include "tst_rtlcore.moc"
