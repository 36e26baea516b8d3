#include "dialogrules.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace IPDDSYN {
namespace Rules {

namespace {

// A width that no core can have (a zero divisor, an absurd entry in a
// configuration file) derives none.
int widthOf(double width)
{
    return std::isfinite(width) && std::abs(width) <= std::numeric_limits<int>::max()
                   ? static_cast<int>(width)
                   : 0;
}

} // namespace

double toNumber(const QString &text)
{
    return text.toDouble();
}

int systemPhaseWidth(double clockMHz, double channels, double resolutionHz)
{
    const double x = std::pow(10.0, 6.0) * clockMHz / channels / resolutionHz;
    return widthOf(std::ceil(std::log(x) / std::log(2.0)));
}

int systemOutputWidth(double sfdrDb)
{
    return widthOf(std::ceil(sfdrDb / 6.0));
}

bool isSystemClockAcceptable(const QString &text)
{
    bool ok = false;
    const double clock = text.toDouble(&ok);
    return ok && !text.isEmpty() && clock >= 0.01 && clock <= 500.0;
}

bool isSfdrAcceptable(const QString &text)
{
    const double sfdr = toNumber(text);
    return !text.isEmpty() && sfdr >= 24 && sfdr <= 150;
}

ResolutionRange resolutionRange(double clockMHz, double channels)
{
    const double fs = clockMHz / channels * std::pow(10.0, 6.0);
    return {fs / std::pow(2.0, 48.0), fs / std::pow(2.0, 4.0)};
}

bool isResolutionAcceptable(double resolutionHz, double clockMHz, double channels)
{
    const ResolutionRange range = resolutionRange(clockMHz, channels);
    return !(resolutionHz > range.max || resolutionHz < range.min);
}

QString frequencyPerChannelText(double clockMHz, double channels)
{
    return QStringLiteral("%1MHz").arg(clockMHz / channels, 0, 'f', 9);
}

QString resolutionRangeText(const ResolutionRange &range)
{
    return QStringLiteral("[%1-%2]").arg(range.min, 0, 'g', 6).arg(range.max, 0, 'g', 6);
}

QString rangeText(const Range &range)
{
    return QStringLiteral("[%1-%2]").arg(range.min).arg(range.max);
}

static bool within(int value, int min, int max)
{
    return value >= min && value <= max;
}

QStringList systemNoiseShapings(int phaseWidth, int outputWidth)
{
    const int w = phaseWidth;
    const int s = outputWidth;
    QStringList choices;
    if (within(w, 4, 16) || within(s, 4, 16))
        choices << NoNoiseShaping;
    if ((within(w, 4, 16) && within(s, 4, w + 2)) || (within(w, 17, 48) && within(s, 4, 18)))
        choices << PhaseDithering;
    if (within(w, 12, 48) && within(s, 12, 25))
        choices << TaylorCorrected;
    return choices;
}

ConfigurationChoices configurationChoices(const QString &configuration)
{
    if (configuration == PhaseGenAndLut)
        return {true,
                {SystemParameters, HardwareParameters},
                {NoNoiseShaping, PhaseDithering, TaylorCorrected}};
    if (configuration == PhaseGenOnly)
        return {true, {HardwareParameters}, {NoNoiseShaping}};
    if (configuration == LutOnly)
        return {false, {HardwareParameters}, {NoNoiseShaping, TaylorCorrected}};
    return {true, {}, {}};
}

Range phaseWidthRange(const QString &configuration, const QString &noiseShaping)
{
    if (configuration == PhaseGenAndLut) {
        if (noiseShaping == NoNoiseShaping || noiseShaping == PhaseDithering)
            return {4, 48};
        if (noiseShaping == TaylorCorrected)
            return {12, 48};
    } else if (configuration == PhaseGenOnly) {
        return {4, 48};
    } else if (configuration == LutOnly) {
        if (noiseShaping == NoNoiseShaping)
            return {4, 16};
        if (noiseShaping == TaylorCorrected)
            return {12, 25};
    }
    return {1, 0};
}

int defaultPhaseWidth(const QString &configuration)
{
    return configuration == LutOnly ? 12 : 27;
}

Range outputWidthRange(const QString &configuration, const QString &noiseShaping, int phaseWidth)
{
    if (configuration == PhaseGenOnly)
        return {12, 12};
    if (configuration == PhaseGenAndLut) {
        if (noiseShaping == NoNoiseShaping)
            return phaseWidth <= 16 ? Range{4, 25} : Range{4, 16};
        if (noiseShaping == PhaseDithering)
            return phaseWidth <= 16 ? Range{4, phaseWidth + 2} : Range{4, 18};
        if (noiseShaping == TaylorCorrected)
            return {12, 25};
    } else if (configuration == LutOnly) {
        if (noiseShaping == NoNoiseShaping)
            return {4, 25};
        if (noiseShaping == TaylorCorrected)
            return {12, 25};
    }
    return {1, 0};
}

// Taylor correction adds pipeline stages in front of the table look-up.
static int latencyForNoiseShaping(const QString &noiseShaping, int plain, int corrected)
{
    if (noiseShaping == NoNoiseShaping || noiseShaping == PhaseDithering)
        return plain;
    if (noiseShaping == TaylorCorrected)
        return corrected;
    return -1;
}

QStringList configurations()
{
    return {PhaseGenAndLut, PhaseGenOnly, LutOnly};
}

int firstLatency(const QString &configuration,
                 const QString &parameterSelection,
                 const QString &systemNoiseShaping,
                 const QString &hardwareNoiseShaping)
{
    if (configuration == PhaseGenAndLut) {
        if (parameterSelection == SystemParameters)
            return latencyForNoiseShaping(systemNoiseShaping, 7, 12);
        if (parameterSelection == HardwareParameters)
            return latencyForNoiseShaping(hardwareNoiseShaping, 7, 12);
        return -1;
    }
    if (configuration == PhaseGenOnly)
        return 7;
    if (configuration == LutOnly) {
        if (hardwareNoiseShaping == NoNoiseShaping)
            return 3;
        if (hardwareNoiseShaping == TaylorCorrected)
            return 8;
    }
    return -1;
}

QStringList latencyItems(int first)
{
    QStringList items;
    if (first < 0)
        return items;
    for (int latency = first; latency <= 20; ++latency)
        items << QStringLiteral("%1").arg(latency);
    return items;
}

int channelIdTopIndex(int channels)
{
    return static_cast<int>(std::ceil(std::log(double(channels)) / std::log(2.0) - 1));
}

ChannelTableSyntax channelTableSyntax(const QString &parameterSelection)
{
    if (parameterSelection == SystemParameters)
        return {true,
                QStringLiteral("^((?:0|[1-9][0-9]{0,2})(\\.\\d{1,})?)$"),
                QStringLiteral("^(0(\\.\\d+)?)$"),
                QCoreApplication::translate("IPDDSYN::Rules", "Output Freqency(MHz)"),
                QCoreApplication::translate("IPDDSYN::Rules", "Phase Offset Angle(*2 pi Radians)")};
    if (parameterSelection == HardwareParameters)
        return {true,
                QStringLiteral("[0-9A-Fa-f]+"),
                QStringLiteral("[0-9A-Fa-f]+"),
                QCoreApplication::translate("IPDDSYN::Rules", "Phase Increment Value(Hex)"),
                QCoreApplication::translate("IPDDSYN::Rules", "Phase Offset Value(Hex)")};
    return {};
}

QString defaultFirstFrequency(const QString &parameterSelection)
{
    if (parameterSelection == SystemParameters)
        return QStringLiteral("1");
    if (parameterSelection == HardwareParameters)
        return QStringLiteral("147AE1");
    return {};
}

} // namespace Rules
} // namespace IPDDSYN
