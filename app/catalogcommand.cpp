#include "catalogcommand.h"

#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "pluginregistry.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int runList(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            QCoreApplication::translate("ipgen", "Lists the cores of every plug-in."));
    parser.addHelpOption();
    parser.addOption(PluginRegistry::pluginsOption());
    const QCommandLineOption deviceOption(
            QStringLiteral("device"),
            QCoreApplication::translate("ipgen", "Say whether each core supports <series/device>."),
            QStringLiteral("series/device"));
    parser.addOption(deviceOption);
    if (!parser.parse(args)) {
        err << QCoreApplication::translate("ipgen", "ipgen list: %1").arg(parser.errorText())
            << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    DEV::DeviceArg device;
    if (parser.isSet(deviceOption)) {
        device = DEV::DeviceCatalogue::find(parser.value(deviceOption));
        if (!device.isValid()) {
            err << QCoreApplication::translate("ipgen",
                                               "ipgen list: unknown device \"%1\"; 'ipgen devices' "
                                               "lists the known ones.")
                            .arg(parser.value(deviceOption))
                << '\n';
            return 2;
        }
    }

    PluginRegistry registry;
    registry.loadForCommand(parser, err);
    const auto cores = registry.cores();
    for (auto *core : cores) {
        out << core->id() << '\n';
        out << QCoreApplication::translate("ipgen", "  name:     %1").arg(core->name()) << '\n';
        out << QCoreApplication::translate("ipgen", "  version:  %1").arg(core->version()) << '\n';
        out << QCoreApplication::translate("ipgen", "  category: %1")
                        .arg(core->category().join(QLatin1String(", ")))
            << '\n';
        out << QCoreApplication::translate("ipgen", "  summary:  %1").arg(core->summary()) << '\n';
        if (device.isValid())
            out << QCoreApplication::translate("ipgen", "  device %1: %2")
                            .arg(device.displayName(),
                                 core->supportsDevice(device)
                                         ? QCoreApplication::translate("ipgen", "supported")
                                         : QCoreApplication::translate("ipgen", "not supported"))
                << '\n';
    }
    if (cores.isEmpty()) {
        err << QCoreApplication::translate("ipgen", "ipgen: no IP core found.") << '\n';
        return 1;
    }
    return registry.problems().isEmpty() ? 0 : 1;
}

int runDevices(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() > 1) {
        err << QCoreApplication::translate("ipgen", "ipgen devices: takes no arguments.") << '\n';
        return 2;
    }
    for (const DEV::DeviceArg &device : DEV::DeviceCatalogue::devices())
        out << device.displayName() << "  " << device.id() << '\n';
    return 0;
}
