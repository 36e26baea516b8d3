#include "synplifyflow.h"

#include <QStandardPaths>
#include <QStringList>

namespace IPCore::SynplifyFlow {

QString program()
{
    return QStandardPaths::findExecutable(QStringLiteral("synplify_pro"));
}

QString implementation(const SynthesizeArgs &args)
{
    const QString name = args.options.value(QStringLiteral("impl_name")).toString();
    return name.isEmpty() ? QStringLiteral("rev_1") : name;
}

static QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString project(const SynthesizeArgs &args, const QString &top)
{
    const QString impl = implementation(args);
    const bool vhdl = args.options.value(QStringLiteral("write_vhdl")).toBool();
    const bool disableIo = args.options.value(QStringLiteral("disable_io")).toBool();
    QString text
            = QStringLiteral("# Synthesis project of %1 (%2), written by the IP core generator.\n")
                      .arg(top, args.coreName);
    for (const QString &file : args.options.value(QStringLiteral("source_files")).toStringList())
        text += QStringLiteral("add_file -verilog %1\n").arg(quoted(file));
    text += QStringLiteral("impl -add %1 -type fpga\n").arg(impl);
    text += QStringLiteral("set_option -top_module %1\n").arg(quoted(top));
    text += QStringLiteral("set_option -include_path %1\n")
                    .arg(quoted(args.options.value(QStringLiteral("include_paths"))
                                        .toStringList()
                                        .join(QLatin1Char(';'))));
    if (!args.device.series().isEmpty())
        text += QStringLiteral("set_option -technology %1\n").arg(quoted(args.device.series()));
    if (!args.device.device().isEmpty())
        text += QStringLiteral("set_option -part %1\n").arg(quoted(args.device.device()));
    text += QStringLiteral("set_option -disable_io_insertion %1\n").arg(disableIo ? 1 : 0);
    text += QStringLiteral("set_option -write_verilog 1\n");
    text += QStringLiteral("set_option -write_vhdl %1\n").arg(vhdl ? 1 : 0);
    text += QStringLiteral("project -result_file %1\n")
                    .arg(quoted(impl + QLatin1Char('/') + args.fileName + QStringLiteral(".vm")));
    text += QStringLiteral("impl -active %1\nproject -run\n").arg(impl);
    return text;
}

} // namespace IPCore::SynplifyFlow
