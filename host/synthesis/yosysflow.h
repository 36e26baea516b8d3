#pragma once

#include "hostexport.h"
#include "synthesizeargs.h"

#include <QString>
#include <QStringList>

/// Our own synthesis flow on Yosys: what it runs and how its results are read.
namespace IPCore::YosysFlow {

/// The Yosys program on the PATH, or empty.
IPCORE_SYNTHESIS_EXPORT QString program();
/// Yosys's data folder (simulation libraries), next to the program.
IPCORE_SYNTHESIS_EXPORT QString dataDir();

/// The user's module name from the "`define module_name NAME" line of
/// `workDir`/top_define.vh into `name`; false with `error` set when there is none.
IPCORE_SYNTHESIS_EXPORT bool moduleName(const QString &workDir, QString &name, QString &error);

/// The Yosys script that synthesizes `top` from the run's sources into
/// generic 4-input LUTs, flip-flops and memories with their contents, writing
/// FILE.vg (plain Verilog that needs no cell library) and FILE.json.
IPCORE_SYNTHESIS_EXPORT QString script(const SynthesizeArgs &args, const QString &top);

/// The Verilog netlist as delivered: Yosys's text with its table look-ups,
/// narrowed on purpose, kept from Verilator's width warnings.
IPCORE_SYNTHESIS_EXPORT QByteArray lintClean(const QByteArray &netlist);

/// A script that only elaborates `top` and writes its interface to `jsonFile`.
IPCORE_SYNTHESIS_EXPORT QString interfaceScript(const SynthesizeArgs &args,
                                                const QString &top,
                                                const QString &jsonFile);

/// The lines of a tool's log that explain a failure: Yosys's "ERROR:" line
/// and what follows it, Synplify Pro's "@E" lines; empty when there are none.
IPCORE_SYNTHESIS_EXPORT QStringList errorLines(const QString &log);

} // namespace IPCore::YosysFlow
