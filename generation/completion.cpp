#include "dds2dlg.h"

#include "decode.h"
#include "delivery.h"
#include "editormanager.h"
#include "fileutils.h"
#include "ipcore.h"
#include "synthesishelper.h"

#include <QFile>

namespace IPDDSYN {

void dds2dlg::onGenerationFinished(int exitCode)
{
    QStringList details;
    if (exitCode != 0 && m_synthesis)
        details << m_synthesis->detailErrorMsgs();
    const Generation::DeliveryPlan plan = Generation::deliveryPlan(
            uiSynthesisTool(), uiLanguageIndex(), createPath(), fileName());

    bool failed = exitCode != 0;
    if (!failed) {
        QString error;
        if (!Utils::FileUtils::copyFile(plan.netlistFrom, plan.netlistTo, error)
            || !Utils::FileUtils::copyFile(plan.templateFrom, plan.templateTo, error)) {
            details << error;
            failed = true;
        }
        if (!plan.vhoFrom.isEmpty() && QFile::exists(plan.vhoFrom)
            && !Utils::FileUtils::copyFile(plan.vhoFrom, plan.vhoTo, error)) {
            details << error;
            failed = true;
        }
        if (!failed) {
            QString message;
            failed = IPCore::decode(createPath(), plan.decodeNetlist, plan.voFile, message) != 0;
            details << message;
        }
    }

    if (m_synthesis)
        m_synthesis->hideProgressDlg();
    if (failed) {
        QString summary = m_synthesis ? m_synthesis->errorMsg() : QString();
        if (summary.isEmpty())
            summary = QStringLiteral("Core generation occur errors.");
        IPCore::showErrorMsgs(summary, details);
        return;
    }
    for (const QString &path : plan.opened)
        Core::EditorManager::openEditor(path, false);
    IPCore::addFilesToProject(plan.added);
    // The plain close: this dialog's own accept() would generate again.
    QDialog::accept();
}

} // namespace IPDDSYN
