#pragma once

#include <QString>

namespace DdsRtl {

/// The VHDL test bench of a core, made from its delivered component
/// declaration and instantiation template (NAME_tmp.vhd) as a user would
/// paste it: it reads the same stimulus.txt and writes the same
/// response.txt as the Verilog bench, in the working directory, and stops
/// with "FATAL" when an output is unknown out of reset. False when the
/// template has no component, no instance or an unknown port.
bool vhdlTestBench(const QString &templateText, QString &bench, QString &error);

} // namespace DdsRtl
