#include "dds2dlg.h"

#include "decode.h"
#include "delivery.h"
#include "editormanager.h"
#include "fileutils.h"
#include "ipcore.h"
#include "synthesishelper.h"

#include <QDir>
#include <QFile>

namespace IPDDSYN {

// The readable core beside the netlist; a configuration without a table has no table file.
static bool deliverRtl(const Generation::DeliveryPlan &plan, QString &error)
{
    if (!QDir().mkpath(plan.rtlDir)) {
        error = QStringLiteral("Cannot create the folder \"%1\" for the core's RTL.")
                        .arg(plan.rtlDir);
        return false;
    }
    for (int i = 0; i < plan.rtlFrom.size(); ++i) {
        const bool table = plan.rtlFrom.at(i).endsWith(QLatin1String(".dat"));
        if (table && !QFile::exists(plan.rtlFrom.at(i))) {
            QFile::remove(plan.rtlTo.at(i)); // an earlier configuration's table does not belong
            continue;
        }
        if (!Utils::FileUtils::copyFile(plan.rtlFrom.at(i), plan.rtlTo.at(i), error))
            return false;
    }
    return true;
}

void dds2dlg::onGenerationFinished(int exitCode)
{
    QStringList details;
    if (exitCode != 0 && m_synthesis)
        details << m_synthesis->detailErrorMsgs();
    const Generation::DeliveryPlan plan
            = Generation::deliveryPlan(uiSynthesisTool(),
                                       uiLanguageIndex(),
                                       createPath(),
                                       fileName(),
                                       m_info.value(QStringLiteral("ipcore.dir.data")).toString());

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
        if (!failed && !deliverRtl(plan, error)) {
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
    QStringList added;
    for (const QString &path : plan.added) {
        if (QFile::exists(path))
            added << path;
    }
    IPCore::addFilesToProject(added);
    // The plain close: this dialog's own accept() would generate again.
    QDialog::accept();
}

} // namespace IPDDSYN
