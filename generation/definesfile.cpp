#include "dds2dlg.h"

#include "definesbuilder.h"
#include "dialogrules.h"
#include "errorbox.h"
#include "generatefile.h"
#include "ui_cfgtab.h"
#include "ui_imptab.h"
#include "ui_outputtab.h"

namespace IPDDSYN {

QString dds2dlg::workingDirectory() const
{
    return createPath() + QLatin1String("/temp/") + QLatin1String("dds_ii");
}

Generation::DefinesSettings dds2dlg::definesSettings() const
{
    Generation::DefinesSettings s;
    s.series = device().series();
    s.device = device().device();
    s.configuration = m_cfg->cfgOptions->currentText();
    s.workMode = m_cfg->cfgOptions->currentIndex();
    s.channels = m_cfg->numOfChannels->currentText();
    s.parameterSelection = m_cfg->paraSelection->currentText();
    s.noiseShapingSys = m_cfg->NS_sys->currentText();
    s.noiseShapingHard = m_cfg->NS_hard->currentText();
    s.sysPhaseWidth = sysPhaseWidth();
    s.sysOutputWidth = sysOutputWidth();
    s.hardPhaseWidth = m_cfg->phaseWidth->value();
    s.hardOutputWidth = m_cfg->outputWidth->value();
    s.systemClock = m_cfg->sysClk->displayText().toDouble();
    s.fixedInc = m_imp->fixed_inc->isChecked();
    s.programmableInc = m_imp->programmable_inc->isChecked();
    s.streamingInc = m_imp->streaming_inc->isChecked();
    s.resyncActive = m_imp->resync->isEnabled() && m_imp->resync->isChecked();
    s.noneOff = m_imp->none_off->isChecked();
    s.fixedOff = m_imp->fixed_off->isChecked();
    s.programmableOff = m_imp->programmable_off->isChecked();
    s.streamingOff = m_imp->streaming_off->isChecked();
    s.sine = m_imp->sine->isChecked();
    s.cosine = m_imp->cosine->isChecked();
    s.sinAndcos = m_imp->sinAndcos->isChecked();
    s.hasPhaseOut = m_imp->hasPhaseOut->isChecked();
    s.channelIdOut = m_imp->channelIDOut->isChecked();
    s.latency = m_imp->latency->currentText();
    s.frequencies = entryTexts(m_out->freqGroupBox);
    s.phases = entryTexts(m_out->phaseGroupBox);
    return s;
}

bool dds2dlg::generateCoreFiles()
{
    writeConfigFile();

    const QStringList moduleLines{Generation::moduleLine(moduleName())};
    QStringList parameterLines = Generation::parameterLines(definesSettings());
    const QString configuration = m_cfg->cfgOptions->currentText();
    const bool hasTable = configuration == Rules::PhaseGenAndLut || configuration == Rules::LutOnly;
    if (hasTable) {
        const Generation::TableWidths widths = Generation::tableWidths(parameterLines);
        if (widths.fault == Generation::TableWidths::Repeated) {
            showErrorBox(this, QStringLiteral("Rpeat define in defines."));
            return false;
        }
        if (widths.fault == Generation::TableWidths::Missing
            || !generateCosSinLutFile(widths.W, widths.P, widths.T)) {
            showErrorBox(this, QStringLiteral("Failed to generate data file."));
            return false;
        }
    }
    parameterLines << Generation::fileNameLine(hasTable);

    const QString dir = workingDirectory() + QLatin1Char('/');
    return IPCore::generateFile(dir + QLatin1String("top_define.vh"), moduleLines, this, QString())
           && IPCore::generateFile(
                   dir + QLatin1String("dds_ii_top_defines.vh"), parameterLines, this, QString());
}

} // namespace IPDDSYN
