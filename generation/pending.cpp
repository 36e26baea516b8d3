// Placeholders for the generation members while they are being written; each
// fails openly so that nothing pretends to have generated a core.
#include "dds2dlg.h"

#include <QMessageBox>

namespace IPDDSYN {

void dds2dlg::startSynthesis()
{
    QMessageBox::critical(this,
                          QStringLiteral("Error"),
                          QStringLiteral("Synthesis is not available yet; the generated files "
                                         "are in %1.")
                                  .arg(workingDirectory()));
}

void dds2dlg::onGenerationFinished(int exitCode)
{
    Q_UNUSED(exitCode)
}

} // namespace IPDDSYN
