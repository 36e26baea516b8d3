#include "optiontable.h"

namespace IPDDSYN {
namespace Generation {

QString channelKey(int channel, int column)
{
    return QStringLiteral("channel%1_column%2").arg(channel + 1).arg(column);
}

static QVector<Option> makeOptions()
{
    using K = OptionKind;
    QVector<Option> table{
            {QStringLiteral("Synthesis_tool"), QString(), K::SynthesisTool, {}},
            {QStringLiteral("LANG"), QString(), K::Language, {}},
            {QStringLiteral("Disable_IO_Insertion"),
             QStringLiteral("checkDisableIOInsertion"),
             K::Check,
             true},
            {QStringLiteral("ConfiguationOptions"), QStringLiteral("cfgOptions"), K::Choice, {}},
            {QStringLiteral("SystemClock"), QStringLiteral("sysClk"), K::Text, {}},
            {QStringLiteral("NumberOfChannels"), QStringLiteral("numOfChannels"), K::Choice, {}},
            {QStringLiteral("ModeOfOperation"), QStringLiteral("modeOfOperation"), K::Choice, {}},
            {QStringLiteral("FrequencyPerChannel"), QStringLiteral("freqPerChannel"), K::Label, {}},
            {QStringLiteral("ParameterSelection"), QStringLiteral("paraSelection"), K::Choice, {}},
            {QStringLiteral("SpuriousFreeDynamicRange"), QStringLiteral("SFDR"), K::Text, {}},
            {QStringLiteral("FrequencyResolution"), QStringLiteral("freqResolution"), K::Text, {}},
            {QStringLiteral("NoiseShaping_sys"), QStringLiteral("NS_sys"), K::Choice, {}},
            {QStringLiteral("NoiseShaping_hard"), QStringLiteral("NS_hard"), K::Choice, {}},
            {QStringLiteral("PhaseWidth"), QStringLiteral("phaseWidth"), K::Number, {}},
            {QStringLiteral("OutputWidth"), QStringLiteral("outputWidth"), K::Number, {}},
            {QStringLiteral("resync"), QStringLiteral("resync"), K::EnabledCheck, {}},
            {QStringLiteral("PhaseIncrementProgrammability"),
             QStringLiteral("inc"),
             K::Exclusive,
             {}},
            {QStringLiteral("PhaseOffsetProgrammability"), QStringLiteral("off"), K::Exclusive, {}},
            {QStringLiteral("Output"), QStringLiteral("output"), K::Exclusive, {}},
            {QStringLiteral("hasPhaseOut"), QStringLiteral("hasPhaseOut"), K::Check, {}},
            {QStringLiteral("ChannelIDout"), QStringLiteral("channelIDOut"), K::Check, {}},
            {QStringLiteral("Latency"), QStringLiteral("latency"), K::Choice, {}},
    };
    for (int column = 1; column <= 2; ++column) {
        const QString entry = column == 1 ? QStringLiteral("freq%1") : QStringLiteral("phase%1");
        for (int channel = 0; channel < ChannelCount; ++channel)
            table.append({channelKey(channel, column), entry.arg(channel), K::Text, {}});
    }
    return table;
}

const QVector<Option> &options()
{
    static const QVector<Option> table = makeOptions();
    return table;
}

const Option *findOption(const QString &key)
{
    for (const Option &option : options()) {
        if (option.key == key)
            return &option;
    }
    return nullptr;
}

} // namespace Generation
} // namespace IPDDSYN
