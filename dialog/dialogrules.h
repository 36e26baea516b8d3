#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>

/// The arithmetic and the choice tables behind the generator dialog's rules,
/// as pure functions of plain values. The dialog's slots read the widgets,
/// call these and write the widgets back.
namespace IPDDSYN {
namespace Rules {

// Configuration options, as cfgOptions lists them.
const QLatin1String PhaseGenAndLut("Phase Generator and SIN COS LUT");
const QLatin1String PhaseGenOnly("Phase Generator Only");
const QLatin1String LutOnly("SIN COS LUT Only");
/// The configuration options in the order cfgOptions lists them.
QStringList configurations();
// Parameter selections.
const QLatin1String SystemParameters("System Parameters");
const QLatin1String HardwareParameters("Hardware Parameters");
// Noise-shaping choices.
const QLatin1String NoNoiseShaping("None");
const QLatin1String PhaseDithering("Phase Dithering");
const QLatin1String TaylorCorrected("Taylor Series Corrected");

/// An inclusive integer range, as a spin box takes it.
struct Range
{
    int min = 0;
    int max = 0;
    bool isValid() const { return min <= max; }
    bool operator==(const Range &other) const { return min == other.min && max == other.max; }
};

/// Bounds of the frequency resolution in Hz: Fs / 2^48 to Fs / 16.
struct ResolutionRange
{
    double min = 0;
    double max = 0;
};

/// The number a line edit shows; anything unreadable counts as 0.
double toNumber(const QString &text);

/// Phase width needed so that Fs / 2^W does not exceed `resolutionHz`.
int systemPhaseWidth(double clockMHz, double channels, double resolutionHz);
/// Output width that reaches `sfdrDb` at about 6 dB per bit.
int systemOutputWidth(double sfdrDb);

/// True when `text` is a system clock the core accepts (0.01 to 500 MHz).
bool isSystemClockAcceptable(const QString &text);
/// True when `text` is an SFDR the core accepts (24 to 150 dB).
bool isSfdrAcceptable(const QString &text);
ResolutionRange resolutionRange(double clockMHz, double channels);
bool isResolutionAcceptable(double resolutionHz, double clockMHz, double channels);

/// "100.000000000MHz": the sample rate of one channel.
QString frequencyPerChannelText(double clockMHz, double channels);
/// "[3.55271e-07-6.25e+06]": the resolution bounds with 6 significant digits.
QString resolutionRangeText(const ResolutionRange &range);
/// "[4-48]".
QString rangeText(const Range &range);

/// Noise-shaping choices the derived widths W (phase) and S (output) allow, in list order.
QStringList systemNoiseShapings(int phaseWidth, int outputWidth);

/// What the configuration option fixes on the configuration tab.
struct ConfigurationChoices
{
    bool channelsEnabled = true;
    QStringList parameterSelections;
    QStringList hardwareNoiseShapings;
};
ConfigurationChoices configurationChoices(const QString &configuration);

/// Range of phaseWidth; invalid when the combination offers none.
Range phaseWidthRange(const QString &configuration, const QString &noiseShaping);
/// The phase width each configuration starts from.
int defaultPhaseWidth(const QString &configuration);
/// Range of outputWidth for phase width `phaseWidth`; invalid when none applies.
Range outputWidthRange(const QString &configuration, const QString &noiseShaping, int phaseWidth);

/// Smallest latency offered, or -1 when the combination offers none.
int firstLatency(const QString &configuration,
                 const QString &parameterSelection,
                 const QString &systemNoiseShaping,
                 const QString &hardwareNoiseShaping);
/// "first" to "20".
QStringList latencyItems(int first);
/// The latency kept when the remembered one is no longer offered.
const QLatin1String DefaultLatency("14");

/// Top bit index of a channel id that counts `channels` channels (0: one bit).
int channelIdTopIndex(int channels);

/// Entry syntax and headings of the channel table for one parameter selection.
struct ChannelTableSyntax
{
    bool known = false;
    QString frequencyPattern;
    QString phasePattern;
    QString frequencyHeading;
    QString phaseHeading;
};
ChannelTableSyntax channelTableSyntax(const QString &parameterSelection);

/// Default text of the first channel's frequency entry; empty when the selection is unknown.
QString defaultFirstFrequency(const QString &parameterSelection);

} // namespace Rules
} // namespace IPDDSYN
