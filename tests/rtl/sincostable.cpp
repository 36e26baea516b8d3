#include "sincostable.h"

namespace DdsRtl {

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

quint32 lfsrAdvance(quint32 state)
{
    for (int i = 0; i < 16; ++i)
        state = (state & 1u) ? (state >> 1) ^ 0x80200003u : state >> 1;
    return state;
}

} // namespace DdsRtl
