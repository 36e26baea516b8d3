#include "dds2dlg.h"

#include "dialogrules.h"
#include "ui_cfgtab.h"
#include "ui_imptab.h"

namespace IPDDSYN {

void dds2dlg::updatedPhaseWidth()
{
    const QString configuration = m_cfg->cfgOptions->currentText();
    const Rules::Range range = Rules::phaseWidthRange(configuration, m_cfg->NS_hard->currentText());
    if (range.isValid()) {
        m_cfg->phaseRange->setText(Rules::rangeText(range));
        m_cfg->phaseWidth->setRange(range.min, range.max);
    }
    m_cfg->phaseWidth->setValue(Rules::defaultPhaseWidth(configuration));
}

void dds2dlg::updatedOutPutWidth()
{
    const int phaseWidth = m_cfg->phaseWidth->value();
    m_cfg->outputWidth->setEnabled(true);
    const int previous = m_cfg->outputWidth->value();
    const QString configuration = m_cfg->cfgOptions->currentText();
    const Rules::Range range
            = Rules::outputWidthRange(configuration, m_cfg->NS_hard->currentText(), phaseWidth);
    if (range.isValid()) {
        m_cfg->outputWidthrange->setText(Rules::rangeText(range));
        m_cfg->outputWidth->setRange(range.min, range.max);
    }
    // Without a look-up table the output width is fixed, whatever was chosen before.
    if (configuration == Rules::PhaseGenOnly) {
        m_cfg->outputWidth->setValue(range.max);
        m_cfg->outputWidth->setEnabled(false);
        return;
    }
    m_cfg->outputWidth->setValue(previous);
}

void dds2dlg::updatedLatency()
{
    const QString remembered = m_imp->latency->currentText();
    m_imp->latency->clear();
    m_imp->latency->addItems(
            Rules::latencyItems(Rules::firstLatency(m_cfg->cfgOptions->currentText(),
                                                    m_cfg->paraSelection->currentText(),
                                                    m_cfg->NS_sys->currentText(),
                                                    m_cfg->NS_hard->currentText())));
    const int index = remembered.isEmpty() ? -1 : m_imp->latency->findText(remembered);
    m_imp->latency->setCurrentIndex(index >= 0 ? index
                                               : m_imp->latency->findText(Rules::DefaultLatency));
}

void dds2dlg::updatedChannelIDOut()
{
    m_imp->channelIDOut->setEnabled(false);
    const QString configuration = m_cfg->cfgOptions->currentText();
    if (configuration == Rules::PhaseGenAndLut || configuration == Rules::PhaseGenOnly) {
        if (m_cfg->numOfChannels->currentText().toInt() > 1) {
            m_imp->channelIDOut->setEnabled(true);
            return;
        }
        m_imp->channelIDOut->setChecked(false);
    } else if (configuration == Rules::LutOnly) {
        m_imp->channelIDOut->setChecked(false);
    }
}

} // namespace IPDDSYN
