#include "baseipcoreinterface.h"

namespace TE {
namespace TE_IPCore_Def {

BaseIPCoreInterface::~BaseIPCoreInterface() = default;

bool BaseIPCoreInterface::createByTcl(const QString &dir,
                                      const DEV::DeviceArg &device,
                                      const QList<QPair<QString, QVariant>> &options,
                                      QStringList &errors)
{
    Q_UNUSED(dir)
    Q_UNUSED(device)
    Q_UNUSED(options)
    errors << QStringLiteral("Core \"%1\" cannot be generated without its dialog yet.").arg(id());
    return false;
}

bool BaseIPCoreInterface::openByTcl(const QString &configPath,
                                    const QString &deviceOverride,
                                    const QList<QPair<QString, QVariant>> &options,
                                    QStringList &errors)
{
    Q_UNUSED(configPath)
    Q_UNUSED(deviceOverride)
    Q_UNUSED(options)
    errors << QStringLiteral("Core \"%1\" cannot be generated without its dialog yet.").arg(id());
    return false;
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
