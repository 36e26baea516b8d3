#pragma once

#include "hostexport.h"
#include "yosysnetlist.h"

#include <QString>

/// Texts that describe a synthesized module to the user's HDL: identifiers,
/// port declarations and the ready-to-paste instantiation templates.
namespace IPCore::HdlTemplates {

/// True for the reserved words of Verilog-2005 (gate primitives included).
IPCORE_API_EXPORT bool isVerilogKeyword(const QString &word);
/// True for the reserved words of VHDL-2008, in any case.
IPCORE_API_EXPORT bool isVhdlReserved(const QString &word);
/// `name` as a Verilog identifier (escaped when it is not a simple one).
IPCORE_API_EXPORT QString verilogIdentifier(const QString &name);
/// `name` as a VHDL identifier (extended when it is not a basic one or is reserved).
IPCORE_API_EXPORT QString vhdlIdentifier(const QString &name);
/// "std_logic" or "std_logic_vector(H downto L)" / "(L to H)".
IPCORE_API_EXPORT QString vhdlPortType(const NetlistPort &port);
/// The "port (...);" clause of the module, indented by `indent` spaces.
IPCORE_API_EXPORT QString vhdlPortClause(const YosysNetlist &netlist, int indent);

/// Port list with directions and widths, then an instance of the module;
/// the head says which delivered files (named after `fileName`) to compile.
IPCORE_API_EXPORT QString verilogTemplate(const YosysNetlist &netlist, const QString &fileName);
/// Component declaration, then an instance of it; the head as above.
IPCORE_API_EXPORT QString vhdlTemplate(const YosysNetlist &netlist, const QString &fileName);

} // namespace IPCore::HdlTemplates
