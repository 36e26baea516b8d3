#include "cossinlut.h"

#include <QtMath>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace IPDDSYN {
namespace Generation {

qint64 roundHalfUp(double t)
{
    // Only an absurd entry leaves the 64-bit range; its nearer end is taken.
    if (std::isnan(t))
        return 0;
    if (t + 0.5 >= 0x1p63)
        return std::numeric_limits<qint64>::max();
    if (t - 1.0 < -0x1p63)
        return std::numeric_limits<qint64>::min();
    if (t >= 0)
        return qint64(t + 0.5);
    const qint64 k = qint64(t - 1.0);
    return qint64(t - double(k) + 0.5) + k;
}

static double angle(int i, int n)
{
    return i * 6.283185307179586 / n;
}

// The sample of largest magnitude over the whole circle, the first one on
// ties, sign kept. From four entries on it is exactly 1 for both: cos(0) is 1,
// the angle of entry N/4 is exactly fl(2 pi)/4 whose sine rounds to 1, and no
// sample exceeds 1. Only the two-entry table needs the scan.
template<typename F>
static double peak(int n, F f)
{
    if (n >= 4)
        return 1.0;
    double best = f(angle(0, n));
    for (int i = 1; i < n; ++i) {
        const double v = f(angle(i, n));
        if (std::fabs(v) > std::fabs(best))
            best = v;
    }
    return best;
}

QVector<quint64> cosSinLutWords(int W, int P, int T)
{
    const double depth = std::pow(2.0, double(P - T));
    const int n = depth >= 2.0 && depth <= double(1 << 30) ? int(depth) : 0;
    if (n < 2)
        return {};
    const double amplitude = std::pow(2.0, W - 1) - 2.0;
    const double m = std::pow(2.0, W);
    const double cPeak = peak(n, [](double x) { return std::cos(x); });
    const double sPeak = peak(n, [](double x) { return std::sin(x); });

    // Entries 1 .. n/8 are written (entry 0 alone when n/8 is 0).
    const int k = n / 8;
    QVector<quint64> words;
    words.reserve(qMax(k, 1));
    for (int i = (k == 0 ? 0 : 1); i <= k; ++i) {
        const double x = angle(i, n);
        double cq = double(roundHalfUp(std::cos(x) / cPeak * amplitude));
        double sq = double(roundHalfUp(std::sin(x) / sPeak * amplitude));
        if (cq < 0)
            cq += m;
        if (sq < 0)
            sq += m;
        words.append(quint64(qint64(m * sq + cq)));
    }
    return words;
}

QVector<double> packedTable(int W, int P, int T)
{
    const double depth = std::pow(2.0, double(P - T));
    const int n = depth >= 2.0 && depth <= double(1 << 30) ? int(depth) : 0;
    if (n < 2)
        return {};
    const double a = std::pow(2.0, W - 1) - 2.0;
    const double m = std::pow(2.0, W);
    QVector<double> c(n), s(n);
    double cPeak = 0, sPeak = 0;
    for (int i = 0; i < n; ++i) {
        c[i] = std::cos(angle(i, n));
        s[i] = std::sin(angle(i, n));
        if (i == 0 || std::fabs(c[i]) > std::fabs(cPeak))
            cPeak = c[i];
        if (i == 0 || std::fabs(s[i]) > std::fabs(sPeak))
            sPeak = s[i];
    }
    QVector<double> packed(n / 2);
    for (int i = 0; i < n / 2; ++i) {
        double cq = double(roundHalfUp(c[i] / cPeak * a));
        double sq = double(roundHalfUp(s[i] / sPeak * a));
        cq += cq < 0 ? m : 0;
        sq += sq < 0 ? m : 0;
        packed[i] = m * sq + cq;
    }
    return packed;
}

} // namespace Generation
} // namespace IPDDSYN
