#pragma once

#include "estimatesources.h"
#include "verificationbench.h"

#include <QCoreApplication>
#include <QString>

namespace DdsRtl {

/// A core delivered beside its configuration file, as the host's
/// verification and estimate need it: the simulation model with its
/// defines and table, the test bench that drives it and the readable RTL.
class DeliveredCore
{
    Q_DECLARE_TR_FUNCTIONS(DeliveredCore)

public:
    /// Simulates NAME.vo with Icarus Verilog, or for a VHDL instance NAME.vho
    /// with GHDL, on a stimulus that records channel 0; writes the bench,
    /// the stimulus and the table into `scratchDir`.
    static bool prepareBench(const QString &ipcPath,
                             const QString &scratchDir,
                             IPCore::VerificationBench &bench,
                             QString &error);
    /// The Verilog of NAME_rtl/ beside the configuration, against its System Clock.
    static bool
    estimateSources(const QString &ipcPath, IPCore::EstimateSources &sources, QString &error);
};

} // namespace DdsRtl
