#include "dds2dlg.h"

#include "channeltablecheck.h"
#include "dialogrules.h"
#include "errorbox.h"
#include "ui_cfgtab.h"
#include "ui_outputtab.h"

#include <QComboBox>

namespace IPDDSYN {

QStringList dds2dlg::entryTexts(const QWidget *group)
{
    QStringList texts;
    const QList<QLineEdit *> entries = group->findChildren<QLineEdit *>();
    for (const QLineEdit *entry : entries)
        texts << entry->displayText();
    return texts;
}

namespace {

// The name a user knows an option by: its key in the configuration file.
QString optionName(const QWidget *widget)
{
    const QString key = widget->property("ipOption").toString();
    return key.isEmpty() ? widget->objectName() : key;
}

QString outOfRange(const QLineEdit *field, const QString &range)
{
    return dds2dlg::tr("\"%1\" is \"%2\", outside %3; enter a value in that range.")
            .arg(optionName(field), field->displayText(), range);
}

} // namespace

// Loading a configuration sets texts and choices without the rules that
// would have refused them, so a hand-edited file can hold any value.
bool dds2dlg::checkSettings()
{
    QStringList problems;
    const QList<QComboBox *> lists = findChildren<QComboBox *>();
    for (const QComboBox *list : lists) {
        if (!list->isEnabled() || list->count() == 0 || list->currentIndex() >= 0)
            continue;
        QStringList choices;
        for (int i = 0; i < list->count(); ++i)
            choices << list->itemText(i);
        problems << tr("\"%1\" has no choice (the configuration held a value it "
                       "does not offer); choose one of: %2.")
                            .arg(optionName(list), choices.join(QLatin1String(", ")));
    }
    if (!Rules::isSystemClockAcceptable(m_cfg->sysClk->displayText()))
        problems << outOfRange(m_cfg->sysClk, tr("0.01 to 500 MHz"));
    if (m_cfg->paraSelection->currentText() == Rules::SystemParameters) {
        if (!Rules::isSfdrAcceptable(m_cfg->SFDR->displayText()))
            problems << outOfRange(m_cfg->SFDR, tr("24 to 150 dB"));
        // Its range follows from the clock and the channel count checked above.
        const double resolution = Rules::toNumber(m_cfg->freqResolution->displayText());
        if (problems.isEmpty()
            && !Rules::isResolutionAcceptable(resolution, systemClock(), channelCount()))
            problems << outOfRange(m_cfg->freqResolution,
                                   Rules::resolutionRangeText(
                                           Rules::resolutionRange(systemClock(), channelCount()))
                                           + tr(" Hz"));
    }
    if (problems.isEmpty())
        return true;
    showErrorBox(this, problems.join(QLatin1Char('\n')));
    return false;
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
    QString error;
    if (Generation::checkChannelTable(table, error))
        return true;
    showErrorBox(this, error);
    return false;
}

} // namespace IPDDSYN
