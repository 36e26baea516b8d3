#include "baseipcoreinterface.h"

#include "batchjob.h"
#include "hostservices.h"
#include "messagerecorder.h"

#include <QCoreApplication>

#include <functional>
#include <memory>

namespace TE {
namespace TE_IPCore_Def {

namespace {

// Runs `operation` (the core's createCore or openCore) with the options in a
// batch job: the one installed by the caller, or one made for this run.
bool runBatch(const QList<QPair<QString, QVariant>> &options,
              QStringList &errors,
              const std::function<void()> &operation)
{
    const Core::HostServices *services = Core::HostServices::current();
    if (!services || !services->isBatch()) {
        errors << QCoreApplication::translate("IPCore",
                                              "Scripted generation needs the host in batch mode.");
        return false;
    }
    std::unique_ptr<IPCore::BatchJob> own;
    if (!IPCore::BatchJob::current())
        own = std::make_unique<IPCore::BatchJob>(QCoreApplication::instance());
    IPCore::BatchJob *job = IPCore::BatchJob::current();
    job->options = options;
    job->ran = false;
    job->accepted = false;
    job->overwriteDeclined = false;
    job->errors.clear();
    // What stops a dialog before it runs (a rejected configuration) is
    // reported in message boxes only.
    IPCore::MessageRecorder recorder;
    operation();
    if (!job->ran) {
        errors << recorder.messages();
        if (recorder.messages().isEmpty())
            errors << QCoreApplication::translate("IPCore", "The core's dialog did not run.");
    }
    errors << job->errors;
    return job->ran && job->accepted;
}

} // namespace

BaseIPCoreInterface::~BaseIPCoreInterface() = default;

bool BaseIPCoreInterface::createByTcl(const QString &dir,
                                      const DEV::DeviceArg &device,
                                      const QList<QPair<QString, QVariant>> &options,
                                      QStringList &errors)
{
    return runBatch(options, errors, [&] { createCore(dir, device); });
}

bool BaseIPCoreInterface::openByTcl(const QString &configPath,
                                    const QString &deviceOverride,
                                    const QList<QPair<QString, QVariant>> &options,
                                    QStringList &errors)
{
    return runBatch(options, errors, [&] { openCore(configPath, deviceOverride); });
}

QMap<QString, QVariant> BaseIPCoreInterface::getOptionMap()
{
    return {};
}

QMap<QString, QVariant> BaseIPCoreInterface::getIpinfoMap()
{
    return {
            {QStringLiteral("ipcore.id"), id()},
            {QStringLiteral("ipcore.name"), name()},
            {QStringLiteral("ipcore.version"), version()},
            {QStringLiteral("ipcore.category"), category()},
            {QStringLiteral("ipcore.doc.summary"), summary()},
    };
}

} // namespace TE_IPCore_Def
} // namespace TE
