#include "coreconfig.h"

#include "dialogrules.h"
#include "errorreport.h"
#include "translate.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>

namespace DdsRtl {

bool CoreConfig::streamed() const
{
    return increment == Increment::Streaming || offset == Offset::Streaming;
}

bool CoreConfig::configured() const
{
    return increment == Increment::Programmable || offset == Offset::Programmable;
}

QString CoreConfig::noiseShaping() const
{
    using namespace IPDDSYN::Rules;
    return taylor ? TaylorCorrected : dither ? PhaseDithering : NoNoiseShaping;
}

int CoreConfig::minimumLatency() const
{
    using namespace IPDDSYN::Rules;
    const QString configuration = configurations().value(workMode);
    return firstLatency(configuration, SystemParameters, noiseShaping(), noiseShaping());
}

namespace {

// A sized hex literal such as 27'h147ae1 (the width is the phase width).
bool parseInitValue(const QString &value, quint64 *out)
{
    static const QRegularExpression literal(QStringLiteral("^\\d+'h([0-9a-fA-F]+)$"));
    const QRegularExpressionMatch m = literal.match(value);
    bool ok = false;
    if (m.hasMatch())
        *out = m.captured(1).toULongLong(&ok, 16);
    return ok;
}

} // namespace

bool parseDefines(const QString &text, CoreConfig &config, QString &error)
{
    static const QRegularExpression line(QStringLiteral("^`define\\s+(\\w+)(?:\\s+(.*?))?\\s*$"));
    QMap<QString, QString> defines;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString trimmed = raw.trimmed();
        if (trimmed.isEmpty())
            continue;
        const QRegularExpressionMatch m = line.match(trimmed);
        if (!m.hasMatch())
            return IPCore::fail(error, tr("Not a define line: \"%1\"").arg(trimmed));
        defines.insert(m.captured(1), m.captured(2));
    }

    CoreConfig c;
    auto number = [&](const char *name, int *out, bool required) {
        const QString key = QLatin1String(name);
        if (!defines.contains(key))
            return !required;
        bool ok = false;
        *out = defines.value(key).toInt(&ok);
        return ok;
    };
    for (const char *name :
         {"DEFINE_WORKMODE", "DEFINE_CH_NUM", "DEFINE_PHASE_WIDTH", "DEFINE_OUTPUT_WIDTH"}) {
        int dummy = 0;
        if (!number(name, &dummy, true))
            return IPCore::fail(error,
                                tr("%1 is missing or not a number").arg(QLatin1String(name)));
    }
    number("DEFINE_WORKMODE", &c.workMode, true);
    number("DEFINE_CH_NUM", &c.channels, true);
    number("DEFINE_PHASE_WIDTH", &c.phaseWidth, true);
    number("DEFINE_OUTPUT_WIDTH", &c.outputWidth, true);
    if (!number("DEFINE_TRUNC_WIDTH", &c.truncWidth, false)
        || !number("DEFINE_DELAY", &c.delay, false))
        return IPCore::fail(error, tr("DEFINE_TRUNC_WIDTH or DEFINE_DELAY is not a number"));
    if (c.channels < 1 || c.channels > 16 || c.phaseWidth < 1 || c.phaseWidth > 48
        || c.truncWidth < 0 || c.truncWidth >= c.phaseWidth || c.delay < 0)
        return IPCore::fail(error, tr("Channel count, widths or delay out of range"));

    auto has = [&](const char *name) { return defines.contains(QLatin1String(name)); };
    auto is = [&](const char *name, const char *value) {
        return defines.value(QLatin1String(name))
               == QLatin1Char('"') + QLatin1String(value) + QLatin1Char('"');
    };
    c.dither = is("DEFINE_PHASE_DITHER", "YES");
    c.taylor = is("DEFINE_TAYLOR_CORR", "YES");
    if (has("CONFIGINC_EN"))
        c.increment = CoreConfig::Increment::Programmable;
    else if (has("PHASEINC_EN"))
        c.increment = CoreConfig::Increment::Streaming;
    if (has("CONFIGOFF_EN"))
        c.offset = CoreConfig::Offset::Programmable;
    else if (has("PHASEOFF_EN"))
        c.offset = CoreConfig::Offset::Streaming;
    else if (is("DEFINE_POFF_TYPE", "Fixed"))
        c.offset = CoreConfig::Offset::Fixed;
    c.resync = has("PHASERESYNC") && c.increment == CoreConfig::Increment::Streaming;
    c.sineOut = has("SINE_OUT");
    c.cosineOut = has("COSSINE_OUT");
    c.phaseOut = has("PHASE_OUT");
    c.chanIdOut = has("CHANID_OUT") && c.multiChannel();

    const quint64 mask = c.phaseWidth == 64 ? ~0ULL : (1ULL << c.phaseWidth) - 1;
    for (int i = 0; i < 16; ++i) {
        const QString digit = QString::number(i, 16).toUpper();
        const QString incName = QStringLiteral("DEFINE_PINC%1_INIT").arg(digit);
        const QString offName = QStringLiteral("DEFINE_POFF%1_INIT").arg(digit);
        if (!parseInitValue(defines.value(incName), &c.incInit[i])
            || !parseInitValue(defines.value(offName), &c.offInit[i]))
            return IPCore::fail(
                    error,
                    tr("%1 or %2 is missing or not a sized hex value").arg(incName, offName));
        // Verilog keeps the low bits of a literal wider than its size.
        c.incInit[i] &= mask;
        c.offInit[i] &= mask;
    }
    if (c.minimumLatency() < 0)
        return IPCore::fail(error,
                            tr("DEFINE_WORKMODE %1 with noise shaping \"%2\" is no configuration "
                               "of the core")
                                    .arg(c.workMode)
                                    .arg(c.noiseShaping()));
    c.tableFile = defines.value(QStringLiteral("DEFINE_FILENAME"));
    c.tableFile.remove(QLatin1Char('"'));
    config = c;
    return true;
}

} // namespace DdsRtl
