// Simulates generated cores, as RTL and as synthesized netlists, with Icarus
// Verilog and compares them cycle by cycle with the model, then checks
// latency, reset and the signal itself against first principles.
#include "coresettings.h"
#include "dialogrules.h"
#include "rtlsimulation.h"
#include "stimulus.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace DdsRtl;
using namespace IPDDSYN::Rules;
using IPDDSYN::Generation::DefinesSettings;
using IPDDSYN::Generation::parameterLines;

Q_DECLARE_METATYPE(DefinesSettings)

namespace {

// Sine and cosine within `bound` LSB of the ideal curve at the angle of
// `phase` (of `bits` bits).
bool nearIdeal(const CycleOut &o, int W, quint64 phase, int bits, double bound)
{
    const double amplitude = std::ldexp(1.0, W - 1) - 2;
    const double angle = 2 * M_PI * std::ldexp(double(phase), -bits);
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
    void mapsToHardBlocks_data();
    void mapsToHardBlocks();

private:
    bool writeCore(RtlSimulation &sim, const DefinesSettings &settings)
    {
        QString error;
        const bool written = sim.writeCore("dds_under_test", parameterLines(settings), &error);
        if (!written)
            qWarning("%s", qPrintable(error));
        return written;
    }

    QTemporaryDir m_tmp;
    int m_run = 0;
    QString nextDir() { return m_tmp.filePath(QString::number(++m_run)); }
};

void TestRtlCore::matchesModel_data()
{
    QTest::addColumn<DefinesSettings>("settings");
    QTest::addColumn<QString>("synthesis"); // empty: the RTL itself
    QTest::addColumn<QStringList>("defines");
    const QString lut4 = "synth -flatten -top dds_under_test -lut 4";
    const struct
    {
        const char *name;
        DefinesSettings settings;
        bool resync;
        QString synthesis;
    } rows[] = {
            // clang-format off
        {"fixed inc, 48/16 dithering, delay 13", hardwareSettings(PhaseGenAndLut, 1, 48, 16, PhaseDithering, FixedInc, NoOff, 13), false, {}},
        {"fixed inc and off, 2 ch, sine only, delay 3", hardwareSettings(PhaseGenAndLut, 2, 16, 12, NoNoiseShaping, FixedInc, FixedOff, 3, Sine | ChanIdOut), false, {}},
        {"programmable off, no phase out", hardwareSettings(PhaseGenAndLut, 1, 16, 25, NoNoiseShaping, FixedInc, ProgOff, 0, Sine | Cosine), false, {}},
        {"streaming off, 3 ch dithering", hardwareSettings(PhaseGenAndLut, 3, 20, 10, PhaseDithering, FixedInc, StreamOff, 1), false, {}},
        {"programmable inc, fixed off, 48/25 taylor", hardwareSettings(PhaseGenAndLut, 2, 48, 25, TaylorCorrected, ProgInc, FixedOff), false, {}},
        {"programmable inc and off, 8 ch taylor", hardwareSettings(PhaseGenAndLut, 8, 24, 18, TaylorCorrected, ProgInc, ProgOff, 1), false, {}},
        {"programmable inc, streaming off, 2 ch", hardwareSettings(PhaseGenAndLut, 2, 14, 10, PhaseDithering, ProgInc, StreamOff, 4), false, {}},
        {"streaming inc with resync, 1 ch", hardwareSettings(PhaseGenAndLut, 1, 12, 8, PhaseDithering, StreamInc), true, {}},
        {"streaming inc, fixed off, 5 ch taylor", hardwareSettings(PhaseGenAndLut, 5, 30, 20, TaylorCorrected, StreamInc, FixedOff), false, {}},
        {"streaming inc, programmable off, generator", hardwareSettings(PhaseGenOnly, 4, 32, 12, NoNoiseShaping, StreamInc, ProgOff, 5), true, {}},
        {"streaming inc and off, 16 ch cosine only", hardwareSettings(PhaseGenAndLut, 16, 18, 16, NoNoiseShaping, StreamInc, StreamOff, 0, Cosine | ChanIdOut), true, {}},
        {"dithering 10/4", hardwareSettings(PhaseGenAndLut, 1, 10, 4, PhaseDithering), false, {}},
        {"taylor 12/12 without dropped bits", hardwareSettings(PhaseGenAndLut, 1, 12, 12, TaylorCorrected), false, {}},
        {"table only, sine only, delay 2", hardwareSettings(LutOnly, 1, 16, 8, NoNoiseShaping, FixedInc, NoOff, 2, Sine), false, {}},
        {"table only taylor 20/16", hardwareSettings(LutOnly, 1, 20, 16, TaylorCorrected), false, {}},
        {"table only taylor 25/25, delay 12", hardwareSettings(LutOnly, 1, 25, 25, TaylorCorrected, FixedInc, NoOff, 12), false, {}},
        {"netlist, 3 ch streaming inc, dithering", hardwareSettings(PhaseGenAndLut, 3, 20, 10, PhaseDithering, StreamInc, ProgOff), true, lut4},
        {"netlist, 2 ch taylor 16/14", hardwareSettings(PhaseGenAndLut, 2, 16, 14, TaylorCorrected, FixedInc, FixedOff, 1), false, lut4},
            // clang-format on
    };
    for (const auto &r : rows) {
        DefinesSettings s = r.settings;
        s.resyncActive = r.resync;
        QTest::newRow(r.name) << s << r.synthesis << QStringList();
        // The Taylor correction on hard multipliers must give the same bits.
        if (s.noiseShapingHard == TaylorCorrected)
            QTest::addRow("%s, hard multipliers", r.name)
                    << s << r.synthesis << QStringList{"DDS_II_HARD_MULT"};
    }
}

void TestRtlCore::matchesModel()
{
    QFETCH(DefinesSettings, settings);
    QFETCH(QString, synthesis);
    QFETCH(QStringList, defines);
    RtlSimulation sim(nextDir(), defines);
    QVERIFY(writeCore(sim, settings));
    QString error;
    QVERIFY2(sim.lint(&error), qPrintable(error));
    if (!synthesis.isEmpty()) {
        QString log;
        QVERIFY2(sim.synthesize(synthesis, &log, &error), qPrintable(error));
        // Our sources must synthesize without a single warning.
        const QRegularExpression warning("^Warning:.*$", QRegularExpression::MultilineOption);
        QVERIFY2(!warning.match(log).hasMatch(), qPrintable(warning.match(log).captured()));
    }
    const CoreConfig &c = sim.config();
    const int cycles = 200 + 40 * c.channels;
    const Stimulus st = makeStimulus(c, cycles, quint32(cycles + c.phaseWidth));
    QVector<CycleOut> rtl;
    QVERIFY2(sim.run(st.cycles, &rtl, &error), qPrintable(error));
    const QVector<CycleOut> model = sim.model(st.cycles);
    const auto differ = std::mismatch(rtl.cbegin(), rtl.cend(), model.cbegin()).first;
    QVERIFY2(differ == rtl.cend(),
             qPrintable(QString("cycle %1 differs from the model in %2")
                                .arg(differ - rtl.cbegin())
                                .arg(sim.workDir())));

    // Reset and latency: nothing during reset, and the first sample after
    // each reset comes out exactly the chosen latency later.
    const int L = settings.latency.toInt();
    for (const int release : {st.releaseCycle, st.secondRelease}) {
        int first = release;
        while (first < st.cycles.size() && !(c.hasGenerator() && !c.streamed())
               && !st.cycles[first].phaseValid)
            ++first;
        for (int t = release - (release == st.secondRelease ? 2 : 3); t < first + L - 1; ++t)
            QVERIFY2(!rtl[t].dataValid && rtl[t].sine == 0 && rtl[t].cosine == 0,
                     qPrintable(QString("output at cycle %1").arg(t)));
        QVERIFY2(rtl[first + L - 1].dataValid,
                 qPrintable(QString("no sample %1 cycles after cycle %2").arg(L).arg(first)));
    }

    // The signal itself: close to the ideal sine and cosine of the phase.
    if (c.hasTable() && c.phaseOut && c.sineOut && c.cosineOut) {
        const double step = 2 * M_PI * std::ldexp(1.0, -c.addressWidth());
        const double bound
                = c.taylor ? 2.5
                           : std::ldexp(1.0, c.outputWidth - 1) * step * (c.dither ? 2 : 1) + 1.5;
        for (int t = 0; t < rtl.size(); ++t)
            QVERIFY2(!rtl[t].dataValid
                             || nearIdeal(
                                     rtl[t], c.outputWidth, rtl[t].phaseOut, c.phaseWidth, bound),
                     qPrintable(QString("cycle %1: sine %2 cosine %3 at phase %4")
                                        .arg(t)
                                        .arg(rtl[t].sine)
                                        .arg(rtl[t].cosine)
                                        .arg(rtl[t].phaseOut, 0, 16)));
    }
}

void TestRtlCore::tableOnlyCoversEveryAddress_data()
{
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("W");
    QTest::addColumn<QString>("noiseShaping");
    QTest::addColumn<int>("extraLatency");
    QTest::newRow("A=4 W=4") << 4 << 4 << QString(NoNoiseShaping) << 0;
    QTest::newRow("A=10 W=25, delay 3") << 10 << 25 << QString(NoNoiseShaping) << 3;
    QTest::newRow("A=12 W=12 taylor without dropped bits")
            << 12 << 12 << QString(TaylorCorrected) << 0;
    QTest::newRow("A=12 W=21 taylor") << 20 << 21 << QString(TaylorCorrected) << 0;
}

// Every table address once, through phase_i, with all dropped bits set
// (the largest Taylor correction): the whole unfolded circle, each entry
// the rounded ideal value (within the correction's error with Taylor).
void TestRtlCore::tableOnlyCoversEveryAddress()
{
    QFETCH(int, P);
    QFETCH(int, W);
    QFETCH(QString, noiseShaping);
    QFETCH(int, extraLatency);
    RtlSimulation sim(nextDir());
    QVERIFY(writeCore(
            sim, hardwareSettings(LutOnly, 1, P, W, noiseShaping, FixedInc, NoOff, extraLatency)));
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
    QString error;
    QVERIFY2(sim.run(stimulus, &rtl, &error), qPrintable(error));
    QCOMPARE(rtl, sim.model(stimulus));
    int address = 0;
    for (const CycleOut &o : qAsConst(rtl)) {
        if (!o.dataValid)
            continue;
        const quint64 phase = stimulus[2 + address].phaseIn;
        QVERIFY2(c.taylor ? nearIdeal(o, W, phase, P, 2.5)
                          : nearIdeal(o, W, address, c.addressWidth(), 0.5 + 1e-9),
                 qPrintable(QString("address %1: sine %2 cosine %3")
                                    .arg(address)
                                    .arg(o.sine)
                                    .arg(o.cosine)));
        ++address;
    }
    QCOMPARE(address, n);
}

void TestRtlCore::mapsToHardBlocks_data()
{
    QTest::addColumn<DefinesSettings>("settings");
    QTest::addColumn<QStringList>("defines");
    QTest::addColumn<QString>("synthesis");
    QTest::addColumn<QString>("cells"); // the block and how many, as stat prints them
    const QString ice40 = "synth_ice40 -top dds_under_test";
    // The octant table (2^9 entries of 24 bits) in block RAM, not logic.
    QTest::newRow("table in block RAM")
            << hardwareSettings(PhaseGenAndLut, 4, 24, 12, NoNoiseShaping) << QStringList() << ice40
            << "SB_RAM40_4K\\s+[1-9]\\d*";
    // One multiplier per output for the Taylor correction's products.
    QTest::newRow("taylor products on multipliers")
            << hardwareSettings(PhaseGenAndLut, 1, 27, 12, TaylorCorrected)
            << QStringList{"DDS_II_HARD_MULT"} << ice40 + " -dsp"
            << "SB_MAC16\\s+2";
}

void TestRtlCore::mapsToHardBlocks()
{
    QFETCH(DefinesSettings, settings);
    QFETCH(QStringList, defines);
    QFETCH(QString, synthesis);
    QFETCH(QString, cells);
    RtlSimulation sim(nextDir(), defines);
    QVERIFY(writeCore(sim, settings));
    QString log;
    QString error;
    QVERIFY2(sim.synthesize(synthesis, &log, &error), qPrintable(error));
    const QRegularExpression used("^\\s+" + cells + "$", QRegularExpression::MultilineOption);
    QVERIFY2(used.match(log).hasMatch(), qPrintable(log.right(3000)));
}

QTEST_GUILESS_MAIN(TestRtlCore)
#include "tst_rtlcore.moc"
