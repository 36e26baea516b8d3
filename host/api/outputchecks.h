#pragma once

#include "hostexport.h"

#include <QString>

/// Checks of the names and places a generator dialog's output goes to. Each
/// returns false with the problem in `error`, one sentence that says what to do.
namespace IPCore {
namespace OutputChecks {

/// A module name must be a legal identifier in both Verilog and VHDL (the
/// core is delivered with wrappers in both) and no keyword of either.
IPCORE_API_EXPORT bool checkModuleName(const QString &name, QString &error);

/// The output file name is the base name of every delivered file.
IPCORE_API_EXPORT bool checkFileName(const QString &name, QString &error);

/// The output directory must be a writable directory or be creatable.
IPCORE_API_EXPORT bool checkOutputDirectory(const QString &dir, QString &error);

} // namespace OutputChecks
} // namespace IPCore
