#include "catalogcommand.h"

#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "pluginregistry.h"

#include <QCommandLineParser>

int runList(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lists the cores of every plug-in."));
    parser.addHelpOption();
    parser.addOption(PluginRegistry::pluginsOption());
    const QCommandLineOption deviceOption(
            QStringLiteral("device"),
            QStringLiteral("Say whether each core supports <series/device>."),
            QStringLiteral("series/device"));
    parser.addOption(deviceOption);
    if (!parser.parse(args)) {
        err << "ipgen list: " << parser.errorText() << '\n';
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
            err << "ipgen list: unknown device \"" << parser.value(deviceOption)
                << "\"; 'ipgen devices' lists the known ones.\n";
            return 2;
        }
    }

    PluginRegistry registry;
    registry.loadForCommand(parser, err);
    const auto cores = registry.cores();
    for (auto *core : cores) {
        out << core->id() << '\n';
        out << "  name:     " << core->name() << '\n';
        out << "  version:  " << core->version() << '\n';
        out << "  category: " << core->category().join(QLatin1String(", ")) << '\n';
        out << "  summary:  " << core->summary() << '\n';
        if (device.isValid())
            out << "  device " << device.displayName() << ": "
                << (core->supportsDevice(device) ? "supported" : "not supported") << '\n';
    }
    if (cores.isEmpty()) {
        err << "ipgen: no IP core found.\n";
        return 1;
    }
    return registry.problems().isEmpty() ? 0 : 1;
}

int runDevices(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() > 1) {
        err << "ipgen devices: takes no arguments.\n";
        return 2;
    }
    for (const DEV::DeviceArg &device : DEV::DeviceCatalogue::devices())
        out << device.displayName() << "  " << device.id() << '\n';
    return 0;
}
