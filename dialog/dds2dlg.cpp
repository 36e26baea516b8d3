#include "dds2dlg.h"

#include "aliasing.h"
#include "coregenerator.h"
#include "definesbuilder.h"
#include "dialogrules.h"
#include "errorbox.h"
#include "generatefile.h"
#include "hostservices.h"
#include "ipcore.h"
#include "ui_cfgtab.h"
#include "ui_imptab.h"
#include "ui_outputtab.h"

#include <QDebug>
#include <QMessageBox>
#include <QRegExpValidator>

namespace IPDDSYN {

dds2dlg::dds2dlg(const QMap<QString, QVariant> &info, QWidget *parent)
    : IPCore::IPGenDialog(parent)
    , m_cfg(new Ui::cfgTab)
    , m_imp(new Ui::impTab)
    , m_out(new Ui::outputTab)
    , m_info(info)
{
    uiSetLabelText(m_info.value(QStringLiteral("ipcore.label")).toString());
    uiSetDefaultFileName(m_info.value(QStringLiteral("ipcore.target")).toString());
    uiSetModuleName(m_info.value(QStringLiteral("ipcore.module")).toString());
    helpDoc = m_info.value(QStringLiteral("ipcore.doc.help")).toString();
    setDataDirectory(m_info.value(QStringLiteral("ipcore.dir.data")).toString());

    auto *cfgPage = new QWidget(this);
    auto *impPage = new QWidget(this);
    auto *outPage = new QWidget(this);
    m_cfg->setupUi(cfgPage);
    m_imp->setupUi(impPage);
    m_out->setupUi(outPage);
    uiAddTab(cfgPage, tr("Configuration"));
    uiAddTab(impPage, tr("Impementation"));
    uiAddTab(outPage, tr("Output Settings"));
    tagOptionWidgets();

    m_generator = new Generation::CoreGenerator(this);
    connect(m_generator,
            &Generation::CoreGenerator::synthesisFinished,
            this,
            &dds2dlg::onGenerationFinished);
}

dds2dlg::~dds2dlg()
{
    delete m_cfg;
    delete m_imp;
    delete m_out;
}

void dds2dlg::initialize()
{
    using namespace Rules;
    m_cfg->cfgOptions->addItems(configurations());
    const QRegExp numberPattern(QStringLiteral("^(\\d{1,3}(\\.\\d{1,})?)$"));
    m_cfg->sysClk->setValidator(new QRegExpValidator(numberPattern, m_cfg->sysClk));
    m_cfg->sysClk->setText(QStringLiteral("100"));
    m_cfg->freqPerChannel->setText(QStringLiteral("100MHz"));
    for (int channels = 1; channels <= 16; ++channels)
        m_cfg->numOfChannels->addItem(QString::number(channels));
    m_cfg->SFDR->setText(QStringLiteral("72"));
    m_cfg->modeOfOperation->addItem(QStringLiteral("Standard"));
    m_cfg->paraSelection->addItems({SystemParameters, HardwareParameters});
    m_cfg->SFDR->setValidator(new QRegExpValidator(numberPattern, m_cfg->SFDR));
    m_cfg->freqResolution->setValidator(new QRegExpValidator(
            QRegExp(QStringLiteral("^(\\d{1,}(\\.\\d{1,})?)$")), m_cfg->freqResolution));
    m_out->freq0->setText(defaultFirstFrequency(m_cfg->paraSelection->currentText()));

    connectRules();

    onCfgOptionChanged();
    updatedSysClk();
    updatedFreqPerChannel();
    updatedParameteGroup();
    if (!isSfdrAcceptable(m_cfg->SFDR->displayText()))
        m_cfg->SFDR->setText(QStringLiteral("72"));
    updatedFreqResRange();
    correctFreqResolution();
    updatedNS_system();
    updatedNS_system();
    updatedPhaseWidth();
    updatedOutPutWidth();
    m_cfg->outputWidth->setValue(12);
    updatedChannelIDOut();
    updatedLatency();
    onStreamingCheckd();
    updatedUiTab3();
    refreshFigure();
}

void dds2dlg::connectRules()
{
    struct Wire
    {
        QObject *sender;
        const char *signal;
        const char *slot;
    };
    const char *indexChanged = SIGNAL(currentIndexChanged(int));
    const char *editingFinished = SIGNAL(editingFinished());
    const char *toggled = SIGNAL(toggled(bool));
    const char *valueChanged = SIGNAL(valueChanged(int));
    const Ui::cfgTab &c = *m_cfg;
    const Ui::impTab &i = *m_imp;
    // One signal's slots run in the order they are connected here; the rules rely on it.
    const Wire wires[] = {
            {c.cfgOptions, indexChanged, SLOT(onCfgOptionChanged())},
            {c.cfgOptions, indexChanged, SLOT(updatedSysClk())},
            {c.sysClk, editingFinished, SLOT(updatedSysClk())},
            {c.cfgOptions, indexChanged, SLOT(updatedFreqPerChannel())},
            {c.numOfChannels, indexChanged, SLOT(updatedFreqPerChannel())},
            {c.sysClk, editingFinished, SLOT(updatedFreqPerChannel())},
            {c.paraSelection, indexChanged, SLOT(updatedParameteGroup())},
            {c.sysClk, editingFinished, SLOT(updatedFreqResRange())},
            {c.numOfChannels, indexChanged, SLOT(updatedFreqResRange())},
            {c.freqResolution, editingFinished, SLOT(checkFreqResLineEdit())},
            {c.sysClk, editingFinished, SLOT(updatedNS_system())},
            {c.numOfChannels, indexChanged, SLOT(updatedNS_system())},
            {c.freqResolution, editingFinished, SLOT(updatedNS_system())},
            {c.SFDR, editingFinished, SLOT(updatedNS_system())},
            {c.SFDR, editingFinished, SLOT(checkSFDRange())},
            {c.cfgOptions, indexChanged, SLOT(updatedPhaseWidth())},
            {c.NS_hard, indexChanged, SLOT(updatedPhaseWidth())},
            {c.phaseWidth, valueChanged, SLOT(updatedOutPutWidth())},
            {c.cfgOptions, indexChanged, SLOT(updatedOutPutWidth())},
            {c.NS_hard, indexChanged, SLOT(updatedOutPutWidth())},
            {i.streaming_inc, toggled, SLOT(onStreamingCheckd())},
            {c.cfgOptions, indexChanged, SLOT(updatedChannelIDOut())},
            {c.numOfChannels, indexChanged, SLOT(updatedChannelIDOut())},
            {c.cfgOptions, indexChanged, SLOT(updatedLatency())},
            {c.paraSelection, indexChanged, SLOT(updatedLatency())},
            {c.NS_sys, indexChanged, SLOT(updatedLatency())},
            {c.NS_hard, indexChanged, SLOT(updatedLatency())},
            {c.cfgOptions, indexChanged, SLOT(updatedUiTab3())},
            {c.paraSelection, indexChanged, SLOT(updatedUiTab3())},
            {i.fixed_inc, toggled, SLOT(updatedUiTab3())},
            {i.fixed_off, toggled, SLOT(updatedUiTab3())},
            {i.programmable_inc, toggled, SLOT(updatedUiTab3())},
            {i.programmable_off, toggled, SLOT(updatedUiTab3())},
            {c.numOfChannels, indexChanged, SLOT(updatedUiTab3())},
            {c.paraSelection, indexChanged, SLOT(changeDefaultValue())},
            {c.cfgOptions, indexChanged, SLOT(refreshFigure())},
            {c.numOfChannels, indexChanged, SLOT(refreshFigure())},
            {c.paraSelection, indexChanged, SLOT(refreshFigure())},
            {c.phaseWidth, valueChanged, SLOT(refreshFigure())},
            {c.outputWidth, valueChanged, SLOT(refreshFigure())},
            {c.sysClk, editingFinished, SLOT(refreshFigure())},
            {c.SFDR, editingFinished, SLOT(refreshFigure())},
            {i.hasPhaseOut, toggled, SLOT(refreshFigure())},
            {i.streaming_inc, toggled, SLOT(refreshFigure())},
            {i.streaming_off, toggled, SLOT(refreshFigure())},
            {i.programmable_inc, toggled, SLOT(refreshFigure())},
            {i.programmable_off, toggled, SLOT(refreshFigure())},
            {i.resync, toggled, SLOT(refreshFigure())},
            {i.sinAndcos, toggled, SLOT(refreshFigure())},
            {i.sine, toggled, SLOT(refreshFigure())},
            {i.cosine, toggled, SLOT(refreshFigure())},
            {i.channelIDOut, toggled, SLOT(refreshFigure())},
    };
    for (const Wire &wire : wires)
        connect(wire.sender, wire.signal, this, wire.slot);
}

void dds2dlg::setRulesConnected(QObject *sender,
                                const char *signal,
                                std::initializer_list<const char *> slotList,
                                bool connected)
{
    for (const char *slot : slotList) {
        if (connected)
            connect(sender, signal, this, slot);
        else
            disconnect(sender, signal, this, slot);
    }
}

// Every step that fails has told the user and leaves the dialog open with
// what was entered, so that it can be corrected and confirmed again.
void dds2dlg::accept()
{
    const QStringList problems = checkFileOptions();
    if (!problems.isEmpty()) {
        showErrorMsg(problems);
        return;
    }
    if (!overwriteAllowed && !checkFileExisting())
        return;
    if (!checkModuleName())
        return;
    if (!checkSettings())
        return;
    if (!IPCore::makeDirs(coreSettings().workingDirectory(),
                          m_info.value(QStringLiteral("ipcore.name")).toString()))
        return;
    if (!checkInputData())
        return;
    if (!generateCoreFiles())
        return;
    startSynthesis();
}

bool dds2dlg::generateCoreFiles()
{
    QList<Generation::CoreGenerator::TextFile> defines;
    QString error;
    if (!Generation::CoreGenerator::writeCoreFiles(coreSettings(), defines, error)) {
        showErrorBox(this, error);
        return false;
    }
    // The host's writer tells the user itself when a file cannot be written.
    for (const Generation::CoreGenerator::TextFile &file : qAsConst(defines)) {
        if (!IPCore::generateFile(file.first, file.second, this, QString()))
            return false;
    }
    return true;
}

bool dds2dlg::generateCosSinLutFile(int W, int P, int T)
{
    QString error;
    if (Generation::CoreGenerator::writeTableFile(
                coreSettings().workingDirectory(), W, P, T, error))
        return true;
    qWarning().noquote() << error;
    return false;
}

void dds2dlg::startSynthesis()
{
    m_generator->startSynthesis(coreSettings());
}

void dds2dlg::onGenerationFinished(int exitCode)
{
    const Generation::CoreSettings settings = coreSettings();
    QString error;
    QStringList details;
    if (!m_generator->deliver(settings, exitCode, error, details)) {
        IPCore::showErrorMsgs(error, details);
        return;
    }
    showAliasWarnings(settings);
    // The plain close: this dialog's own accept() would generate again.
    QDialog::accept();
}

// The dialog accepts such frequencies, but the user should know which
// frequency the core really makes. A message box would fail a batch run.
void dds2dlg::showAliasWarnings(const Generation::CoreSettings &settings)
{
    const QStringList aliases = Generation::aliasWarnings(Generation::definesSettings(settings));
    if (aliases.isEmpty())
        return;
    const Core::HostServices *services = Core::HostServices::current();
    if (services && services->isBatch()) {
        for (const QString &line : aliases)
            qWarning().noquote() << tr("warning: %1").arg(line);
        return;
    }
    QMessageBox::warning(this,
                         tr("Output Frequency Aliased"),
                         tr("The core was generated.\n\n%1").arg(aliases.join(QLatin1Char('\n'))));
}

} // namespace IPDDSYN
