#pragma once

#include "benchcycles.h"
#include "coreconfig.h"

#include <QString>
#include <QVector>

namespace DdsRtl {

/// How a core is driven and channel 0 recorded so that its spectrum says
/// what the core can do: a whole phase period (coherent) where it fits,
/// otherwise a windowed record.
struct RecordPlan
{
    bool coherent = false;
    int length = 0;        // channel 0 samples in the record
    int lanes = 1;         // samples of other channels between two of channel 0
    int carrierBin = 0;    // coherent records: where the carrier falls
    double frequency = 0;  // channel 0's tone in cycles per sample, below 1/2
    quint64 increment = 0; // channel 0's phase step
    bool driven = false;   // the step is ours, through the core's ports
    int skip = 0;          // valid outputs before the record
    int cycles = 0;        // clock cycles to simulate
};

/// The SNR the core's quantization allows: the amplitude's (6.02W + 1.76 dB)
/// combined with the phase error's (1/12 of a table step squared truncated,
/// 1/6 dithered, none with the Taylor correction).
double expectedSnrDb(const CoreConfig &c);

/// The record for a core, long enough that its noise floor, summed as a
/// spur is, stays clear of `requestedSfdrDb`: its own channel 0 step when the increment is
/// fixed, otherwise an odd step (every phase visited) driven through the
/// programming burst, the streamed beats or, without a phase generator, a
/// phase ramp. Fails for a core without the table or with no tone to measure.
bool planRecord(const CoreConfig &c, double requestedSfdrDb, RecordPlan &plan, QString &error);

/// Reset, then the beats and the burst the plan needs, cycle by cycle.
QVector<CycleIn> recordStimulus(const CoreConfig &c, const RecordPlan &plan);

} // namespace DdsRtl
