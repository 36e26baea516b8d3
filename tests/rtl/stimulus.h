#pragma once

#include "coreconfig.h"
#include "ddsmodel.h"

#include <QVector>

namespace DdsRtl {

/// Cycles of core inputs, by the cycle whose edge samples them.
struct Stimulus
{
    QVector<CycleIn> cycles;
    int releaseCycle = 0; // first cycle after the initial reset
    int secondReset = 0;  // first cycle of the mid-run reset
    int secondRelease = 0;
};

/// Reset, a stretch of traffic, a reset in mid-run, more traffic. Streamed
/// beats come with gaps (tlast random between them); bursts are well framed
/// except for one early and one missing tlast (on each interface with more
/// than one channel).
Stimulus makeStimulus(const CoreConfig &c, int cycles, quint32 seed);

} // namespace DdsRtl
