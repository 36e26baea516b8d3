#include "coresettings.h"

#include "dialogrules.h"

#include <QRandomGenerator>

using IPDDSYN::Generation::DefinesSettings;

namespace DdsRtl {

const char *const kBoth = "Phase Generator and SIN COS LUT";
const char *const kGenerator = "Phase Generator Only";
const char *const kTable = "SIN COS LUT Only";

DefinesSettings hardwareSettings(const char *configuration,
                                 int channels,
                                 int P,
                                 int W,
                                 const char *noiseShaping,
                                 Inc inc,
                                 Off off,
                                 int extraLatency)
{
    DefinesSettings s;
    s.series = QStringLiteral("RQ3A");
    s.configuration = QLatin1String(configuration);
    s.workMode = s.configuration == QLatin1String(kBoth)        ? 0
                 : s.configuration == QLatin1String(kGenerator) ? 1
                                                                : 2;
    s.channels = QString::number(channels);
    s.parameterSelection = QStringLiteral("Hardware Parameters");
    s.noiseShapingSys = QStringLiteral("None");
    s.noiseShapingHard = QLatin1String(noiseShaping);
    s.hardPhaseWidth = P;
    s.hardOutputWidth = W;
    s.fixedInc = inc == FixedInc;
    s.programmableInc = inc == ProgInc;
    s.streamingInc = inc == StreamInc;
    s.noneOff = off == NoOff;
    s.fixedOff = off == FixedOff;
    s.programmableOff = off == ProgOff;
    s.streamingOff = off == StreamOff;
    s.sinAndcos = true;
    s.hasPhaseOut = s.workMode != 2;
    s.channelIdOut = channels > 1;
    // The smallest latency the dialog offers: the tests check the core's timing against it.
    const int minimum = IPDDSYN::Rules::firstLatency(
            s.configuration, s.parameterSelection, s.noiseShapingSys, s.noiseShapingHard);
    s.latency = QString::number(minimum + extraLatency);
    // Distinct increments and offsets per channel, some beyond an octant.
    QRandomGenerator rng(quint32(P * 131 + W * 7 + channels));
    const quint64 mask = (quint64(1) << P) - 1;
    for (int i = 0; i < 16; ++i) {
        s.frequencies << QString::number((rng.generate64() & mask) | 1, 16).toUpper();
        s.phases << QString::number(rng.generate64() & mask, 16);
    }
    return s;
}

DefinesSettings withOutputs(DefinesSettings s, bool sine, bool cosine, bool phaseOut, bool chanId)
{
    s.sinAndcos = sine && cosine;
    s.sine = sine && !cosine;
    s.cosine = cosine && !sine;
    s.hasPhaseOut = phaseOut;
    s.channelIdOut = chanId;
    return s;
}

DefinesSettings withResync(DefinesSettings s)
{
    s.resyncActive = true;
    return s;
}

DefinesSettings
systemSettings(const QString &noiseShaping, int channels, double clock, int P, int W)
{
    DefinesSettings s = hardwareSettings(kBoth, channels, P, W, "None");
    s.parameterSelection = QStringLiteral("System Parameters");
    s.noiseShapingSys = noiseShaping;
    s.sysPhaseWidth = P;
    s.sysOutputWidth = W;
    s.systemClock = clock;
    for (int i = 0; i < 16; ++i) {
        s.frequencies[i] = QString::number(clock / channels * (i + 1) / 37.0);
        s.phases[i] = QString::number((i % 8) / 8.0 + 0.01);
    }
    s.latency = QString::number(
            IPDDSYN::Rules::firstLatency(s.configuration, s.parameterSelection, noiseShaping, {})
            + 3);
    return s;
}

} // namespace DdsRtl
