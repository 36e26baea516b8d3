#pragma once

#include <QString>
#include <QVector>

namespace DdsRtl {

/// Spectral quality of a real sample record, carrier in dBc terms.
struct SpectrumQuality
{
    bool ok = false;
    QString error;
    QString method; // how it was measured, with window and record length
    int length = 0; // samples in the record
    int carrierBin = 0;
    int worstSpurBin = 0;
    double sfdrDb = 0; // carrier over the largest other bin (DC excluded)
    double snrDb = 0;  // carrier over everything else but DC
    double dcDb = 0;   // DC relative to the carrier, reported apart
    // Bins 0 .. length/2 in dB of a unit-amplitude sine, for plotting.
    QVector<double> levelDb;
};

/// A whole number of periods of a periodic record (a DDS over its full
/// phase period): rectangular window, the carrier exactly in `carrierBin`,
/// every other bin but DC counted as spur and noise.
SpectrumQuality measureCoherent(const QVector<double> &samples, int carrierBin);

/// A record that is not periodic in its length: 4-term Blackman-Harris
/// window, the carrier at the largest bin, `guardBins` (at least the
/// window's 4-bin main lobe) either side of it and of DC left out of spurs
/// and noise; tones are compared by their power summed over the main lobe.
SpectrumQuality measureWindowed(const QVector<double> &samples, int guardBins);

} // namespace DdsRtl
