#include "dds2dlg.h"

#include "delivery.h"
#include "synthesishelper.h"
#include "ui_cfgtab.h"

namespace IPDDSYN {

void dds2dlg::startSynthesis()
{
    // One runner per dialog and one connection, so every run reports once.
    if (!m_synthesis) {
        m_synthesis = new IPCore::SynthesisHelper(this);
        connect(m_synthesis,
                &IPCore::SynthesisHelper::finished,
                this,
                &dds2dlg::onGenerationFinished);
    }
    const QString tool = uiSynthesisTool();
    if (tool == QLatin1String("VeltoSynthesis"))
        m_synthesis->setSynthesizeTool(IPCore::SynthesisHelper::VeltoSynthesis);
    else if (tool == QLatin1String("Synplify Pro"))
        m_synthesis->setSynthesizeTool(IPCore::SynthesisHelper::SynplifyPro);

    const IPCore::SynthesizeArgs args
            = Generation::synthesisArgs(createPath(),
                                        fileName(),
                                        device(),
                                        m_info.value(QStringLiteral("ipcore.dir.data")).toString(),
                                        m_cfg->checkDisableIOInsertion->isChecked(),
                                        uiLanguageIndex() == 1);
    m_synthesis->setProgressDlgWindowTitle(m_info.value(QStringLiteral("ipcore.label")).toString());
    m_synthesis->showProgressDlg();
    m_synthesis->setArgs(args);
    m_synthesis->start();
}

} // namespace IPDDSYN
