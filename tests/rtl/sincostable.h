#pragma once

#include <QVector>

namespace DdsRtl {

struct SinCos
{
    qint64 sine = 0;
    qint64 cosine = 0;
};

/// Entry `index` (0 to 2^A - 1) of the full-circle table, by quadrant
/// symmetry from the octant words; the angle-0 entry is (0, 2^(W-1) - 2).
SinCos fullCircleEntry(const QVector<quint64> &octantWords, int W, int A, quint64 index);

/// First-order correction of (sin x, cos x) by the angle of `frac`
/// (fracBits bits below the table address), saturated to +-(2^(W-1) - 1).
SinCos taylorCorrected(SinCos x, quint64 frac, int fracBits, int W, int A);

/// The dither source: a 32-bit Galois LFSR advanced 16 steps per sample.
quint32 lfsrAdvance(quint32 state);

/// The LFSR's state after reset.
constexpr quint32 kLfsrSeed = 0x1d872b41u;

} // namespace DdsRtl
