#pragma once

#include "hostexport.h"

#include <QMap>
#include <QString>
#include <QStringList>

/// Verilog models of library cells, gathered so that a netlist simulates
/// with no other file.
namespace IPCore::SimulationLibrary {

/// The modules defined in `verilog`, by name (escaped names without their
/// backslash), each with its text from "module" to "endmodule".
IPCORE_SYNTHESIS_EXPORT QMap<QString, QString> modules(const QString &verilog);

/// The module types that `verilog` instantiates, each once, in order of appearance.
IPCORE_SYNTHESIS_EXPORT QStringList instantiatedTypes(const QString &verilog);

/// The texts of the modules `types` and of every module they instantiate in
/// turn, taken from `library`, in a stable order; the types that neither
/// `library` nor `known` defines go to `missing`.
IPCORE_SYNTHESIS_EXPORT QString models(const QStringList &types,
                                       const QMap<QString, QString> &library,
                                       const QStringList &known,
                                       QStringList &missing);

/// The modules of Yosys's simulation libraries (simcells.v and simlib.v) in
/// `dataDir`; false with `error` when they cannot be read.
IPCORE_SYNTHESIS_EXPORT bool
readYosysLibrary(const QString &dataDir, QMap<QString, QString> &library, QString &error);

} // namespace IPCore::SimulationLibrary
