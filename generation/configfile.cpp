#include "dds2dlg.h"

#include "errorbox.h"
#include "ipcore.h"
#include "ui_cfgtab.h"
#include "ui_imptab.h"
#include "ui_outputtab.h"

#include <QDebug>
#include <QRadioButton>
#include <QSettings>

namespace IPDDSYN {

namespace {

// The radio groups the file stores by the object name of the checked button.
struct RadioGroup
{
    const char *key;
    QGroupBox *Ui::impTab::*box;
};
const RadioGroup radioGroups[] = {
        {"PhaseIncrementProgrammability", &Ui::impTab::inc},
        {"PhaseOffsetProgrammability", &Ui::impTab::off},
        {"Output", &Ui::impTab::output},
};

QString channelKey(int channel, int column)
{
    return QStringLiteral("channel%1_column%2").arg(channel + 1).arg(column);
}

void selectText(QComboBox *list, const QVariant &value)
{
    list->setCurrentIndex(list->findText(value.toString()));
}

} // namespace

QMap<QString, QVariant> dds2dlg::configOptions() const
{
    QMap<QString, QVariant> options{
            {QStringLiteral("Synthesis_tool"), uiSynthesisTool()},
            {QStringLiteral("LANG"), uiLanguageIndex()},
            {QStringLiteral("Disable_IO_Insertion"), m_cfg->checkDisableIOInsertion->isChecked()},
            {QStringLiteral("ConfiguationOptions"), m_cfg->cfgOptions->currentText()},
            {QStringLiteral("SystemClock"), m_cfg->sysClk->displayText()},
            {QStringLiteral("NumberOfChannels"), m_cfg->numOfChannels->currentText()},
            {QStringLiteral("ModeOfOperation"), m_cfg->modeOfOperation->currentText()},
            {QStringLiteral("ParameterSelection"), m_cfg->paraSelection->currentText()},
            {QStringLiteral("SpuriousFreeDynamicRange"), m_cfg->SFDR->displayText()},
            {QStringLiteral("FrequencyResolution"), m_cfg->freqResolution->displayText()},
            {QStringLiteral("NoiseShaping_sys"), m_cfg->NS_sys->currentText()},
            {QStringLiteral("NoiseShaping_hard"), m_cfg->NS_hard->currentText()},
            {QStringLiteral("PhaseWidth"), m_cfg->phaseWidth->value()},
            {QStringLiteral("OutputWidth"), m_cfg->outputWidth->value()},
            {QStringLiteral("resync"), m_imp->resync->isEnabled() && m_imp->resync->isChecked()},
            {QStringLiteral("hasPhaseOut"), m_imp->hasPhaseOut->isChecked()},
            {QStringLiteral("ChannelIDout"), m_imp->channelIDOut->isChecked()},
            {QStringLiteral("Latency"), m_imp->latency->currentText()},
    };
    for (const RadioGroup &group : radioGroups) {
        const QList<QRadioButton *> buttons = (m_imp->*group.box)->findChildren<QRadioButton *>();
        for (const QRadioButton *button : buttons) {
            if (button->isChecked())
                options.insert(QLatin1String(group.key), button->objectName());
        }
    }
    const QStringList frequencies = entryTexts(m_out->freqGroupBox);
    const QStringList phases = entryTexts(m_out->phaseGroupBox);
    for (int i = 0; i < 16; ++i) {
        options.insert(channelKey(i, 1), frequencies.value(i));
        options.insert(channelKey(i, 2), phases.value(i));
    }
    return options;
}

void dds2dlg::writeConfigFile()
{
    const QMap<QString, QVariant> header{
            {QStringLiteral("target_device"), device().id()},
            {QStringLiteral("type"), m_info.value(QStringLiteral("ipcore.id")).toString()},
            {QStringLiteral("version"), QStringLiteral("1.0")},
            {QStringLiteral("file"), fileName()},
            {QStringLiteral("module"), moduleName()},
    };
    IPCore::writeIPConfig(createPath() + QLatin1Char('/') + fileName() + QLatin1String(".ipc"),
                          header,
                          configOptions());
}

bool dds2dlg::loadConfigFile(const QString &path)
{
    QSettings file(path, QSettings::IniFormat);
    if (file.value(QStringLiteral("version")).toString() != QLatin1String("1.0")) {
        showErrorBox(this,
                     QStringLiteral("This version of specified IP Config file is incompatible "
                                    "with current IP Core Generator."));
        return false;
    }
    QMap<QString, QVariant> config;
    file.beginGroup(QStringLiteral("Config"));
    const QStringList keys = file.childKeys();
    for (const QString &key : keys)
        config.insert(key, file.value(key));
    file.endGroup();
    applyConfig(config);
    return true;
}

// Each assignment runs the rules wired to the widget, so the order matters:
// choices that refill lists come before the values chosen from those lists.
void dds2dlg::applyConfig(const QMap<QString, QVariant> &config)
{
    const auto value = [&config](const char *key) { return config.value(QLatin1String(key)); };
    uiSetSynthesisTool(value("Synthesis_tool").toString());
    uiSetLanguageIndex(value("LANG").toInt());
    m_cfg->checkDisableIOInsertion->setChecked(
            config.value(QStringLiteral("Disable_IO_Insertion"), true).toBool());
    selectText(m_cfg->cfgOptions, value("ConfiguationOptions"));
    m_cfg->sysClk->setText(value("SystemClock").toString());
    selectText(m_cfg->numOfChannels, value("NumberOfChannels"));
    selectText(m_cfg->modeOfOperation, value("ModeOfOperation"));
    m_cfg->freqPerChannel->setText(value("FrequencyPerChannel").toString());
    selectText(m_cfg->paraSelection, value("ParameterSelection"));
    m_cfg->SFDR->setText(value("SpuriousFreeDynamicRange").toString());
    m_cfg->freqResolution->setText(value("FrequencyResolution").toString());
    selectText(m_cfg->NS_sys, value("NoiseShaping_sys"));
    selectText(m_cfg->NS_hard, value("NoiseShaping_hard"));
    m_cfg->phaseWidth->setValue(value("PhaseWidth").toInt());
    m_cfg->outputWidth->setValue(value("OutputWidth").toInt());
    m_imp->resync->setChecked(value("resync").toBool());

    // An empty name finds the group's first button; a name the group lacks
    // (an edited file) leaves that group as it is.
    QList<QRadioButton *> choices;
    for (const RadioGroup &group : radioGroups) {
        const QString name = value(group.key).toString();
        if (auto *button = (m_imp->*group.box)->findChild<QRadioButton *>(name))
            choices << button;
        else
            qWarning().noquote() << "No choice" << name << "for" << group.key << "; kept as it is";
    }
    for (QRadioButton *button : qAsConst(choices))
        button->setChecked(true);

    m_imp->hasPhaseOut->setChecked(value("hasPhaseOut").toBool());
    m_imp->channelIDOut->setChecked(value("ChannelIDout").toBool());
    selectText(m_imp->latency, value("Latency"));
    const QList<QLineEdit *> frequencies = m_out->freqGroupBox->findChildren<QLineEdit *>();
    const QList<QLineEdit *> phases = m_out->phaseGroupBox->findChildren<QLineEdit *>();
    for (int i = 0; i < frequencies.size(); ++i)
        frequencies.at(i)->setText(config.value(channelKey(i, 1)).toString());
    for (int i = 0; i < phases.size(); ++i)
        phases.at(i)->setText(config.value(channelKey(i, 2)).toString());
    updatedFreqPerChannel();
}

} // namespace IPDDSYN
