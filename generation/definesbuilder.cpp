#include "definesbuilder.h"

#include "cossinlut.h"
#include "dialogrules.h"
#include "optiontable.h"

#include <QtMath>

#include <cmath>

namespace IPDDSYN {
namespace Generation {

namespace {

using Rules::HardwareParameters;
using Rules::LutOnly;
using Rules::NoNoiseShaping;
using Rules::PhaseDithering;
using Rules::PhaseGenAndLut;
using Rules::PhaseGenOnly;
using Rules::SystemParameters;
using Rules::TaylorCorrected;

const QLatin1String kOutputWidthPrefix("`define DEFINE_OUTPUT_WIDTH");
const QLatin1String kPhaseWidthPrefix("`define DEFINE_PHASE_WIDTH");
const QLatin1String kTruncWidthPrefix("`define DEFINE_TRUNC_WIDTH");

QString define(const char *name)
{
    return QStringLiteral("`define ") + QLatin1String(name);
}

QString quotedDefine(const char *name, const char *value)
{
    return QStringLiteral("`define %1 \"%2\"").arg(QLatin1String(name), QLatin1String(value));
}

QString numberDefine(const char *name, int value)
{
    return QStringLiteral("`define %1 %2").arg(QLatin1String(name)).arg(value);
}

void appendOnce(QStringList &lines, const QString &line)
{
    if (!lines.contains(line))
        lines << line;
}

void appendNoiseShaping(QStringList &lines, const QString &noiseShaping)
{
    const bool dithering = noiseShaping == PhaseDithering;
    const bool taylor = noiseShaping == TaylorCorrected;
    if (!dithering && !taylor && noiseShaping != NoNoiseShaping)
        return;
    lines << quotedDefine("DEFINE_PHASE_DITHER", dithering ? "YES" : "NO")
          << quotedDefine("DEFINE_TAYLOR_CORR", taylor ? "YES" : "NO");
}

void appendTruncation(QStringList &lines, const QString &noiseShaping, int P, int W)
{
    if (const std::optional<int> t = truncationWidth(noiseShaping, P, W))
        lines << numberDefine("DEFINE_TRUNC_WIDTH", *t);
}

void appendWidths(QStringList &lines, const DefinesSettings &s)
{
    if (s.parameterSelection == SystemParameters) {
        lines << numberDefine("DEFINE_OUTPUT_WIDTH", s.sysOutputWidth)
              << numberDefine("DEFINE_PHASE_WIDTH", s.sysPhaseWidth);
        appendNoiseShaping(lines, s.noiseShapingSys);
        appendTruncation(lines, s.noiseShapingSys, s.sysPhaseWidth, s.sysOutputWidth);
    } else if (s.parameterSelection == HardwareParameters) {
        lines << numberDefine("DEFINE_PHASE_WIDTH", s.hardPhaseWidth)
              << numberDefine("DEFINE_OUTPUT_WIDTH", s.hardOutputWidth);
        appendNoiseShaping(lines, s.noiseShapingHard);
        if (s.configuration == PhaseGenAndLut || s.configuration == LutOnly)
            appendTruncation(lines, s.noiseShapingHard, s.hardPhaseWidth, s.hardOutputWidth);
        else if (s.configuration == PhaseGenOnly)
            lines << numberDefine("DEFINE_TRUNC_WIDTH", 0);
    }
}

// The programmable and streaming ports share their enable lines between the
// increment, the offset and the table-only input, so each is written once.
void appendIncrement(QStringList &lines, const DefinesSettings &s)
{
    if (s.fixedInc) {
        lines << quotedDefine("DEFINE_PINC_TYPE", "Fixed");
    } else if (s.programmableInc) {
        lines << quotedDefine("DEFINE_PINC_TYPE", "Programmable");
        appendOnce(lines, define("CONFIG_EN"));
        lines << define("CONFIGINC_EN");
    } else if (s.streamingInc) {
        lines << quotedDefine("DEFINE_PINC_TYPE", "Streaming");
        appendOnce(lines, define("PHASE_EN"));
        lines << define("PHASEINC_EN");
    }
}

void appendOffset(QStringList &lines, const DefinesSettings &s)
{
    if (s.noneOff) {
        lines << quotedDefine("DEFINE_POFF_TYPE", "None");
    } else if (s.fixedOff) {
        lines << quotedDefine("DEFINE_POFF_TYPE", "Fixed");
    } else if (s.programmableOff) {
        lines << quotedDefine("DEFINE_POFF_TYPE", "Programmable");
        appendOnce(lines, define("CONFIG_EN"));
        lines << define("CONFIGOFF_EN");
    } else if (s.streamingOff) {
        lines << quotedDefine("DEFINE_POFF_TYPE", "Streaming");
        appendOnce(lines, define("PHASE_EN"));
        lines << define("PHASEOFF_EN");
    }
}

void appendOutputs(QStringList &lines, const DefinesSettings &s)
{
    if (s.configuration != PhaseGenOnly) {
        if (s.sine)
            lines << define("SINE_OUT");
        else if (s.cosine)
            lines << define("COSSINE_OUT");
        else if (s.sinAndcos)
            lines << define("SINE_OUT") << define("COSSINE_OUT");
    }
    if (s.hasPhaseOut)
        lines << define("PHASE_OUT");
    if (s.channelIdOut)
        lines << define("CHANID_OUT");
}

QString initLine(const char *kind, int channel, int P, const QString &hex)
{
    return QStringLiteral("`define DEFINE_%1%2_INIT %3'h%4")
            .arg(QLatin1String(kind), QString::number(channel, 16).toUpper())
            .arg(P)
            .arg(hex);
}

QString hexOf(double value)
{
    return QString::number(roundHalfUp(value), 16);
}

void appendInitialValues(QStringList &lines, const DefinesSettings &s, int channels)
{
    const bool system = s.parameterSelection == SystemParameters;
    if (!system && s.parameterSelection != HardwareParameters)
        return;
    const int P = system ? s.sysPhaseWidth : s.hardPhaseWidth;
    const double scale = std::pow(2.0, P);
    const QString zero = QStringLiteral("0");
    for (int i = 0; i < 16; ++i) {
        QString inc = zero;
        QString off = zero;
        if (i < channels) {
            inc = s.frequencies.value(i);
            off = s.phases.value(i);
            if (system) {
                inc = hexOf(inc.toDouble() * channels / s.systemClock * scale);
                off = hexOf(off.toDouble() * scale);
            }
        }
        lines << initLine("PINC", i, P, inc) << initLine("POFF", i, P, off);
    }
}

} // namespace

QString deviceFamily(const QString &series, const QString &device)
{
    struct Group
    {
        const char *series;
        const char *device;
        const char *family;
    };
    static const Group groups[] = {
            {"RQ9A/RQ9B/RQ9C/RQ9D/RQ9E/RQ9F/RQ9G/RQ9H", nullptr, "Nimbra"},
            {"RQ3A/RQ3B/RQ3C/RQ3D/RQ3E/RQ3F/RQ3G/RQ3H", "RQ4K-01", "RQ3B"},
            {"RQ6A/RQ6B/RQ6C/RQ6D", "RQ4K-09", "RQ6A"},
    };
    for (const Group &group : groups) {
        const QStringList seriesList = QString::fromLatin1(group.series).split(QLatin1Char('/'));
        if (seriesList.contains(series) || (group.device && device == QLatin1String(group.device)))
            return QString::fromLatin1(group.family);
    }
    return QStringLiteral("Other");
}

std::optional<int> truncationWidth(const QString &noiseShaping, int P, int W)
{
    if (noiseShaping == NoNoiseShaping)
        return W < P ? P - W : 0;
    if (noiseShaping == PhaseDithering) {
        if (W == 4 || W == 5)
            return P - 4;
        if (W >= 6)
            return P - W + 2;
        return std::nullopt;
    }
    if (noiseShaping == TaylorCorrected) {
        if (P == 12)
            return 0;
        if (P < 13 || P > 48 || W < 12 || W > 25)
            return std::nullopt;
        if (W <= 21)
            return P - 12;
        if (W <= 23 || P <= 14)
            return P - 13;
        return P - 14;
    }
    return std::nullopt;
}

std::optional<int> extraLatency(const QString &configuration,
                                const QString &parameterSelection,
                                const QString &noiseShapingSys,
                                const QString &noiseShapingHard,
                                int latency)
{
    const int first = Rules::firstLatency(
            configuration, parameterSelection, noiseShapingSys, noiseShapingHard);
    if (first < 0)
        return std::nullopt;
    return latency - first;
}

DefinesSettings definesSettings(const CoreSettings &core)
{
    const auto text = [&core](const char *key) {
        return core.options.value(QLatin1String(key)).toString();
    };
    const auto is = [&text](const char *key, const char *choice) {
        return text(key) == QLatin1String(choice);
    };
    DefinesSettings s;
    s.series = core.device.series();
    s.device = core.device.device();
    s.configuration = text("ConfiguationOptions");
    s.workMode = Rules::configurations().indexOf(s.configuration);
    s.channels = text("NumberOfChannels");
    s.parameterSelection = text("ParameterSelection");
    s.noiseShapingSys = text("NoiseShaping_sys");
    s.noiseShapingHard = text("NoiseShaping_hard");
    s.sysPhaseWidth = core.sysPhaseWidth;
    s.sysOutputWidth = core.sysOutputWidth;
    s.hardPhaseWidth = core.options.value(QStringLiteral("PhaseWidth")).toInt();
    s.hardOutputWidth = core.options.value(QStringLiteral("OutputWidth")).toInt();
    s.systemClock = text("SystemClock").toDouble();
    s.fixedInc = is("PhaseIncrementProgrammability", "fixed_inc");
    s.programmableInc = is("PhaseIncrementProgrammability", "programmable_inc");
    s.streamingInc = is("PhaseIncrementProgrammability", "streaming_inc");
    s.resyncActive = core.options.value(QStringLiteral("resync")).toBool();
    s.noneOff = is("PhaseOffsetProgrammability", "none_off");
    s.fixedOff = is("PhaseOffsetProgrammability", "fixed_off");
    s.programmableOff = is("PhaseOffsetProgrammability", "programmable_off");
    s.streamingOff = is("PhaseOffsetProgrammability", "streaming_off");
    s.sine = is("Output", "sine");
    s.cosine = is("Output", "cosine");
    s.sinAndcos = is("Output", "sinAndcos");
    s.hasPhaseOut = core.options.value(QStringLiteral("hasPhaseOut")).toBool();
    s.channelIdOut = core.options.value(QStringLiteral("ChannelIDout")).toBool();
    s.latency = text("Latency");
    for (int channel = 0; channel < ChannelCount; ++channel) {
        s.frequencies << core.options.value(channelKey(channel, 1)).toString();
        s.phases << core.options.value(channelKey(channel, 2)).toString();
    }
    return s;
}

QStringList parameterLines(const DefinesSettings &settings)
{
    const int channels = settings.channels.toInt(nullptr, 10);
    QStringList lines;
    lines << QStringLiteral("`define DEFINE_FPGA_TYPE \"%1\"")
                     .arg(deviceFamily(settings.series, settings.device));
    lines << numberDefine("DEFINE_WORKMODE", settings.workMode);
    lines << QStringLiteral("`define DEFINE_CH_NUM %1").arg(settings.channels);
    if (channels >= 2)
        lines << define("MULTI_CHANNEL");
    appendWidths(lines, settings);
    appendIncrement(lines, settings);
    if (settings.resyncActive)
        lines << define("PHASERESYNC");
    appendOffset(lines, settings);
    if (settings.configuration == LutOnly) {
        appendOnce(lines, define("PHASE_EN"));
        lines << define("PHASEIN_EN");
    }
    appendOutputs(lines, settings);
    if (const std::optional<int> delay = extraLatency(settings.configuration,
                                                      settings.parameterSelection,
                                                      settings.noiseShapingSys,
                                                      settings.noiseShapingHard,
                                                      settings.latency.toInt(nullptr, 10)))
        lines << numberDefine("DEFINE_DELAY", *delay);
    appendInitialValues(lines, settings, channels);
    return lines;
}

QString moduleLine(const QString &moduleName)
{
    return QStringLiteral("`define module_name %1").arg(moduleName);
}

QString fileNameLine(bool hasTable)
{
    return quotedDefine("DEFINE_FILENAME", hasTable ? "cos_sin_lut.dat" : "NULL");
}

TableWidths tableWidths(const QStringList &lines)
{
    TableWidths widths;
    const QLatin1String prefixes[] = {kOutputWidthPrefix, kPhaseWidthPrefix, kTruncWidthPrefix};
    for (const QLatin1String &prefix : prefixes) {
        if (lines.filter(prefix).size() > 1) {
            widths.fault = TableWidths::Repeated;
            return widths;
        }
    }
    int *targets[] = {&widths.W, &widths.P, &widths.T};
    for (int k = 0; k < 3; ++k) {
        const QString valuePrefix = prefixes[k] + QLatin1Char(' ');
        const QStringList found = lines.filter(valuePrefix);
        bool ok = false;
        if (!found.isEmpty())
            *targets[k] = QString(found.first()).remove(valuePrefix).toInt(&ok, 10);
        if (!ok) {
            widths.fault = TableWidths::Missing;
            return widths;
        }
    }
    return widths;
}

} // namespace Generation
} // namespace IPDDSYN
