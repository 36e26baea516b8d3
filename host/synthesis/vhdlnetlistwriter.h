#pragma once

#include "hostexport.h"
#include "yosysnetlist.h"

#include <QCoreApplication>
#include <QString>

namespace IPCore {

/// Writes a structural VHDL netlist (one entity, its architecture and a
/// small package with the look-up table function) of a Yosys netlist mapped
/// to generic LUTs, gates, flip-flops and read-only memories. The result is
/// plain VHDL-93.
class IPCORE_SYNTHESIS_EXPORT VhdlNetlistWriter
{
    Q_DECLARE_TR_FUNCTIONS(VhdlNetlistWriter)

public:
    /// The VHDL text in `text`; false with `error` naming the first cell
    /// that has no VHDL form (for instance an unmapped coarse cell).
    static bool write(const YosysNetlist &netlist, QString &text, QString &error);
};

} // namespace IPCore
