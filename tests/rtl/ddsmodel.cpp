#include "ddsmodel.h"

namespace DdsRtl {

bool DdsModel::Framer::beat(bool tlast, int channels)
{
    const bool multi = channels > 1;
    const bool last = count == channels - 1;
    missing = multi && last && !tlast;
    unexpected = multi && !last && tlast;
    count = (last || (tlast && multi)) ? 0 : count + 1;
    return !multi || (last && tlast);
}

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
    quint64 off = 0;
    switch (m_config.offset) {
    case CoreConfig::Offset::Fixed:
        off = m_config.offInit.at(c);
        break;
    case CoreConfig::Offset::Programmable:
        off = m_progOff.at(c);
        break;
    case CoreConfig::Offset::Streaming:
        off = m_off1;
        break;
    case CoreConfig::Offset::None:
        break;
    }
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
    return m_out;
}

} // namespace DdsRtl
