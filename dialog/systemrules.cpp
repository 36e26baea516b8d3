#include "dds2dlg.h"

#include "dds2logging.h"

#include "dialogrules.h"
#include "ui_cfgtab.h"
#include "ui_imptab.h"
#include "ui_outputtab.h"

#include <QDebug>

namespace IPDDSYN {

double dds2dlg::systemClock() const
{
    return Rules::toNumber(m_cfg->sysClk->displayText());
}

double dds2dlg::channelCount() const
{
    return Rules::toNumber(m_cfg->numOfChannels->currentText());
}

int dds2dlg::sysPhaseWidth() const
{
    return Rules::systemPhaseWidth(
            systemClock(), channelCount(), Rules::toNumber(m_cfg->freqResolution->displayText()));
}

int dds2dlg::sysOutputWidth() const
{
    return Rules::systemOutputWidth(Rules::toNumber(m_cfg->SFDR->displayText()));
}

void dds2dlg::selectRemembered(QComboBox *list, const QString &remembered)
{
    const int index = remembered.isEmpty() ? -1 : list->findText(remembered);
    if (index >= 0)
        list->setCurrentIndex(index);
}

void dds2dlg::updatedSysClk()
{
    if (!Rules::isSystemClockAcceptable(m_cfg->sysClk->displayText()))
        m_cfg->sysClk->setText(QStringLiteral("100"));
    if (m_cfg->cfgOptions->currentText() == Rules::LutOnly) {
        m_cfg->sysClk->setEnabled(false);
        m_cfg->sysClk->setText(QStringLiteral("100"));
    } else {
        m_cfg->sysClk->setEnabled(true);
    }
}

void dds2dlg::onCfgOptionChanged()
{
    const char *indexChanged = SIGNAL(currentIndexChanged(int));
    const std::initializer_list<const char *> selectionRules
            = {SLOT(updatedParameteGroup()), SLOT(updatedLatency()), SLOT(updatedUiTab3())};
    const std::initializer_list<const char *> noiseShapingRules
            = {SLOT(updatedPhaseWidth()), SLOT(updatedOutPutWidth()), SLOT(updatedLatency())};

    setRulesConnected(m_cfg->paraSelection, indexChanged, selectionRules, false);
    const QString selection = m_cfg->paraSelection->currentText();
    m_cfg->paraSelection->clear();
    setRulesConnected(m_cfg->NS_hard, indexChanged, noiseShapingRules, false);
    const QString noiseShaping = m_cfg->NS_hard->currentText();
    m_cfg->NS_hard->clear();

    const Ui::impTab &i = *m_imp;
    const QList<QAbstractButton *> choiceButtons = {i.fixed_inc,
                                                    i.programmable_inc,
                                                    i.streaming_inc,
                                                    i.none_off,
                                                    i.fixed_off,
                                                    i.programmable_off,
                                                    i.streaming_off,
                                                    i.sine,
                                                    i.cosine,
                                                    i.sinAndcos,
                                                    i.hasPhaseOut};
    for (QAbstractButton *button : choiceButtons)
        button->setEnabled(true);

    const QString configuration = m_cfg->cfgOptions->currentText();
    const Rules::ConfigurationChoices choices = Rules::configurationChoices(configuration);
    m_cfg->numOfChannels->setEnabled(choices.channelsEnabled);
    if (!choices.channelsEnabled)
        selectRemembered(m_cfg->numOfChannels, QStringLiteral("1"));
    m_cfg->paraSelection->addItems(choices.parameterSelections);
    m_cfg->NS_hard->addItems(choices.hardwareNoiseShapings);
    if (configuration == Rules::PhaseGenOnly) {
        i.sinAndcos->setChecked(true);
        i.sine->setEnabled(false);
        i.cosine->setEnabled(false);
        i.sinAndcos->setEnabled(false);
        i.hasPhaseOut->setChecked(true);
        i.hasPhaseOut->setEnabled(false);
    } else if (configuration == Rules::LutOnly) {
        i.fixed_inc->setChecked(true);
        i.fixed_inc->setEnabled(false);
        i.programmable_inc->setEnabled(false);
        i.streaming_inc->setEnabled(false);
        i.none_off->setChecked(true);
        i.none_off->setEnabled(false);
        i.fixed_off->setEnabled(false);
        i.programmable_off->setEnabled(false);
        i.streaming_off->setEnabled(false);
        i.hasPhaseOut->setChecked(false);
        i.hasPhaseOut->setEnabled(false);
    }

    selectRemembered(m_cfg->paraSelection, selection);
    setRulesConnected(m_cfg->paraSelection, indexChanged, selectionRules, true);
    updatedParameteGroup();
    selectRemembered(m_cfg->NS_hard, noiseShaping);
    setRulesConnected(m_cfg->NS_hard, indexChanged, noiseShapingRules, true);
    updatedPhaseWidth();
}

void dds2dlg::updatedFreqPerChannel()
{
    if (m_cfg->cfgOptions->currentText() == Rules::LutOnly)
        m_cfg->freqPerChannel->setText(tr("Not Applicable"));
    else
        m_cfg->freqPerChannel->setText(
                Rules::frequencyPerChannelText(systemClock(), channelCount()));
}

void dds2dlg::updatedParameteGroup()
{
    m_cfg->hard->setVisible(true);
    m_cfg->sysem->setVisible(true);
    const QString selection = m_cfg->paraSelection->currentText();
    if (selection == Rules::SystemParameters) {
        m_cfg->sysem->setEnabled(true);
        m_cfg->hard->setEnabled(false);
        m_cfg->hard->setVisible(false);
    } else if (selection == Rules::HardwareParameters) {
        m_cfg->sysem->setEnabled(false);
        m_cfg->sysem->setVisible(false);
        m_cfg->hard->setEnabled(true);
    }
}

void dds2dlg::checkSFDRange()
{
    if (Rules::isSfdrAcceptable(m_cfg->SFDR->displayText()))
        return;
    m_cfg->SFDR->setText(QStringLiteral("72"));
    // The noise-shaping list was just filled from the rejected value.
    updatedNS_system();
}

void dds2dlg::updatedFreqResRange()
{
    m_cfg->rangeFreqRes->setText(
            Rules::resolutionRangeText(Rules::resolutionRange(systemClock(), channelCount())));
}

void dds2dlg::correctFreqResolution()
{
    const double resolution = Rules::toNumber(m_cfg->freqResolution->displayText());
    if (!Rules::isResolutionAcceptable(resolution, systemClock(), channelCount()))
        m_cfg->freqResolution->setText(QStringLiteral("1"));
}

void dds2dlg::checkFreqResLineEdit()
{
    correctFreqResolution();
    updatedNS_system();
    // The resolution sets the phase width under "System Parameters"; show it at once.
    refreshFigure();
}

void dds2dlg::updatedNS_system()
{
    const char *indexChanged = SIGNAL(currentIndexChanged(int));
    setRulesConnected(m_cfg->NS_sys, indexChanged, {SLOT(updatedLatency())}, false);
    const QString remembered = m_cfg->NS_sys->currentText();
    m_cfg->NS_sys->clear();
    const int phaseWidth = sysPhaseWidth();
    const int outputWidth = sysOutputWidth();
    qCDebug(lcDds2Rules) << "system widths: phase" << phaseWidth << "output" << outputWidth;
    m_cfg->NS_sys->addItems(Rules::systemNoiseShapings(phaseWidth, outputWidth));
    selectRemembered(m_cfg->NS_sys, remembered);
    setRulesConnected(m_cfg->NS_sys, indexChanged, {SLOT(updatedLatency())}, true);
    updatedLatency();
}

void dds2dlg::changeDefaultValue()
{
    const QString text = Rules::defaultFirstFrequency(m_cfg->paraSelection->currentText());
    if (!text.isEmpty())
        m_out->freq0->setText(text);
}

} // namespace IPDDSYN
