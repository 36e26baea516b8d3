#pragma once

#include "coreconfig.h"
#include "ddsmodel.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace DdsRtl {

/// One generated core in a working directory, as the generator leaves it
/// (top_define.vh, dds_ii_top_defines.vh, cos_sin_lut.dat), simulated with
/// Icarus Verilog through the test bench app/verify/dds_tb.v.
class RtlSimulation
{
public:
    explicit RtlSimulation(const QString &workDir);

    /// Writes the defines files for the parameter lines of the project's
    /// builder and, when the core has the table, the table file. False with
    /// a message when a file cannot be written or the lines do not describe
    /// a core.
    bool writeCore(const QString &moduleName, const QStringList &parameterLines, QString *error);

    /// The configuration read back from the written defines.
    const CoreConfig &config() const { return m_config; }

    /// Compiles the core with the bench once and runs it on the stimulus.
    /// False with the tool's messages on any failure, including a missing
    /// table file or unknown outputs.
    bool run(const QVector<CycleIn> &stimulus, QVector<CycleOut> *response, QString *error);

    /// Lints the core's sources for this configuration with
    /// `verilator --lint-only -Wall`; false with its messages on any warning.
    bool lint(QString *error);

    /// Synthesizes the core with Yosys as the generator's flow does (in the
    /// working directory, both include paths) with `synthCommand` (for
    /// example "synth -flatten -top NAME -lut 4"), writes the netlist and
    /// from then on simulates the netlist instead of the RTL. The log is
    /// returned for inspection; false with it when Yosys fails.
    bool synthesize(const QString &synthCommand, QString *log, QString *error);

    /// The model's outputs for the same stimulus, ports as the core shows them.
    QVector<CycleOut> model(const QVector<CycleIn> &stimulus) const;

    QString workDir() const { return m_dir; }

private:
    bool compile(QString *error);

    QString m_dir;
    QString m_moduleName;
    CoreConfig m_config;
    QVector<quint64> m_octant;
    QStringList m_sources;
    bool m_compiled = false;
};

} // namespace DdsRtl
