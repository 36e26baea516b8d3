#include "generatecommand.h"

#include "baseipcoreinterface.h"
#include "batchjob.h"
#include "batchservices.h"
#include "devicecatalogue.h"
#include "messageboxanswerer.h"
#include "pluginregistry.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

namespace {

struct Options
{
    QString config;
    QString coreId;
    DEV::DeviceArg device;
    QString pluginDir;
};

// The files a finished generation left in the output directory and its
// working directory, newer than `since`.
QStringList writtenFiles(const IPCore::BatchJob &job, const QDateTime &since)
{
    QStringList files;
    const QDir out(job.createPath);
    const QString pattern = job.fileBaseName + QLatin1Char('*');
    const QFileInfoList candidates = out.entryInfoList({pattern}, QDir::Files, QDir::Name)
                                     + QDir(job.createPath + QLatin1String("/temp/dds_ii"))
                                               .entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &file : candidates) {
        if (file.lastModified() >= since)
            files << file.absoluteFilePath();
    }
    return files;
}

QString coreOfConfig(const QString &config)
{
    return QSettings(config, QSettings::IniFormat).value(QStringLiteral("type")).toString();
}

} // namespace

int runGenerate(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Generates a core without its dialog: the options of CONFIG.ipc (when "
                           "given), then each --set in order, as a user would enter them; then "
                           "OK is pressed. Message boxes are answered with their default button "
                           "and printed to standard error."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("config"),
                                 QStringLiteral("Configuration file of an existing instance."),
                                 QStringLiteral("[CONFIG.ipc]"));
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Target device (required without CONFIG)."),
                                    QStringLiteral("series/device"));
    const QCommandLineOption dir(
            QStringLiteral("dir"), QStringLiteral("Output directory."), QStringLiteral("dir"));
    const QCommandLineOption file(QStringLiteral("file"),
                                  QStringLiteral("Base name of the generated files."),
                                  QStringLiteral("name"));
    const QCommandLineOption module(QStringLiteral("module"),
                                    QStringLiteral("Name of the top module."),
                                    QStringLiteral("name"));
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("HDL of the wrapper: verilog or vhdl."),
                                      QStringLiteral("language"));
    const QCommandLineOption tool(QStringLiteral("tool"),
                                  QStringLiteral("Synthesis tool, as the dialog names it."),
                                  QStringLiteral("name"));
    const QCommandLineOption set(QStringLiteral("set"),
                                 QStringLiteral("Sets a core option; repeat as needed."),
                                 QStringLiteral("key=value"));
    const QCommandLineOption overwrite(QStringLiteral("overwrite"),
                                       QStringLiteral("Replace existing output files."));
    const QCommandLineOption core(QStringLiteral("core"),
                                  QStringLiteral("Core to generate (default: the configuration's "
                                                 "core, or the only core loaded)."),
                                  QStringLiteral("id"));
    parser.addOptions({device,
                       dir,
                       file,
                       module,
                       language,
                       tool,
                       set,
                       overwrite,
                       core,
                       PluginRegistry::pluginsOption()});
    if (!parser.parse(args)) {
        err << "ipgen generate: " << parser.errorText() << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    QStringList usage;
    if (positional.size() > 1)
        usage << QStringLiteral("give at most one configuration file.");
    const QString config = positional.value(0);
    if (!config.isEmpty() && !QFileInfo(config).isFile())
        usage << QStringLiteral("configuration file \"%1\" does not exist.").arg(config);
    if (!parser.isSet(dir))
        usage << QStringLiteral("--dir is required.");
    if (config.isEmpty() && !parser.isSet(device))
        usage << QStringLiteral("--device is required without a configuration file.");
    DEV::DeviceArg target;
    if (parser.isSet(device)) {
        target = DEV::DeviceCatalogue::find(parser.value(device));
        if (!target.isValid())
            usage << QStringLiteral("unknown device \"%1\"; 'ipgen devices' lists the known ones.")
                             .arg(parser.value(device));
    }
    const QString lang = parser.value(language).toLower();
    if (parser.isSet(language) && lang != QLatin1String("verilog") && lang != QLatin1String("vhdl"))
        usage << QStringLiteral("--language takes verilog or vhdl.");
    QList<QPair<QString, QVariant>> settings;
    for (const QString &pair : parser.values(set)) {
        const int equals = pair.indexOf(QLatin1Char('='));
        if (equals <= 0)
            usage << QStringLiteral("--set \"%1\" is not KEY=VALUE.").arg(pair);
        else
            settings << qMakePair(pair.left(equals), QVariant(pair.mid(equals + 1)));
    }
    for (const QString &problem : qAsConst(usage))
        err << "ipgen generate: " << problem << '\n';
    if (!usage.isEmpty())
        return 2;

    PluginRegistry registry;
    registry.loadForCommand(parser, err);
    QString coreId = parser.value(core);
    if (coreId.isEmpty() && !config.isEmpty())
        coreId = coreOfConfig(config);
    if (coreId.isEmpty() && registry.cores().size() == 1)
        coreId = registry.cores().first()->id();
    TE::TE_IPCore_Def::BaseIPCoreInterface *descriptor = registry.core(coreId);
    if (!descriptor) {
        err << "ipgen generate: no core \"" << coreId << "\"; 'ipgen list' lists the cores; "
            << "choose one with --core.\n";
        return 2;
    }
    if (target.isValid() && !descriptor->supportsDevice(target)) {
        err << "ipgen generate: " << coreId << " does not support " << target.displayName()
            << ".\n";
        return 2;
    }

    BatchServices services(QCoreApplication::instance());
    MessageBoxAnswerer answerer(QCoreApplication::instance());
    IPCore::BatchJob job(QCoreApplication::instance());
    job.outputDirectory = QDir(parser.value(dir)).absolutePath();
    job.fileName = parser.value(file);
    job.moduleName = parser.value(module);
    job.synthesisTool = parser.value(tool);
    job.language = lang;
    job.overwriteAllowed = parser.isSet(overwrite);
    // Two runs into one folder would interleave their files. A folder that
    // cannot be made, or a lock that cannot be written there, is left for
    // the generation itself to report with its reason.
    const bool made = !QFileInfo::exists(job.outputDirectory) && QDir().mkpath(job.outputDirectory);
    QLockFile lock(job.outputDirectory + QLatin1String("/.ipgen.lock"));
    // Only a lock whose process has gone is stale, however long a run takes.
    lock.setStaleLockTime(0);
    if (!lock.tryLock() && lock.error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host;
        QString application;
        lock.getLockInfo(&pid, &host, &application);
        err << "ipgen generate: another generation (process " << pid << " on " << host
            << ") is writing into \"" << job.outputDirectory
            << "\"; nothing was changed. Wait for it to finish or choose another --dir.\n";
        return 1;
    }
    // Files keep whole seconds on some file systems.
    const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
    QStringList errors;
    const bool generated
            = config.isEmpty()
                      ? descriptor->createByTcl(job.outputDirectory, target, settings, errors)
                      : descriptor->openByTcl(QFileInfo(config).absoluteFilePath(),
                                              parser.isSet(device) ? target.displayName()
                                                                   : QString(),
                                              settings,
                                              errors);
    if (!generated) {
        err << "ipgen generate: " << coreId << " was not generated:\n";
        for (const QString &error : qAsConst(errors))
            err << "  " << QString(error).replace(QLatin1Char('\n'), QLatin1String("\n    "))
                << '\n';
        if (job.overwriteDeclined)
            err << "  Pass --overwrite to replace the existing files.\n";
        // A run refused before it wrote anything leaves no folder behind.
        lock.unlock();
        if (made)
            QDir().rmdir(job.outputDirectory);
        return 1;
    }
    for (const QString &path : writtenFiles(job, start))
        out << "wrote " << path << '\n';
    for (const Utils::PinFigure &pin : qAsConst(job.pins))
        out << "pin " << pin.label() << ' ' << (pin.side() == 0 ? "input" : "output") << ' '
            << (pin.isBus() ? "bus" : "wire") << '\n';
    return 0;
}
