#pragma once

#include "baseipcoreinterface.h"

namespace IPDDSYN {

/// The dds_ii core as the host sees it: catalogue answers from dds2.ipspec,
/// and the entry points that run the generator dialog.
class DDS2 : public TE::TE_IPCore_Def::BaseIPCoreInterface
{
public:
    explicit DDS2(const QString &pluginDir);
    ~DDS2() override;

    void createCore(const QString &dir, const DEV::DeviceArg &device) override;
    void openCore(const QString &configPath, const QString &deviceOverride) override;
    /// Reads dds2.ipspec from the plug-in directory; false when it lacks the common keys.
    bool loadSpec() override;
    QString version() override;
    QString id() override;
    QString name() override;
    QStringList category() override;
    QString summary() override;
    bool supportsDevice(const DEV::DeviceArg &device) override;

private:
    QMap<QString, QVariant> m_info;
    QString m_pluginDir;
};

} // namespace IPDDSYN
