#include "ddsmodel.h"

namespace DdsRtl {

namespace {

constexpr quint32 kLfsrSeed = 0x1d872b41u; // the state after reset

// Entry `index` (0 to 2^A - 1) of the full-circle table, by quadrant
// symmetry from the octant words; the angle-0 entry is (0, 2^(W-1) - 2).
SinCos fullCircleEntry(const QVector<quint64> &octantWords, int W, int A, quint64 index)
{
    // Tables below 4 entries are read on the 4-entry grid.
    if (A < 2) {
        index <<= 2 - A;
        A = 2;
    }
    const quint64 quarter = quint64(1) << (A - 2);
    const quint64 eighth = quarter / 2;
    const quint64 mask = (quint64(1) << W) - 1;
    const auto entry = [&](quint64 k) {
        if (k == 0)
            return SinCos{0, (qint64(1) << (W - 1)) - 2};
        const quint64 word = octantWords.at(int(k - 1));
        return SinCos{qint64(word >> W), qint64(word & mask)};
    };

    const quint64 quadrant = index / quarter;
    const quint64 j = index % quarter;
    SinCos v;
    if (j <= eighth) {
        v = entry(j);
    } else {
        const SinCos mirrored = entry(quarter - j);
        v = {mirrored.cosine, mirrored.sine};
    }
    switch (quadrant) {
    case 1:
        return {v.cosine, -v.sine};
    case 2:
        return {-v.sine, -v.cosine};
    case 3:
        return {-v.cosine, v.sine};
    default:
        return v;
    }
}

// First-order correction of (sin x, cos x) by the angle of `frac`
// (fracBits bits below the table address), saturated to +-(2^(W-1) - 1).
SinCos taylorCorrected(SinCos x, quint64 frac, int fracBits, int W, int A)
{
    if (fracBits == 0)
        return x;
    // d = 2*pi * frac / 2^fracBits, in units of 2^-16 of one table step.
    constexpr quint64 kTwoPi = 411775; // round(2*pi * 2^16)
    const quint64 d = (frac * kTwoPi + (quint64(1) << (fracBits - 1))) >> fracBits;
    const int shift = 16 + A;
    const qint64 half = qint64(1) << (shift - 1);
    // Arithmetic right shift, as >>> in the HDL.
    const auto scaled = [&](qint64 v) { return (v * qint64(d) + half) >> shift; };
    const qint64 top = (qint64(1) << (W - 1)) - 1;
    const auto saturate = [&](qint64 v) { return v > top ? top : v < -top ? -top : v; };
    return {saturate(x.sine + scaled(x.cosine)), saturate(x.cosine - scaled(x.sine))};
}

// The dither source: a 32-bit Galois LFSR advanced 16 steps per sample.
quint32 lfsrAdvance(quint32 state)
{
    for (int i = 0; i < 16; ++i)
        state = (state & 1u) ? (state >> 1) ^ 0x80200003u : state >> 1;
    return state;
}

// The outputs as the ports of this configuration show them: absent ports read 0.
CycleOut visibleOutputs(const CoreConfig &config, CycleOut out)
{
    if (!config.phaseOut)
        out.phaseOut = 0;
    if (!config.sineOut || !config.hasTable())
        out.sine = 0;
    if (!config.cosineOut || !config.hasTable())
        out.cosine = 0;
    if (!config.chanIdOut)
        out.chanId = 0;
    if (!config.streamed() || !config.multiChannel())
        out.phaseTlastMissing = out.phaseTlastUnexpected = false;
    if (!config.configured() || !config.multiChannel())
        out.configTlastMissing = out.configTlastUnexpected = false;
    return out;
}

} // namespace

bool DdsModel::Framer::beat(bool tlast, int channels)
{
    const bool multi = channels > 1;
    const bool last = count == channels - 1;
    missing = multi && last && !tlast;
    unexpected = multi && !last && tlast;
    count = (last || (tlast && multi)) ? 0 : count + 1;
    return !multi || (last && tlast);
}

DdsModel::DdsModel(const CoreConfig &config, const QVector<quint64> &octantWords)
    : m_config(config)
    , m_octant(octantWords)
    , m_mask(config.phaseWidth >= 64 ? ~0ULL : (1ULL << config.phaseWidth) - 1)
{
    reset();
}

void DdsModel::reset()
{
    m_valid1 = false;
    m_slot = 0;
    m_phaseFramer = {};
    m_configFramer = {};
    const int n = m_config.channels;
    m_acc = QVector<quint64>(n, 0);
    m_progInc = m_config.incInit.mid(0, n);
    m_progOff = m_config.offInit.mid(0, n);
    m_shadowInc = QVector<quint64>(n, 0);
    m_shadowOff = QVector<quint64>(n, 0);
    m_lfsr = kLfsrSeed;
    m_pending.clear();
    m_out = {};
}

DdsModel::Sample DdsModel::finish(int chan, quint64 phase)
{
    Sample s{chan, phase, {}};
    if (!m_config.hasTable())
        return s;
    const int T = m_config.truncWidth;
    const int W = m_config.outputWidth;
    const int A = m_config.addressWidth();
    quint64 lutPhase = phase;
    if (m_config.dither && T > 0) {
        const int bits = qMin(T, 16);
        m_lfsr = lfsrAdvance(m_lfsr);
        const quint64 dither = quint64(m_lfsr & ((1u << bits) - 1)) << (T - bits);
        lutPhase = (phase + dither) & m_mask;
    }
    s.value = fullCircleEntry(m_octant, W, A, lutPhase >> T);
    if (m_config.taylor) {
        const int fracBits = qMin(T, 16);
        const quint64 frac = (lutPhase >> (T - fracBits)) & ((quint64(1) << fracBits) - 1);
        s.value = taylorCorrected(s.value, frac, fracBits, W, A);
    }
    return s;
}

// Stage 2 and 3 of the sample registered at the previous edge: the
// accumulator's read-modify-write, then the offset.
void DdsModel::accumulate()
{
    if (!m_valid1)
        return;
    const int c = m_chan1;
    quint64 inc = m_config.incInit.at(c);
    if (m_config.increment == CoreConfig::Increment::Programmable)
        inc = m_progInc.at(c);
    else if (m_config.increment == CoreConfig::Increment::Streaming)
        inc = m_inc1;
    const CoreConfig::Offset kind = m_config.offset;
    const quint64 off = kind == CoreConfig::Offset::Fixed          ? m_config.offInit.at(c)
                        : kind == CoreConfig::Offset::Programmable ? m_progOff.at(c)
                        : kind == CoreConfig::Offset::Streaming    ? m_off1
                                                                   : 0;
    const quint64 base = m_resync1 ? 0 : m_acc.at(c);
    m_acc[c] = (base + inc) & m_mask;
    // Entered at the previous edge; the output register takes it L - 1 edges later.
    m_pending[m_edge - 1 + m_config.latency() - 1] = finish(c, (base + off) & m_mask);
}

CycleOut DdsModel::clock(const CycleIn &in)
{
    if (!in.rstN) {
        reset();
        ++m_edge;
        return m_out;
    }
    const int n = m_config.channels;

    if (m_config.hasGenerator()) {
        accumulate();

        // Programming bursts: the set becomes active with the last beat.
        if (m_config.configured() && in.configValid) {
            const int c = m_configFramer.count;
            m_shadowInc[c] = in.configInc & m_mask;
            m_shadowOff[c] = in.configOff & m_mask;
            if (m_configFramer.beat(in.configTlast, n)) {
                m_progInc = m_shadowInc;
                m_progOff = m_shadowOff;
            }
        } else {
            m_configFramer.missing = m_configFramer.unexpected = false;
        }

        // Stage 1: the slot or beat that enters now.
        if (m_config.streamed()) {
            m_valid1 = in.phaseValid;
            m_chan1 = m_phaseFramer.count;
            if (in.phaseValid)
                m_phaseFramer.beat(in.phaseTlast, n);
            else
                m_phaseFramer.missing = m_phaseFramer.unexpected = false;
        } else {
            m_valid1 = true;
            m_chan1 = m_slot;
            m_slot = (m_slot + 1) % n;
        }
        m_inc1 = in.phaseInc & m_mask;
        m_off1 = in.phaseOff & m_mask;
        m_resync1 = m_config.resync && in.phaseResync;
    } else if (in.phaseValid) {
        m_pending[m_edge + m_config.latency() - 1] = finish(0, in.phaseIn & m_mask);
    }

    const auto due = m_pending.find(m_edge);
    m_out.dataValid = due != m_pending.end();
    if (m_out.dataValid) {
        m_out.chanId = due->second.chan;
        m_out.phaseOut = due->second.phase;
        m_out.sine = due->second.value.sine;
        m_out.cosine = due->second.value.cosine;
        m_pending.erase(due);
    }
    m_out.phaseTlastMissing = m_phaseFramer.missing;
    m_out.phaseTlastUnexpected = m_phaseFramer.unexpected;
    m_out.configTlastMissing = m_configFramer.missing;
    m_out.configTlastUnexpected = m_configFramer.unexpected;
    ++m_edge;
    return visibleOutputs(m_config, m_out);
}

} // namespace DdsRtl
