#include "spectrum.h"

#include <QCoreApplication>

#include <fftw3.h>

#include <cmath>
#include <memory>

namespace DdsRtl {

namespace {

// Power of bins 0 .. N/2 of a real record.
QVector<double> powerSpectrum(const QVector<double> &samples)
{
    const int n = samples.size();
    const int bins = n / 2 + 1;
    std::unique_ptr<double, decltype(&fftw_free)> in(fftw_alloc_real(size_t(n)), &fftw_free);
    std::unique_ptr<fftw_complex, decltype(&fftw_free)> out(fftw_alloc_complex(size_t(bins)),
                                                            &fftw_free);
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in.get(), out.get(), FFTW_ESTIMATE);
    std::copy(samples.cbegin(), samples.cend(), in.get());
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    QVector<double> power(bins);
    for (int k = 0; k < bins; ++k)
        power[k] = out.get()[k][0] * out.get()[k][0] + out.get()[k][1] * out.get()[k][1];
    return power;
}

double db(double ratio)
{
    return 10.0 * std::log10(ratio);
}

// A sine of amplitude a puts (a * gain * n / 2)^2 into its bin, `gain` being
// the window's mean.
QVector<double> levels(const QVector<double> &power, int n, double gain)
{
    const double unit = std::pow(gain * n / 2, 2);
    QVector<double> out(power.size());
    for (int k = 0; k < power.size(); ++k)
        out[k] = db(std::max(power[k], unit * 1e-40) / unit);
    return out;
}

// Carrier band [c - guard, c + guard], DC band [0, guard]; the rest is
// spur and noise. A spur's power is summed over `lobe` bins either side,
// as the carrier's is over its band, so that a window's spreading does not
// flatter the ratio.
SpectrumQuality evaluate(const QVector<double> &power, int carrier, int guard, int lobe)
{
    SpectrumQuality q;
    const int bins = power.size();
    const auto excluded = [&](int k) { return k <= guard || std::abs(k - carrier) <= guard; };
    double carrierPower = 0;
    double dcPower = 0;
    double noise = 0;
    for (int k = 0; k < bins; ++k) {
        if (k <= guard)
            dcPower += power[k];
        else if (std::abs(k - carrier) <= guard)
            carrierPower += power[k];
        else
            noise += power[k];
    }
    double worst = 0;
    for (int k = 0; k < bins; ++k) {
        if (excluded(k))
            continue;
        double spur = 0;
        for (int j = std::max(0, k - lobe); j <= std::min(bins - 1, k + lobe); ++j)
            spur += excluded(j) ? 0.0 : power[j];
        if (spur > worst) {
            worst = spur;
            q.worstSpurBin = k;
        }
    }
    if (!(carrierPower > 0)) {
        q.error = QCoreApplication::translate("DdsRtl", "No carrier power in bin %1").arg(carrier);
        return q;
    }
    // A spur-free record (possible for tiny tables) is limited by double precision.
    const double floor = carrierPower * 1e-30;
    q.carrierBin = carrier;
    q.sfdrDb = db(carrierPower / std::max(worst, floor));
    q.snrDb = db(carrierPower / std::max(noise, floor));
    q.dcDb = db(std::max(dcPower, floor) / carrierPower);
    q.ok = true;
    return q;
}

} // namespace

SpectrumQuality measureCoherent(const QVector<double> &samples, int carrierBin)
{
    const int n = samples.size();
    if (n < 8 || carrierBin <= 0 || carrierBin >= n / 2) {
        SpectrumQuality q;
        q.error = QCoreApplication::translate("DdsRtl",
                                              "Carrier bin %1 is not inside a record of %2 samples")
                          .arg(carrierBin)
                          .arg(n);
        return q;
    }
    const QVector<double> power = powerSpectrum(samples);
    SpectrumQuality q = evaluate(power, carrierBin, 0, 0);
    q.levelDb = levels(power, n, 1.0);
    q.length = n;
    q.method = QCoreApplication::translate("DdsRtl",
                                           "coherent full period, rectangular window, %1 samples")
                       .arg(n);
    return q;
}

SpectrumQuality measureWindowed(const QVector<double> &samples, int guardBins)
{
    const int n = samples.size();
    if (n < 8 || guardBins < 4 || 4 * guardBins >= n / 2) {
        SpectrumQuality q;
        q.error = QCoreApplication::translate(
                          "DdsRtl", "A record of %1 samples is too short for %2 guard bins")
                          .arg(n)
                          .arg(guardBins);
        return q;
    }
    constexpr double a0 = 0.35875;
    QVector<double> windowed(n);
    for (int i = 0; i < n; ++i) {
        const double x = 2.0 * M_PI * i / n;
        const double w = a0 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x)
                         - 0.01168 * std::cos(3 * x);
        windowed[i] = samples[i] * w;
    }
    const QVector<double> power = powerSpectrum(windowed);
    int carrier = guardBins + 1;
    for (int k = carrier; k < power.size(); ++k) {
        if (power[k] > power[carrier])
            carrier = k;
    }
    // The window's main lobe is 4 bins either side.
    SpectrumQuality q = evaluate(power, carrier, guardBins, 4);
    q.levelDb = levels(power, n, a0);
    q.length = n;
    q.method = QCoreApplication::translate(
                       "DdsRtl",
                       "4-term Blackman-Harris window, +-%1 bins excluded around carrier "
                       "and DC, spurs summed over +-4 bins, %2 samples")
                       .arg(guardBins)
                       .arg(n);
    return q;
}

} // namespace DdsRtl
