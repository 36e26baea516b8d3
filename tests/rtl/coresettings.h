#pragma once

#include "definesbuilder.h"

namespace DdsRtl {

enum Inc { FixedInc, ProgInc, StreamInc };
enum Off { NoOff, FixedOff, ProgOff, StreamOff };
enum Output { Sine = 1, Cosine = 2, PhaseOut = 4, ChanIdOut = 8, AllOutputs = 15 };

/// The dialog's choices for a core under "Hardware Parameters": the minimum
/// latency plus `extraLatency`, distinct odd increments and offsets per
/// channel, and the `outputs` the core can have (phase out with a
/// generator, channel id with several channels).
IPDDSYN::Generation::DefinesSettings hardwareSettings(const QString &configuration,
                                                      int channels,
                                                      int P,
                                                      int W,
                                                      const QString &noiseShaping,
                                                      Inc inc = FixedInc,
                                                      Off off = NoOff,
                                                      int extraLatency = 0,
                                                      int outputs = AllOutputs);

} // namespace DdsRtl
