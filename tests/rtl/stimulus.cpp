#include "stimulus.h"

#include <QRandomGenerator>

namespace DdsRtl {

Stimulus makeStimulus(const CoreConfig &c, int cycles, quint32 seed)
{
    QRandomGenerator rng(seed);
    Stimulus st;
    const quint64 mask = (quint64(1) << c.phaseWidth) - 1;
    const int n = c.channels;
    st.releaseCycle = 3;
    st.secondReset = cycles / 2;
    st.secondRelease = st.secondReset + 2;
    int beat = 0;
    int configBeat = 0;
    int burstsDone = 0;
    int nextBurst = st.releaseCycle + 20;
    quint64 sweep = 0;
    for (int t = 0; t < cycles; ++t) {
        CycleIn in;
        // tlast means nothing without valid.
        in.phaseTlast = rng.bounded(2);
        in.configTlast = rng.bounded(2);
        in.rstN = t >= st.releaseCycle && !(t >= st.secondReset && t < st.secondRelease);
        if (t == st.secondReset) {
            beat = 0;
            configBeat = 0;
        }
        if (c.hasGenerator() && c.streamed()) {
            in.phaseValid = rng.bounded(10) < 7;
            in.phaseInc = rng.generate64() & mask;
            in.phaseOff = rng.generate64() & mask;
            in.phaseResync = rng.bounded(20) == 0;
            if (in.phaseValid && in.rstN) {
                const bool last = beat == n - 1;
                in.phaseTlast = last;
                if (n > 1 && t == cycles / 4)
                    in.phaseTlast = !last; // one misframed beat
                beat = (last || in.phaseTlast) ? 0 : beat + 1;
            }
        }
        if (!c.hasGenerator()) {
            in.phaseValid = rng.bounded(10) < 8;
            in.phaseIn
                    = (t % 3 == 0) ? (rng.generate64() & mask) : (sweep++ << c.truncWidth) & mask;
        }
        if (c.configured() && in.rstN && t >= nextBurst) {
            in.configValid = true;
            in.configInc = rng.generate64() & mask;
            in.configOff = rng.generate64() & mask;
            const bool last = configBeat == n - 1;
            in.configTlast = last;
            if (n > 1 && burstsDone == 1 && configBeat == n / 2 && !last)
                in.configTlast = true; // early tlast: the burst is dropped
            else if (n > 1 && burstsDone == 2 && last)
                in.configTlast = false; // missing tlast: dropped as well
            configBeat = (last || in.configTlast) ? 0 : configBeat + 1;
            if (configBeat == 0) {
                ++burstsDone;
                nextBurst = t + 15 + int(rng.bounded(30));
            }
        }
        st.cycles << in;
    }
    return st;
}

} // namespace DdsRtl
