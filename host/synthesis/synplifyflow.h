#pragma once

#include "hostexport.h"
#include "synthesizeargs.h"

#include <QString>

/// The batch run of an installed Synplify Pro on the core.
namespace IPCore::SynplifyFlow {

/// The synplify_pro program on the PATH, or empty.
IPCORE_SYNTHESIS_EXPORT QString program();

/// The Tcl project that synthesizes `top` into the implementation
/// "impl_name" (default rev_1), writing IMPL/FILE.vm and, when VHDL is
/// asked for, IMPL/FILE.vhm.
IPCORE_SYNTHESIS_EXPORT QString project(const SynthesizeArgs &args, const QString &top);

/// The implementation folder of the run, relative to the working directory.
IPCORE_SYNTHESIS_EXPORT QString implementation(const SynthesizeArgs &args);

} // namespace IPCore::SynplifyFlow
