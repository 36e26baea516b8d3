#pragma once

#include "ipplugin.h"

namespace IPDDSYN {

/// The plug-in's root object: hands the host one dds_ii descriptor per call.
class DDS2Package : public TE::TE_IPCore_Def::IPPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "IPDDSYN.DDS2Package/1.0")
    Q_INTERFACES(TE::TE_IPCore_Def::IPPlugin)
public:
    DDS2Package() = default;
    ~DDS2Package() override = default;

    QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> interfaces() override;
};

} // namespace IPDDSYN
