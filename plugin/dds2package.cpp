#include "dds2package.h"

#include "dds2.h"
#include "deliveredcore.h"

namespace IPDDSYN {

QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> DDS2Package::interfaces()
{
    QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> list;
    auto *descriptor = new DDS2(pluginDir());
    if (!descriptor->loadSpec()) {
        delete descriptor;
        return list;
    }
    list.append(descriptor);
    return list;
}

bool DDS2Package::prepareBench(const QString &ipcPath,
                               const QString &scratchDir,
                               IPCore::VerificationBench &bench,
                               QString &error) const
{
    return DdsRtl::DeliveredCore::prepareBench(ipcPath, scratchDir, bench, error);
}

bool DDS2Package::estimateSources(const QString &ipcPath,
                                  IPCore::EstimateSources &sources,
                                  QString &error) const
{
    return DdsRtl::DeliveredCore::estimateSources(ipcPath, sources, error);
}

} // namespace IPDDSYN
