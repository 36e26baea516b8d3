// The heavy sweep of the DDS core over the configurations the dialog can
// produce: every work mode, channel counts 1/2/3/16, every increment and
// offset programmability, resync, the three noise shapings, widths from
// the ends and the inside of the dialog's ranges, outputs and extra latency
// in rotation. Each core is linted with Verilator and simulated with Icarus
// against the model; every Nth is also synthesized with Yosys
// (synth -flatten -lut 4) and its netlist simulated against the model.
//
//   bench_rtlsweep [N]     (default 13; 0 skips synthesis)
#include "coresettings.h"
#include "dialogrules.h"
#include "rtlsimulation.h"
#include "stimulus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace DdsRtl;
using namespace IPDDSYN::Rules;
using IPDDSYN::Generation::DefinesSettings;

namespace {

struct Widths
{
    int P;
    int W;
};

// A phase and output width inside the dialog's ranges for the choice; the
// first picks sit on the range ends.
Widths
pickWidths(const QString &configuration, const QString &shaping, int pick, QRandomGenerator &rng)
{
    const bool tableOnly = configuration == LutOnly;
    const bool generatorOnly = configuration == PhaseGenOnly;
    const bool taylor = shaping == TaylorCorrected;
    const bool dither = shaping == PhaseDithering;
    const int pLow = taylor ? 12 : 4;
    const int pHigh = tableOnly ? (taylor ? 25 : 16) : 48;
    const int P = pick == 0 ? pLow : pick == 1 ? pHigh : pLow + int(rng.bounded(pHigh - pLow + 1));
    if (generatorOnly)
        return {P, 12};
    const int wLow = taylor ? 12 : 4;
    int wHigh = 25;
    if (!tableOnly && !taylor)
        wHigh = dither ? (P <= 16 ? P + 2 : 18) : (P <= 16 ? 25 : 16);
    const int W = pick == 0 ? wHigh : pick == 1 ? wLow : wLow + int(rng.bounded(wHigh - wLow + 1));
    return {P, W};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int synthEvery = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 13;
    QRandomGenerator rng(2026);
    QTemporaryDir tmp;

    struct Case
    {
        QString name;
        DefinesSettings settings;
    };
    QVector<Case> cases;
    const QStringList shapings = {NoNoiseShaping, PhaseDithering, TaylorCorrected};
    int pick = 0;
    const auto add = [&](const QString &configuration,
                         int channels,
                         const QString &shaping,
                         Inc inc,
                         Off off,
                         bool resync) {
        const Widths w = pickWidths(configuration, shaping, pick % 5, rng);
        const int outputs = (pick % 3 != 1 ? Sine : 0) | (pick % 3 != 0 ? Cosine : 0)
                            | (pick % 4 != 3 ? PhaseOut : 0) | (pick % 2 == 0 ? ChanIdOut : 0);
        DefinesSettings s = hardwareSettings(
                configuration, channels, w.P, w.W, shaping, inc, off, pick % 14, outputs);
        s.resyncActive = resync;
        cases.append({QStringLiteral("%1 | %2 ch | %3 | P=%4 W=%5 | inc %6 off %7%8 | delay %9")
                              .arg(configuration)
                              .arg(channels)
                              .arg(shaping)
                              .arg(w.P)
                              .arg(w.W)
                              .arg(inc)
                              .arg(off)
                              .arg(resync ? QStringLiteral(" resync") : QString())
                              .arg(pick % 14),
                      s});
        ++pick;
    };
    for (const int channels : {1, 2, 3, 16}) {
        for (const Inc inc : {FixedInc, ProgInc, StreamInc}) {
            for (const Off off : {NoOff, FixedOff, ProgOff, StreamOff}) {
                for (const bool resync : {false, true}) {
                    if (resync && inc != StreamInc)
                        continue;
                    for (const QString &shaping : shapings)
                        add(PhaseGenAndLut, channels, shaping, inc, off, resync);
                    add(PhaseGenOnly, channels, NoNoiseShaping, inc, off, resync);
                }
            }
        }
    }
    for (int i = 0; i < 6; ++i) {
        add(LutOnly, 1, NoNoiseShaping, FixedInc, NoOff, false);
        add(LutOnly, 1, TaylorCorrected, FixedInc, NoOff, false);
    }

    int failures = 0;
    int synthesized = 0;
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < cases.size(); ++i) {
        const Case &c = cases[i];
        RtlSimulation sim(tmp.filePath(QString::number(i)));
        QString error;
        QString log;
        const QString module = QStringLiteral("sweep_%1").arg(i);
        bool ok = sim.writeCore(module, IPDDSYN::Generation::parameterLines(c.settings), &error)
                  && sim.lint(&error);
        QVector<CycleIn> stimulus;
        QVector<CycleOut> rtl;
        if (ok) {
            stimulus = makeStimulus(sim.config(), 500, quint32(i)).cycles;
            ok = sim.run(stimulus, &rtl, &error);
        }
        if (ok && rtl != sim.model(stimulus)) {
            ok = false;
            error = QStringLiteral("RTL differs from the model");
        }
        const bool synth = ok && synthEvery > 0 && i % synthEvery == 0;
        if (synth) {
            ok = sim.synthesize(
                         QStringLiteral("synth -flatten -top %1 -lut 4").arg(module), &log, &error)
                 && sim.run(stimulus, &rtl, &error);
            if (ok && rtl != sim.model(stimulus)) {
                ok = false;
                error = QStringLiteral("netlist differs from the model");
            }
            if (ok && log.contains(QLatin1String("\nWarning:"))) {
                ok = false;
                error = QStringLiteral("Yosys warnings");
            }
            ++synthesized;
        }
        failures += !ok;
        std::printf("%3d %s %s%s\n",
                    i + 1,
                    ok ? "ok  " : "FAIL",
                    qPrintable(c.name),
                    synth ? " [synthesized]" : "");
        if (!ok)
            std::printf("      %s\n      (in %s)\n",
                        qPrintable(error.left(2000)),
                        qPrintable(sim.workDir()));
        std::fflush(stdout);
    }
    std::printf("%d configurations (%d synthesized), %d failed, %.0f s\n",
                int(cases.size()),
                synthesized,
                failures,
                total.elapsed() / 1000.0);
    if (failures)
        tmp.setAutoRemove(false);
    return failures == 0 ? 0 : 1;
}
