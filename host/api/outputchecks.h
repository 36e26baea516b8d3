#pragma once

#include "hostexport.h"

#include <QString>

/// Checks of the names and places a generator dialog's output goes to. Each
/// returns the problem as one sentence that says what to do, or an empty text.
namespace IPCore {
namespace OutputChecks {

/// A module name must be a legal identifier in both Verilog and VHDL (the
/// core is delivered with wrappers in both) and no keyword of either.
IPCORE_API_EXPORT QString moduleNameProblem(const QString &name);

/// The output file name is the base name of every delivered file.
IPCORE_API_EXPORT QString fileNameProblem(const QString &name);

/// The output directory must be a writable directory or be creatable.
IPCORE_API_EXPORT QString outputDirectoryProblem(const QString &dir);

} // namespace OutputChecks
} // namespace IPCore
