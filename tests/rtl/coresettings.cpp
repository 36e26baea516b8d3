#include "coresettings.h"

#include "dialogrules.h"

#include <QRandomGenerator>

using IPDDSYN::Generation::DefinesSettings;
using namespace IPDDSYN::Rules;

namespace DdsRtl {

DefinesSettings hardwareSettings(const QString &configuration,
                                 int channels,
                                 int P,
                                 int W,
                                 const QString &noiseShaping,
                                 Inc inc,
                                 Off off,
                                 int extraLatency,
                                 int outputs)
{
    DefinesSettings s;
    s.series = "RQ3A";
    s.configuration = configuration;
    s.workMode = configuration == PhaseGenAndLut ? 0 : configuration == PhaseGenOnly ? 1 : 2;
    s.channels = QString::number(channels);
    s.parameterSelection = HardwareParameters;
    s.noiseShapingSys = NoNoiseShaping;
    s.noiseShapingHard = noiseShaping;
    s.hardPhaseWidth = P;
    s.hardOutputWidth = W;
    s.fixedInc = inc == FixedInc;
    s.programmableInc = inc == ProgInc;
    s.streamingInc = inc == StreamInc;
    s.noneOff = off == NoOff;
    s.fixedOff = off == FixedOff;
    s.programmableOff = off == ProgOff;
    s.streamingOff = off == StreamOff;
    s.sine = (outputs & (Sine | Cosine)) == Sine;
    s.cosine = (outputs & (Sine | Cosine)) == Cosine;
    s.sinAndcos = (outputs & (Sine | Cosine)) == (Sine | Cosine);
    s.hasPhaseOut = (outputs & PhaseOut) && s.workMode != 2;
    s.channelIdOut = (outputs & ChanIdOut) && channels > 1;
    // The smallest latency the dialog offers: the tests check the core's timing against it.
    const int minimum = firstLatency(
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

} // namespace DdsRtl
