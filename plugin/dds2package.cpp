#include "dds2package.h"

#include "dds2.h"

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

} // namespace IPDDSYN
