#include "generatecommand.h"

#include "baseipcoreinterface.h"
#include "batchjob.h"
#include "batchservices.h"
#include "generaterequest.h"
#include "messageboxanswerer.h"
#include "pluginregistry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

namespace {

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

// Whether a value given on the command line is the one the configuration
// stores: switches, numbers and hexadecimal entries have several spellings.
bool sameValue(const QString &given, const QString &stored)
{
    if (given.compare(stored, Qt::CaseInsensitive) == 0)
        return true;
    // A switch takes true, false, 1 or 0.
    if (stored == QLatin1String("true") || stored == QLatin1String("false"))
        return QVariant(given).toBool() == (stored == QLatin1String("true"));
    bool givenOk = false;
    bool storedOk = false;
    if (given.toDouble(&givenOk) == stored.toDouble(&storedOk) && givenOk && storedOk)
        return true;
    return given.toULongLong(&givenOk, 16) == stored.toULongLong(&storedOk, 16) && givenOk
           && storedOk;
}

// The --set entries that a later setting's rule replaced: the generated
// configuration holds another value than the last --set of their key.
void warnReplacedSettings(const IPCore::BatchJob &job, QTextStream &err)
{
    QSettings config(job.createPath + QLatin1Char('/') + job.fileBaseName + QLatin1String(".ipc"),
                     QSettings::IniFormat);
    config.beginGroup(QStringLiteral("Config"));
    QMap<QString, QString> last;
    for (const auto &option : job.options)
        last.insert(option.first, option.second.toString());
    for (auto it = last.cbegin(); it != last.cend(); ++it) {
        const QString stored = config.value(it.key()).toString();
        if (!config.contains(it.key()) || sameValue(it.value(), stored))
            continue;
        err << "ipgen generate: warning: --set " << it.key() << '=' << it.value()
            << " was replaced by the rule of a later setting; the core was generated with "
            << it.key() << '=' << stored
            << ". Give it after the setting it depends on (channel entries after "
               "ParameterSelection).\n";
    }
}

// Runs the core's dialog in batch mode on a new instance in `dir`, or on the
// request's configuration; true when it generated the core.
bool runDialog(TE::TE_IPCore_Def::BaseIPCoreInterface &descriptor,
               const GenerateRequest &request,
               const QString &dir,
               const IPCore::BatchJob &job,
               QStringList &errors)
{
    const DEV::DeviceArg target = request.device();
    if (request.config().isEmpty())
        return descriptor.createByTcl(dir, target, job.options, errors);
    return descriptor.openByTcl(QFileInfo(request.config()).absoluteFilePath(),
                                target.isValid() ? target.displayName() : QString(),
                                job.options,
                                errors);
}

// The dialog, built and given the options as for a generation, describes
// its options instead of generating; nothing is written.
int listOptions(TE::TE_IPCore_Def::BaseIPCoreInterface &descriptor,
                const GenerateRequest &request,
                IPCore::BatchJob &job,
                QTextStream &out,
                QTextStream &err)
{
    QStringList errors;
    runDialog(descriptor, request, QDir::tempPath(), job, errors);
    for (const QString &error : qAsConst(errors))
        err << "ipgen generate: " << error << '\n';
    for (const QString &line : qAsConst(job.optionList))
        out << line << '\n';
    return job.optionList.isEmpty() || !errors.isEmpty() ? 1 : 0;
}

} // namespace

int runGenerate(const QStringList &args, QTextStream &out, QTextStream &err)
{
    GenerateRequest request;
    const bool usable = request.parse(args);
    for (const QString &problem : request.usageErrors())
        err << "ipgen generate: " << problem << '\n';
    if (!usable)
        return 2;
    if (request.helpRequested()) {
        out << request.helpText();
        return 0;
    }

    PluginRegistry registry;
    registry.loadForCommand(request.parser(), err);
    const QString config = request.config();
    const DEV::DeviceArg target = request.device();
    QString coreId = request.coreId();
    if (coreId.isEmpty() && !config.isEmpty())
        coreId = PluginRegistry::configurationCoreId(config);
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
    IPCore::MessageBoxAnswerer answerer(QCoreApplication::instance());
    IPCore::BatchJob job(QCoreApplication::instance());
    request.fillJob(job);
    if (job.listOptions)
        return listOptions(*descriptor, request, job, out, err);
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
    const bool generated = runDialog(*descriptor, request, job.outputDirectory, job, errors);
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
    warnReplacedSettings(job, err);
    for (const QString &path : writtenFiles(job, start))
        out << "wrote " << path << '\n';
    for (const Utils::PinFigure &pin : qAsConst(job.pins))
        out << "pin " << pin.label() << ' ' << (pin.side() == 0 ? "input" : "output") << ' '
            << (pin.isBus() ? "bus" : "wire") << '\n';
    return 0;
}
