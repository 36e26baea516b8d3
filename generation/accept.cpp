#include "dds2dlg.h"

#include "ipcore.h"

namespace IPDDSYN {

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
    if (!IPCore::makeDirs(workingDirectory(),
                          m_info.value(QStringLiteral("ipcore.name")).toString()))
        return;
    if (!checkInputData())
        return;
    if (!generateCoreFiles())
        return;
    startSynthesis();
}

} // namespace IPDDSYN
