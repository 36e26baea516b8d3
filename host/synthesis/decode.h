#pragma once

#include "hostexport.h"

#include <QString>

namespace IPCore {

/// Derives the post-synthesis simulation model `voFile` from the Verilog
/// netlist `netlist`; 0 on success, otherwise non-zero with `message` set.
IPCORE_SYNTHESIS_EXPORT int
decode(const QString &outDir, const QString &netlist, const QString &voFile, QString &message);

} // namespace IPCore
