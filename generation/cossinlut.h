#pragma once

#include <QVector>
#include <QtGlobal>

namespace IPDDSYN {
namespace Generation {

/// The words of cos_sin_lut.dat for output width W, phase width P and
/// truncation width T: entries 1 to N/8 of the packed table (sine in the upper
/// W bits, cosine in the lower W bits) with N = 2^(P - T). Empty when the
/// table would have fewer than 2 entries.
QVector<quint64> cosSinLutWords(int W, int P, int T);

/// The whole packed table of N/2 entries computed the long way, every
/// sample of the circle with both peaks searched; negative samples in W-bit
/// two's complement. The file holds an octant of it; this is for diagnostics.
QVector<double> packedTable(int W, int P, int T);

/// Rounds half upward to a 64-bit integer, as the table and the defines do;
/// beyond the 64-bit range the nearer end of it, 0 for NaN.
qint64 roundHalfUp(double t);

} // namespace Generation
} // namespace IPDDSYN
