#pragma once

#include <QString>
#include <QVector>

namespace DdsRtl {

struct SinCos
{
    qint64 sine = 0;
    qint64 cosine = 0;
};

/// Reads a table file: one hex word a line, entries 1 to N/8 of the
/// first octant (N = 2^A), sine in the upper W bits. Tables of 2 and 4
/// entries hold entry 0 alone. False with a message naming the file and the
/// line when the file is missing, short, long or not hex.
bool readOctantFile(const QString &path, int W, int A, QVector<quint64> *words, QString *error);

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
