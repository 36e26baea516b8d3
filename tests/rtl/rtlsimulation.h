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
    /// `defines` are set for every tool run, as a user's flow would set them.
    explicit RtlSimulation(const QString &workDir, const QStringList &defines = {});

    /// Writes the defines files for the builder's parameter lines and, when
    /// the core has the table, the table file. False with a message when a
    /// file cannot be written or the lines do not describe a core.
    bool writeCore(const QString &moduleName, const QStringList &parameterLines, QString *error);

    /// The configuration read back from the written defines.
    const CoreConfig &config() const { return m_config; }

    /// Simulates the core (compiled once) on the stimulus. False with the
    /// tool's messages on any failure, including a missing table file.
    bool run(const QVector<CycleIn> &stimulus, QVector<CycleOut> *response, QString *error);

    /// `verilator --lint-only -Wall` on the core's sources; false on any warning.
    bool lint(QString *error);

    /// Synthesizes the core with Yosys as the generator's flow does, with
    /// `synthCommand` (say "synth -flatten -top NAME -lut 4"); from then on
    /// the netlist is simulated instead of the RTL. False when Yosys fails.
    bool synthesize(const QString &synthCommand, QString *log, QString *error);

    /// The model's outputs for the same stimulus, ports as the core shows them.
    QVector<CycleOut> model(const QVector<CycleIn> &stimulus) const;

    QString workDir() const { return m_dir; }

private:
    QString m_dir;
    QString m_moduleName;
    CoreConfig m_config;
    QVector<quint64> m_octant;
    QStringList m_sources;
    QStringList m_defines;
    bool m_compiled = false;
};

} // namespace DdsRtl
