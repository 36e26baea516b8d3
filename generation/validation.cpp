#include "dds2dlg.h"

#include "channeltablecheck.h"
#include "errorbox.h"
#include "ui_cfgtab.h"
#include "ui_outputtab.h"

namespace IPDDSYN {

QStringList dds2dlg::entryTexts(const QWidget *group)
{
    QStringList texts;
    const QList<QLineEdit *> entries = group->findChildren<QLineEdit *>();
    for (const QLineEdit *entry : entries)
        texts << entry->displayText();
    return texts;
}

bool dds2dlg::checkInputData()
{
    Generation::ChannelTable table;
    table.frequencies = entryTexts(m_out->freqGroupBox);
    table.phases = entryTexts(m_out->phaseGroupBox);
    if (table.frequencies.isEmpty() || table.phases.isEmpty())
        return false;
    table.parameterSelection = m_cfg->paraSelection->currentText();
    table.systemClock = m_cfg->sysClk->displayText().toDouble();
    table.channels = m_cfg->numOfChannels->currentText().toInt(nullptr, 10);
    table.phaseWidth = m_cfg->phaseWidth->value();
    table.frequenciesEnabled = m_out->freqGroupBox->isEnabled();
    table.phasesEnabled = m_out->phaseGroupBox->isEnabled();
    table.frequencyHeading = m_out->freqContrl->text();
    table.phaseHeading = m_out->phaseContrl->text();
    const Generation::ChannelTableFault fault = Generation::channelTableFault(table);
    if (fault.kind == Generation::ChannelTableFault::None)
        return true;
    showErrorBox(this, fault.message());
    return false;
}

} // namespace IPDDSYN
