#pragma once

#include "coreverification.h"
#include "ipplugin.h"

namespace IPDDSYN {

/// The plug-in's root object: hands the host one dds_ii descriptor per call
/// and describes how a delivered instance is verified and estimated.
class DDS2Package : public TE::TE_IPCore_Def::IPPlugin, public IPCore::CoreVerification
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "IPDDSYN.DDS2Package/1.0")
    Q_INTERFACES(TE::TE_IPCore_Def::IPPlugin IPCore::CoreVerification)
public:
    DDS2Package() = default;
    ~DDS2Package() override = default;

    QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> interfaces() override;
    bool prepareBench(const QString &ipcPath,
                      const QString &scratchDir,
                      IPCore::VerificationBench &bench,
                      QString &error) const override;
    bool estimateSources(const QString &ipcPath,
                         IPCore::EstimateSources &sources,
                         QString &error) const override;
};

} // namespace IPDDSYN
