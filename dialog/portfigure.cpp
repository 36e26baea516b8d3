#include "dds2dlg.h"

#include "dialogrules.h"
#include "pinlist.h"
#include "ui_cfgtab.h"
#include "ui_imptab.h"

namespace IPDDSYN {

void dds2dlg::refreshFigure()
{
    PinChoices choices;
    choices.configuration = m_cfg->cfgOptions->currentText();
    const QString selection = m_cfg->paraSelection->currentText();
    if (selection == Rules::SystemParameters) {
        choices.phaseWidth = sysPhaseWidth();
        choices.outputWidth = sysOutputWidth();
    } else if (selection == Rules::HardwareParameters) {
        choices.phaseWidth = m_cfg->phaseWidth->value();
        choices.outputWidth = m_cfg->outputWidth->value();
    }
    choices.channels = m_cfg->numOfChannels->currentText().toInt();
    const Ui::impTab &i = *m_imp;
    choices.streamingInc = i.streaming_inc->isChecked();
    choices.streamingOff = i.streaming_off->isChecked();
    choices.programmableInc = i.programmable_inc->isChecked();
    choices.programmableOff = i.programmable_off->isChecked();
    choices.resync = i.resync->isChecked();
    choices.sine = i.sine->isChecked();
    choices.cosine = i.cosine->isChecked();
    choices.sineAndCosine = i.sinAndcos->isChecked();
    choices.hasPhaseOut = i.hasPhaseOut->isChecked();
    choices.channelIdOut = i.channelIDOut->isChecked();
    uiSetFigurePins(pinList(choices));
}

} // namespace IPDDSYN
