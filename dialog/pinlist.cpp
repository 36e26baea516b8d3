#include "pinlist.h"

#include "dialogrules.h"

namespace IPDDSYN {

static Utils::PinFigure input(const QString &label, bool bus = false)
{
    return {label, 0, bus, Qt::AlignLeft};
}

static Utils::PinFigure output(const QString &label, bool bus = false)
{
    return {label, 1, bus, Qt::AlignRight};
}

static QString busLabel(const char *name, int width)
{
    return QStringLiteral("%1[%2:0]").arg(QLatin1String(name)).arg(width - 1);
}

QList<Utils::PinFigure> pinList(const PinChoices &c)
{
    const bool lutOnly = c.configuration == Rules::LutOnly;
    const bool streaming = c.streamingInc || c.streamingOff;
    const bool programmable = c.programmableInc || c.programmableOff;
    const bool multiChannel = c.channels > 1;

    QList<Utils::PinFigure> pins;
    pins << input(QStringLiteral("clk_i")) << input(QStringLiteral("rst_n_i"));
    if (lutOnly || streaming)
        pins << input(QStringLiteral("phase_valid_i"));
    if (lutOnly)
        pins << input(busLabel("phase_i", c.phaseWidth), true);
    if (c.streamingInc) {
        pins << input(busLabel("phase_inc_i", c.phaseWidth), true);
        if (c.resync)
            pins << input(QStringLiteral("phase_resync_i"));
    }
    if (c.streamingOff)
        pins << input(busLabel("phase_off_i", c.phaseWidth), true);
    if (streaming && multiChannel)
        pins << input(QStringLiteral("phase_tlast_i"))
             << output(QStringLiteral("phase_tlast_missing_o"))
             << output(QStringLiteral("phase_tlast_unexpected_o"));
    if (programmable)
        pins << input(QStringLiteral("config_valid_i"));
    if (c.programmableInc)
        pins << input(busLabel("config_inc_i", c.phaseWidth), true);
    if (c.programmableOff)
        pins << input(busLabel("config_off_i", c.phaseWidth), true);
    if (programmable && multiChannel)
        pins << input(QStringLiteral("config_tlast_i"))
             << output(QStringLiteral("config_tlast_missing_o"))
             << output(QStringLiteral("config_tlast_unexpected_o"));
    if (c.hasPhaseOut)
        pins << output(busLabel("phase_out_o", c.phaseWidth), true);
    if (c.configuration != Rules::PhaseGenOnly) {
        if (c.cosine || c.sineAndCosine)
            pins << output(busLabel("cosine_o", c.outputWidth), true);
        if (c.sine || c.sineAndCosine)
            pins << output(busLabel("sine_o", c.outputWidth), true);
    }
    if (c.channelIdOut && multiChannel) {
        const int top = Rules::channelIdTopIndex(c.channels);
        if (top == 0)
            pins << output(QStringLiteral("chan_id_o"));
        else
            pins << output(busLabel("chan_id_o", top + 1), true);
    }
    pins << output(QStringLiteral("data_valid_o"));
    return pins;
}

} // namespace IPDDSYN
