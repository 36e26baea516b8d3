#include "ipcore.h"

namespace IPCore {

int decode(const QString &outDir, const QString &netlist, const QString &voFile, QString &message)
{
    Q_UNUSED(outDir)
    Q_UNUSED(netlist)
    message = QStringLiteral(
                      "Cannot derive \"%1\": the simulation model writer is not available yet.")
                      .arg(voFile);
    return 1;
}

} // namespace IPCore
