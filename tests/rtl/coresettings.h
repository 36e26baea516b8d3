#pragma once

#include "definesbuilder.h"

namespace DdsRtl {

extern const char *const kBoth;      // "Phase Generator and SIN COS LUT"
extern const char *const kGenerator; // "Phase Generator Only"
extern const char *const kTable;     // "SIN COS LUT Only"

enum Inc { FixedInc, ProgInc, StreamInc };
enum Off { NoOff, FixedOff, ProgOff, StreamOff };

/// The dialog's choices for a core under "Hardware Parameters": sine and
/// cosine out, phase out with a generator, channel id with several
/// channels, the minimum latency plus `extraLatency`, and distinct odd
/// increments and offsets per channel.
IPDDSYN::Generation::DefinesSettings hardwareSettings(const char *configuration,
                                                      int channels,
                                                      int P,
                                                      int W,
                                                      const char *noiseShaping,
                                                      Inc inc = FixedInc,
                                                      Off off = NoOff,
                                                      int extraLatency = 0);

/// The same choices with other outputs.
IPDDSYN::Generation::DefinesSettings withOutputs(
        IPDDSYN::Generation::DefinesSettings s, bool sine, bool cosine, bool phaseOut, bool chanId);

/// The same choices with resynchronisation enabled and checked.
IPDDSYN::Generation::DefinesSettings withResync(IPDDSYN::Generation::DefinesSettings s);

/// A core under "System Parameters" with the given derived widths.
IPDDSYN::Generation::DefinesSettings
systemSettings(const QString &noiseShaping, int channels, double clock, int P, int W);

} // namespace DdsRtl
