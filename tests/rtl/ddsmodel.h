#pragma once

#include "benchcycles.h"
#include "coreconfig.h"

#include <QVector>

#include <map>

namespace DdsRtl {

/// Sine and cosine of one table entry.
struct SinCos
{
    qint64 sine = 0;
    qint64 cosine = 0;
};

/// Bit- and cycle-exact model of the core: feed it the inputs of each cycle
/// and it returns what the HDL shows after that cycle's rising edge, ports
/// the configuration lacks reading 0.
class DdsModel
{
public:
    DdsModel(const CoreConfig &config, const QVector<quint64> &octantWords);

    CycleOut clock(const CycleIn &in);

private:
    struct Sample
    {
        int chan = 0;
        quint64 phase = 0;
        SinCos value;
    };
    // Burst framing of phase_valid or config_valid beats.
    struct Framer
    {
        int count = 0;
        bool missing = false;
        bool unexpected = false;
        // Registers one beat; true when it ends a well-framed burst.
        bool beat(bool tlast, int channels);
    };

    void reset();
    Sample finish(int chan, quint64 phase);
    void accumulate();

    CoreConfig m_config;
    QVector<quint64> m_octant;
    quint64 m_mask;
    qint64 m_edge = 0;

    // Stage 1 (input register) of the phase generator.
    bool m_valid1 = false;
    int m_chan1 = 0;
    quint64 m_inc1 = 0;
    quint64 m_off1 = 0;
    bool m_resync1 = false;

    int m_slot = 0;
    Framer m_phaseFramer;
    Framer m_configFramer;
    QVector<quint64> m_acc;
    QVector<quint64> m_progInc;
    QVector<quint64> m_progOff;
    QVector<quint64> m_shadowInc;
    QVector<quint64> m_shadowOff;
    quint32 m_lfsr = 0; // the dither source

    std::map<qint64, Sample> m_pending; // by the edge that loads the output register
    CycleOut m_out;
};

} // namespace DdsRtl
