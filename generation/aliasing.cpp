#include "aliasing.h"

#include "dialogrules.h"

#include <QCoreApplication>

#include <cmath>

namespace IPDDSYN {
namespace Generation {

QStringList aliasWarnings(const DefinesSettings &settings)
{
    QStringList lines;
    // Only System Parameters take a frequency; hardware increments wrap by
    // their nature and the table-only core has no frequency at all.
    if (settings.parameterSelection != Rules::SystemParameters
        || settings.configuration == Rules::LutOnly || settings.streamingInc)
        return lines;
    const int channels = settings.channels.toInt();
    if (channels < 1 || settings.systemClock <= 0)
        return lines;
    const double sampleRate = settings.systemClock / channels;
    for (int i = 0; i < channels && i < settings.frequencies.size(); ++i) {
        bool ok = false;
        const double frequency = settings.frequencies.at(i).toDouble(&ok);
        if (!ok || std::abs(frequency) <= sampleRate / 2)
            continue;
        const double folded = std::fmod(std::abs(frequency), sampleRate);
        const double alias = std::min(folded, sampleRate - folded);
        lines << QCoreApplication::translate(
                         "IPDDSYN::Generation",
                         "Channel %1 (chan_id_o %2): %3 MHz lies above its "
                         "Nyquist frequency of %4 MHz (System Clock / (2 x %5 channels)); the "
                         "core outputs its alias at %6 MHz.")
                         .arg(i + 1)
                         .arg(i)
                         .arg(frequency)
                         .arg(sampleRate / 2)
                         .arg(channels)
                         .arg(alias);
    }
    return lines;
}

} // namespace Generation
} // namespace IPDDSYN
