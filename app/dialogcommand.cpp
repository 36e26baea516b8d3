#include "dialogcommand.h"

#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "guiservices.h"
#include "pluginregistry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using TE::TE_IPCore_Def::BaseIPCoreInterface;

namespace {

/// What both commands share: options, the plug-ins and the chosen core.
class DialogCommand
{
    Q_DECLARE_TR_FUNCTIONS(DialogCommand)

public:
    DialogCommand(const char *name, QTextStream &out, QTextStream &err)
        : m_name(QString::fromLatin1(name))
        , m_out(out)
        , m_err(err)
        , m_core(QStringLiteral("core"),
                 tr("The core to run (default: the one the file names, else the only one "
                    "the plug-ins provide)."),
                 QStringLiteral("id"))
        , m_device(QStringLiteral("device"),
                   tr("Target device, as 'ipgen devices' lists it."),
                   QStringLiteral("series/device"))
    {
        m_parser.addHelpOption();
        m_parser.addOption(PluginRegistry::pluginsOption());
        m_parser.addOption(m_core);
        m_parser.addOption(m_device);
    }

    QCommandLineParser &parser() { return m_parser; }
    QCommandLineOption deviceOption() const { return m_device; }

    /// Parses `args`; false with `exitCode` set when the command ends here.
    bool parse(const QStringList &args, int &exitCode)
    {
        if (!m_parser.parse(args)) {
            fail(m_parser.errorText() + tr(" ('ipgen %1 --help' lists the options)").arg(m_name));
            exitCode = 2;
            return false;
        }
        if (m_parser.isSet(QStringLiteral("help"))) {
            m_out << m_parser.helpText();
            exitCode = 0;
            return false;
        }
        return true;
    }

    /// The device named by --device; invalid (and reported) when unknown.
    DEV::DeviceArg device()
    {
        const DEV::DeviceArg device = DEV::DeviceCatalogue::find(m_parser.value(m_device));
        if (!device.isValid())
            fail(tr("unknown device \"%1\"; 'ipgen devices' lists the known ones.")
                         .arg(m_parser.value(m_device)));
        return device;
    }

    /// Loads the plug-ins and finds the core: the one --core names, else the
    /// one `configPath` names, else the default one; nullptr (reported) when
    /// it is not there.
    BaseIPCoreInterface *core(const QString &configPath)
    {
        m_registry.loadForCommand(m_parser, m_err);
        const QString id = m_parser.isSet(m_core) ? m_parser.value(m_core)
                           : configPath.isEmpty() ? m_registry.defaultCoreId()
                                                  : m_registry.configurationCoreId(configPath);
        BaseIPCoreInterface *core = m_registry.core(id);
        if (!core) {
            QStringList known;
            for (BaseIPCoreInterface *each : m_registry.cores())
                known << each->id();
            const QString found = known.isEmpty() ? tr("none") : known.join(QLatin1String(", "));
            fail(id.isEmpty()
                         ? tr("choose a core with --core (found: %1).").arg(found)
                         : tr("no core \"%1\" among the plug-ins (found: %2).").arg(id, found));
        }
        return core;
    }

    bool supports(BaseIPCoreInterface *core, const DEV::DeviceArg &device)
    {
        if (core->supportsDevice(device))
            return true;
        fail(tr("core \"%1\" does not support device %2; 'ipgen list --device %2' "
                "says which cores do.")
                     .arg(core->id(), device.displayName()));
        return false;
    }

    /// The host's editor, project and error display for the dialog's run.
    void installServices() { new GuiServices(qApp); }

    void fail(const QString &message) { m_err << "ipgen " << m_name << ": " << message << '\n'; }
    QTextStream &out() { return m_out; }

private:
    QString m_name;
    QTextStream &m_out;
    QTextStream &m_err;
    QCommandLineParser m_parser;
    QCommandLineOption m_core;
    QCommandLineOption m_device;
    PluginRegistry m_registry;
};

} // namespace

int runCreate(const QStringList &args, QTextStream &out, QTextStream &err)
{
    DialogCommand command("create", out, err);
    command.parser().setApplicationDescription(
            DialogCommand::tr("Runs a core's generator dialog for a new instance."));
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       DialogCommand::tr("Output directory of the new instance."),
                                       QStringLiteral("dir"));
    command.parser().addOption(dirOption);
    int exitCode = 0;
    if (!command.parse(args, exitCode))
        return exitCode;
    if (!command.parser().positionalArguments().isEmpty()) {
        command.fail(DialogCommand::tr("unexpected argument \"%1\".")
                             .arg(command.parser().positionalArguments().first()));
        return 2;
    }
    if (!command.parser().isSet(command.deviceOption()) || !command.parser().isSet(dirOption)) {
        command.fail(DialogCommand::tr("both --device SERIES/DEVICE and --dir DIR are needed."));
        return 2;
    }
    const DEV::DeviceArg device = command.device();
    if (!device.isValid())
        return 2;
    const QFileInfo dir(command.parser().value(dirOption));
    if (dir.exists() && !dir.isDir()) {
        command.fail(DialogCommand::tr("\"%1\" is a file; --dir needs a directory.")
                             .arg(dir.absoluteFilePath()));
        return 2;
    }
    BaseIPCoreInterface *core = command.core(QString());
    if (!core || !command.supports(core, device))
        return 1;
    command.installServices();
    core->createCore(QDir::cleanPath(dir.absoluteFilePath()), device);
    return 0;
}

int runOpen(const QStringList &args, QTextStream &out, QTextStream &err)
{
    DialogCommand command("open", out, err);
    command.parser().setApplicationDescription(
            DialogCommand::tr("Runs a core's generator dialog on an existing configuration file."));
    command.parser().addPositionalArgument(QStringLiteral("file"),
                                           DialogCommand::tr("The instance's .ipc file."));
    int exitCode = 0;
    if (!command.parse(args, exitCode))
        return exitCode;
    const QStringList files = command.parser().positionalArguments();
    if (files.size() != 1) {
        command.fail(DialogCommand::tr("name exactly one configuration file (.ipc)."));
        return 2;
    }
    const QFileInfo file(files.first());
    if (!file.isFile()) {
        command.fail(DialogCommand::tr("configuration file \"%1\" does not exist.")
                             .arg(file.absoluteFilePath()));
        return 2;
    }
    QString deviceOverride;
    DEV::DeviceArg device;
    if (command.parser().isSet(command.deviceOption())) {
        device = command.device();
        if (!device.isValid())
            return 2;
        deviceOverride = device.displayName();
    }
    BaseIPCoreInterface *core = command.core(file.absoluteFilePath());
    if (!core || (device.isValid() && !command.supports(core, device)))
        return 1;
    command.installServices();
    core->openCore(file.absoluteFilePath(), deviceOverride);
    return 0;
}
