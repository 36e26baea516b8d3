#include "recordplan.h"

#include "errorreport.h"
#include "translate.h"

#include <cmath>

namespace DdsRtl {

namespace {

constexpr int kResetCycles = 3;
constexpr int kRecordCycles = 4096; // Icarus runs a gate-level core at about 1000 cycles/s
constexpr int kMinRecord = 1024;
constexpr int kMaxRecord = 32768;
constexpr int kGuardBins = 16;

int ceilPowerOfTwo(int n)
{
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

} // namespace

double expectedSnrDb(const CoreConfig &c)
{
    const double quantization = std::pow(10.0, -(6.02 * c.outputWidth + 1.76) / 10);
    double phase = 0;
    if (!c.taylor && c.truncWidth > 0) {
        const double variance = c.dither ? 1.0 / 6 : 1.0 / 12;
        phase = std::pow(2 * M_PI * std::ldexp(1.0, -c.addressWidth()), 2) * variance;
    }
    return -10 * std::log10(quantization + phase);
}

bool planRecord(const CoreConfig &c, double requestedSfdrDb, RecordPlan &plan, QString &error)
{
    plan = RecordPlan();
    if (!c.hasTable())
        return IPCore::fail(error,
                            tr("The core is a phase generator only: it has no sine or "
                               "cosine output to measure."));
    if (!c.sineOut && !c.cosineOut)
        return IPCore::fail(error, tr("The core has neither sine_o nor cosine_o to measure."));
    const int P = c.phaseWidth;
    const quint64 mask = (quint64(1) << P) - 1;
    plan.lanes = c.hasGenerator() ? c.channels : 1;
    plan.driven = !c.hasGenerator() || c.increment != CoreConfig::Increment::Fixed;
    plan.increment = plan.driven ? (quint64(std::ldexp(0.1037, P)) | 1) & mask : c.incInit[0];
    if (plan.increment == 0)
        return IPCore::fail(error,
                            tr("Channel 0's frequency is 0: the core makes no tone to "
                               "measure."));
    const double cycle = std::ldexp(double(plan.increment), -P);
    plan.frequency = std::min(cycle, 1.0 - cycle);
    plan.length = std::max(kMinRecord, kRecordCycles / ceilPowerOfTwo(plan.lanes));
    // Noise summed over a spur's bins reads about SNR + 10 log10(N/2) - 15 dB
    // below the carrier; keep it 4 dB under the SFDR asked for.
    const double binsNeeded = std::pow(10.0, (requestedSfdrDb - expectedSnrDb(c) + 19) / 10);
    while (plan.length / 2 < binsNeeded && plan.length < kMaxRecord)
        plan.length *= 2;

    // The phase repeats after 2^P over the step's lowest set bit.
    const quint64 lowest = plan.increment & (~plan.increment + 1);
    const quint64 period = (mask / lowest) + 1;
    if (period <= quint64(plan.length)) {
        plan.coherent = true;
        const quint64 bin = (plan.increment / lowest) * (quint64(plan.length) / period);
        plan.carrierBin = int(std::min(bin, quint64(plan.length) - bin));
        if (2 * plan.carrierBin == plan.length)
            return IPCore::fail(error,
                                tr("Channel 0's frequency is half the sample rate: its "
                                   "samples cannot tell a sine."));
    } else {
        // The window needs the carrier clear of DC and of the band's edge.
        const double margin = 2 * kGuardBins + 4;
        while (plan.frequency * plan.length < margin && plan.length < kMaxRecord)
            plan.length *= 2;
        const double bin = plan.frequency * plan.length;
        if (bin < margin || bin > plan.length / 2 - margin)
            return IPCore::fail(error,
                                tr("Channel 0's frequency (%1 of the sample rate) is too "
                                   "close to 0 or to half the sample rate for a record "
                                   "of %2 samples.")
                                        .arg(plan.frequency)
                                        .arg(plan.length));
    }
    // A new step counts from the sample after the one that takes it.
    plan.skip = 2 * plan.lanes;
    plan.cycles = kResetCycles + plan.skip + plan.length * plan.lanes + c.latency() + 2;
    return true;
}

QVector<CycleIn> recordStimulus(const CoreConfig &c, const RecordPlan &plan)
{
    const quint64 mask = (quint64(1) << c.phaseWidth) - 1;
    QVector<CycleIn> cycles(plan.cycles);
    for (int t = 0; t < plan.cycles; ++t) {
        CycleIn &in = cycles[t];
        in.rstN = t >= kResetCycles;
        if (!in.rstN)
            continue;
        const int beat = t - kResetCycles;
        if (!c.hasGenerator()) {
            in.phaseValid = true;
            in.phaseIn = (quint64(beat) * plan.increment) & mask;
            continue;
        }
        if (c.streamed()) {
            in.phaseValid = true;
            in.phaseInc = plan.increment;
            in.phaseTlast = beat % plan.lanes == plan.lanes - 1;
        }
        if (c.configured() && beat < plan.lanes) {
            in.configValid = true;
            in.configInc = plan.increment;
            in.configTlast = beat == plan.lanes - 1;
        }
    }
    return cycles;
}

} // namespace DdsRtl
