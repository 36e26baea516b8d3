#include "delivery.h"

#include <QFileInfo>

namespace IPDDSYN {
namespace Generation {

QString workingDirectory(const QString &out, const QString &coreId)
{
    return out + QStringLiteral("/temp/") + coreId;
}

// The core's Verilog, from the plug-in's data directory.
static const char *const RtlSources[] = {"dds_ii_top.v", "dds_ii_core_encryption.v"};
// What generation writes for the core: its defines and its table.
static const char *const RtlGenerated[]
        = {"top_define.vh", "dds_ii_top_defines.vh", "cos_sin_lut.dat"};

DeliveryPlan deliveryPlan(const QString &tool,
                          int language,
                          const QString &out,
                          const QString &coreId,
                          const QString &name,
                          const QString &dataDir)
{
    const bool vhdl = language == 1;
    const bool velto = tool == QLatin1String("VeltoSynthesis");
    const bool synplify = tool == QLatin1String("Synplify Pro");
    const QString work = workingDirectory(out, coreId) + QLatin1Char('/');
    const QString target = out + QLatin1Char('/') + name;
    DeliveryPlan plan;
    if (velto || synplify) {
        const QString from = velto ? work + name : work + QStringLiteral("rev_1/") + name;
        const QString verilogNetlist
                = from + (velto ? QStringLiteral(".vg") : QStringLiteral(".vm"));
        plan.netlistFrom = vhdl ? from + (velto ? QStringLiteral(".vhg") : QStringLiteral(".vhm"))
                                : verilogNetlist;
        plan.netlistTo = target + (vhdl ? QStringLiteral(".vhd") : QStringLiteral(".v"));
        plan.decodeNetlist = verilogNetlist;
        plan.voFile = target + QStringLiteral(".vo");
        if (velto && vhdl) {
            plan.vhoFrom = work + name + QStringLiteral(".vho");
            plan.vhoTo = target + QStringLiteral(".vho");
        }
    }
    const QString suffix = vhdl ? QStringLiteral("_tmp.vhd") : QStringLiteral("_tmp.v");
    plan.templateFrom = work + name + suffix;
    plan.templateTo = target + suffix;
    plan.rtlDir = target + QStringLiteral("_rtl");
    for (const char *file : RtlSources)
        plan.rtlFrom << dataDir + QLatin1Char('/') + QLatin1String(file);
    for (const char *file : RtlGenerated)
        plan.rtlFrom << work + QLatin1String(file);
    for (const QString &from : qAsConst(plan.rtlFrom))
        plan.rtlTo << plan.rtlDir + QLatin1Char('/') + QFileInfo(from).fileName();
    plan.opened = QStringList{plan.netlistTo, plan.templateTo};
    plan.added = QStringList{plan.netlistTo} + plan.rtlTo;
    return plan;
}

IPCore::SynthesizeArgs synthesisArgs(const QString &out,
                                     const QString &coreId,
                                     const QString &name,
                                     const DEV::DeviceArg &device,
                                     const QString &dataDir,
                                     bool disableIo,
                                     bool vhdl)
{
    IPCore::SynthesizeArgs args;
    args.workDir = workingDirectory(out, coreId);
    args.coreName = coreId;
    args.fileName = name;
    args.device = device;
    args.options.insert(QStringLiteral("impl_name"), QStringLiteral("rev_1"));
    args.options.insert(QStringLiteral("disable_io"), disableIo);
    args.options.insert(QStringLiteral("write_vhdl"), vhdl);
    args.options.insert(QStringLiteral("include_paths"), QStringList{args.workDir, dataDir});
    args.options.insert(QStringLiteral("source_files"),
                        QStringList{dataDir + QStringLiteral("/dds_ii_top.v"),
                                    dataDir + QStringLiteral("/dds_ii_core_encryption.v")});
    return args;
}

} // namespace Generation
} // namespace IPDDSYN
