#include "generaterequest.h"

#include "batchjob.h"
#include "devicecatalogue.h"
#include "pluginregistry.h"

#include <QDir>
#include <QFileInfo>

GenerateRequest::GenerateRequest()
{
    m_parser.setApplicationDescription(
            tr("Generates a core without its dialog: the options of CONFIG.ipc (when "
               "given), then each --set in order, as a user would enter them; then "
               "OK is pressed. Message boxes are answered with their default button "
               "and printed to standard error."));
    m_parser.addHelpOption();
    m_parser.addPositionalArgument(QStringLiteral("config"),
                                   tr("Configuration file of an existing instance."),
                                   QStringLiteral("[CONFIG.ipc]"));
    m_parser.addOptions(
            {{QStringLiteral("device"),
              tr("Target device (required without CONFIG)."),
              QStringLiteral("series/device")},
             {QStringLiteral("dir"), tr("Output directory."), QStringLiteral("dir")},
             {QStringLiteral("file"),
              tr("Base name of the generated files."),
              QStringLiteral("name")},
             {QStringLiteral("module"), tr("Name of the top module."), QStringLiteral("name")},
             {QStringLiteral("language"),
              tr("HDL of the wrapper: verilog or vhdl."),
              QStringLiteral("language")},
             {QStringLiteral("tool"),
              tr("Synthesis tool, as the dialog names it."),
              QStringLiteral("name")},
             {QStringLiteral("set"),
              tr("Sets a core option; repeat as needed."),
              QStringLiteral("key=value")},
             {QStringLiteral("overwrite"), tr("Replace existing output files.")},
             {QStringLiteral("keys"),
              tr("List every KEY that --set takes, with its kind, its choices or "
                 "range and its value after CONFIG and the --set options given; "
                 "generates nothing and needs no --dir.")},
             {QStringLiteral("core"),
              tr("Core to generate (default: the configuration's core, or the only "
                 "core loaded)."),
              QStringLiteral("id")},
             PluginRegistry::pluginsOption()});
}

bool GenerateRequest::parse(const QStringList &args)
{
    m_usage.clear();
    m_config.clear();
    m_settings.clear();
    m_device = {};
    if (!m_parser.parse(args)) {
        m_usage << m_parser.errorText();
        return false;
    }
    if (helpRequested())
        return true;
    const QStringList positional = m_parser.positionalArguments();
    if (positional.size() > 1)
        m_usage << tr("give at most one configuration file.");
    m_config = positional.value(0);
    if (!m_config.isEmpty() && !QFileInfo(m_config).isFile())
        m_usage << tr("configuration file \"%1\" does not exist.").arg(m_config);
    if (!m_parser.isSet(QStringLiteral("dir")) && !keysRequested())
        m_usage << tr("--dir is required.");
    const QString device = m_parser.value(QStringLiteral("device"));
    if (m_config.isEmpty() && !m_parser.isSet(QStringLiteral("device")))
        m_usage << tr("--device is required without a configuration file.");
    if (m_parser.isSet(QStringLiteral("device"))) {
        m_device = DEV::DeviceCatalogue::find(device);
        if (!m_device.isValid())
            m_usage << tr("unknown device \"%1\"; 'ipgen devices' lists the known ones.")
                               .arg(device);
    }
    const QString language = m_parser.value(QStringLiteral("language")).toLower();
    if (m_parser.isSet(QStringLiteral("language")) && language != QLatin1String("verilog")
        && language != QLatin1String("vhdl"))
        m_usage << tr("--language takes verilog or vhdl.");
    for (const QString &pair : m_parser.values(QStringLiteral("set"))) {
        const int equals = pair.indexOf(QLatin1Char('='));
        if (equals <= 0)
            m_usage << tr("--set \"%1\" is not KEY=VALUE.").arg(pair);
        else
            m_settings << qMakePair(pair.left(equals), QVariant(pair.mid(equals + 1)));
    }
    return m_usage.isEmpty();
}

bool GenerateRequest::helpRequested() const
{
    return m_parser.isSet(QStringLiteral("help"));
}

bool GenerateRequest::keysRequested() const
{
    return m_parser.isSet(QStringLiteral("keys"));
}

QString GenerateRequest::coreId() const
{
    return m_parser.value(QStringLiteral("core"));
}

void GenerateRequest::fillJob(IPCore::BatchJob &job) const
{
    job.outputDirectory = QDir(m_parser.value(QStringLiteral("dir"))).absolutePath();
    job.fileName = m_parser.value(QStringLiteral("file"));
    job.moduleName = m_parser.value(QStringLiteral("module"));
    job.synthesisTool = m_parser.value(QStringLiteral("tool"));
    job.language = m_parser.value(QStringLiteral("language")).toLower();
    job.overwriteAllowed = m_parser.isSet(QStringLiteral("overwrite"));
    job.listOptions = keysRequested();
    job.options = m_settings;
}
