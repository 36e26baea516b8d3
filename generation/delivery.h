#pragma once

#include "devicearg.h"
#include "synthesizeargs.h"

#include <QString>
#include <QStringList>

namespace IPDDSYN {
namespace Generation {

/// Where the results of a synthesis run come from and go to, for one tool,
/// language, output directory OUT and file name NAME. Empty paths are steps
/// that do not apply.
struct DeliveryPlan
{
    QString netlistFrom; // A: the synthesized netlist in the working directory
    QString netlistTo;
    QString templateFrom; // B: the instantiation template
    QString templateTo;
    QString vhoFrom; // C: the VHDL simulation model, copied when it exists
    QString vhoTo;
    QString decodeNetlist; // D: the Verilog netlist the .vo is made from
    QString voFile;
    QString rtlDir;      // G: the readable core, ready for any tool: OUT/NAME_rtl
    QStringList rtlFrom; // its sources, defines and table (the table when it exists)
    QStringList rtlTo;
    QStringList opened; // E: shown in the editor, in this order
    QStringList added;  // F: added to the project
};

/// OUT/temp/CORE_ID, where the core `coreId` is built before delivery.
QString workingDirectory(const QString &out, const QString &coreId);

/// The plan for the tool text ("VeltoSynthesis", "Synplify Pro"; any other
/// text leaves A, C and D empty), the language index (1 is VHDL) and the
/// plug-in's data directory `dataDir` holding the core's Verilog.
DeliveryPlan deliveryPlan(const QString &tool,
                          int language,
                          const QString &out,
                          const QString &coreId,
                          const QString &name,
                          const QString &dataDir);

/// The synthesis record of core `coreId` for output directory `out`, file name
/// `name`, target `device` and the plug-in's data directory `dataDir`.
IPCore::SynthesizeArgs synthesisArgs(const QString &out,
                                     const QString &coreId,
                                     const QString &name,
                                     const DEV::DeviceArg &device,
                                     const QString &dataDir,
                                     bool disableIo,
                                     bool vhdl);

} // namespace Generation
} // namespace IPDDSYN
