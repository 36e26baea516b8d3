// Placeholders for the generation members while they are being written; each
// fails openly so that nothing pretends to have generated a core.
#include "dds2dlg.h"

#include <QMessageBox>

namespace IPDDSYN {

bool dds2dlg::checkInputData()
{
    return false;
}

bool dds2dlg::generateCoreFiles()
{
    return false;
}

bool dds2dlg::generateCosSinLutFile(int W, int P, int T)
{
    Q_UNUSED(W)
    Q_UNUSED(P)
    Q_UNUSED(T)
    return false;
}

void dds2dlg::startSynthesis() {}

void dds2dlg::applyConfig(const QMap<QString, QVariant> &config)
{
    Q_UNUSED(config)
}

bool dds2dlg::loadConfigFile(const QString &path)
{
    Q_UNUSED(path)
    QMessageBox::critical(this,
                          QStringLiteral("Error"),
                          QStringLiteral("Opening a configuration is not available yet."));
    return false;
}

void dds2dlg::accept()
{
    QMessageBox::critical(this,
                          QStringLiteral("Error"),
                          QStringLiteral("Generating the core is not available yet."));
}

void dds2dlg::onGenerationFinished(int exitCode)
{
    Q_UNUSED(exitCode)
}

} // namespace IPDDSYN
